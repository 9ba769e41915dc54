#include "platform/framework/dialogunits.h"
#include "platform/framework/messagebox.h"
#include "platform/shell/folderchooser.h"
#include "platform/shell/specialfolders.h"
#include "setup/wizard/setupsheet.h"
#include "testsupport/filetree.h"
#include "testsupport/installmedium.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <memory>

namespace fw = platform::framework;
namespace shell = platform::shell;
using namespace setup::wizard;

namespace {

enum Page { Welcome, License, Directory, Group, End };

template <class T>
T* item(CPropertyPage& page, int id)
{
    return qobject_cast<T*>(fw::GetDlgItem(&page, id));
}

}  // namespace

class TestSetupWizard : public QObject {
    Q_OBJECT

    QString installFolder() const { return shell::DefaultInstallFolder(); }
    QString groupPath() const { return shell::ProgramsFolder() + "/Tolvane/Wordwell"; }

    void start()
    {
        m_sheet = std::make_unique<CSetUpSheet>();
        m_sheet->OnInitDialog();
        m_sheet->show();
        m_sheet->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_sheet.get()));
    }

    // Enter, as a keyboard user presses Next or Finish.
    void pressEnter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }

    void tickAccept()
    {
        auto* box = item<QCheckBox>(m_sheet->m_pageLicense, 1003);
        for (int i = 0; i < 10 && QApplication::focusWidget() != box; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), box);
        QTest::keyClick(box, Qt::Key_Space);
        QVERIFY(box->isChecked());
        m_sheet->NextButton()->setFocus();
    }

    // From the welcome page on to `page`, accepting the defaults.
    void walkTo(int page)
    {
        for (int at = m_sheet->GetActiveIndex(); at < page; ++at) {
            if (at == License && !item<QCheckBox>(m_sheet->m_pageLicense, 1003)->isChecked())
                tickAccept();
            pressEnter();
            QCOMPARE(m_sheet->GetActiveIndex(), at + 1);
        }
    }

    void typeInto(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

private slots:
    void init()
    {
        m_home = std::make_unique<IsolatedHome>();
        WriteInstallMedium(m_home->work());
        // A lived-in data folder: cancel walks stop there.
        WriteFileForTest(m_home->dataHome() + "/keep", "x");
        m_boxes = std::make_unique<MessageBoxRecorder>();
    }

    void cleanup()
    {
        m_sheet.reset();
        m_boxes.reset();
        shell::SetFolderChooserHandler({});
        m_home.reset();
    }

    // The defaults walked through: each page's buttons, no question, both folders made.
    void buttonSetsOfEachPage()
    {
        start();
        struct Buttons {
            bool back, next, finish;
        };
        const Buttons expected[] = {{false, true, false}, {true, true, false}, {true, true, false},
                                    {true, true, false}, {true, false, true}};
        for (int page = Welcome; page <= End; ++page) {
            walkTo(page);
            QCOMPARE(m_sheet->BackButton()->isEnabled(), expected[page].back);
            QCOMPARE(m_sheet->NextButton()->isVisible() && m_sheet->NextButton()->isEnabled(), expected[page].next);
            QCOMPARE(m_sheet->FinishButton()->isVisible(), expected[page].finish);
            QVERIFY(m_sheet->CancelButton()->isEnabled());
        }
        QCOMPARE(m_boxes->texts(), QStringList());
        QVERIFY(QFileInfo(installFolder()).isDir());
        QVERIFY(QFileInfo(groupPath()).isDir());
        QCOMPARE(m_sheet->m_pageEnd.m_strSummary, "Check data:\r\n" + installFolder() + "\r\n" + groupPath());
        QCOMPARE(item<QPlainTextEdit>(m_sheet->m_pageEnd, 1005)->toPlainText(),
                 "Check data:\n" + installFolder() + '\n' + groupPath());
    }

    void agreementMustBeAccepted()
    {
        start();
        walkTo(License);
        const QString reminder =
            "You must Accept the License agreement\nby checking the box\nto continue the setup program.";
        for (int attempt = 1; attempt <= 2; ++attempt) {
            pressEnter();
            QCOMPARE(m_sheet->GetActiveIndex(), int(License));
            QCOMPARE(m_boxes->texts().size(), attempt);
            QCOMPARE(m_boxes->texts().last(), reminder);
            QCOMPARE(m_boxes->requests().last().type, fw::MB_OK);
        }
        tickAccept();
        pressEnter();
        QCOMPARE(m_sheet->GetActiveIndex(), int(Directory));
        // The box keeps its state across Back.
        QTest::mouseClick(m_sheet->BackButton(), Qt::LeftButton);
        QVERIFY(item<QCheckBox>(m_sheet->m_pageLicense, 1003)->isChecked());
    }

    void existingFolderAsksFirst_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("movesOn");
        QTest::newRow("folder, yes") << int(Directory) << int(fw::IDYES) << true;
        QTest::newRow("folder, cancel") << int(Directory) << int(fw::IDCANCEL) << false;
        QTest::newRow("group, yes") << int(Group) << int(fw::IDYES) << true;
        QTest::newRow("group, no") << int(Group) << int(fw::IDNO) << false;
    }

    void existingFolderAsksFirst()
    {
        QFETCH(int, page);
        QFETCH(int, answer);
        QFETCH(bool, movesOn);
        QVERIFY(QDir().mkpath(page == Directory ? installFolder() : groupPath()));
        start();
        walkTo(page);
        m_boxes->queueAnswer(answer);
        pressEnter();
        const QString question =
            page == Directory ? "Folder already exists, use anyway?" : "Group already exists, use anyway?";
        QCOMPARE(m_boxes->texts(), QStringList{question});
        QCOMPARE(m_boxes->requests().first().type, 0x23u);
        QCOMPARE(m_sheet->GetActiveIndex(), movesOn ? page + 1 : page);
    }

    // Back and Next again: the folder page asks again and the summary is rebuilt; going
    // back does not skip the group page's cancel step.
    void backAndNextRunEachStepAgain()
    {
        start();
        walkTo(End);
        QTest::mouseClick(m_sheet->BackButton(), Qt::LeftButton);
        QTest::mouseClick(m_sheet->BackButton(), Qt::LeftButton);
        m_boxes->queueAnswer(fw::IDYES);
        pressEnter();
        QCOMPARE(m_boxes->texts(), QStringList{"Folder already exists, use anyway?"});
        typeInto(item<QLineEdit>(m_sheet->m_pageGroup, 1009), "Spelling");
        pressEnter();
        QCOMPARE(m_sheet->GetActiveIndex(), int(End));
        const QString summary = "Check data:\n" + installFolder() + '\n' + shell::ProgramsFolder() + "/Spelling";
        QCOMPARE(item<QPlainTextEdit>(m_sheet->m_pageEnd, 1005)->toPlainText(), summary);
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(m_sheet->BackButton(), Qt::LeftButton);
        QCOMPARE(m_sheet->GetActiveIndex(), int(License));
        QTest::mouseClick(m_sheet->CancelButton(), Qt::LeftButton);
        QVERIFY(!QFileInfo::exists(installFolder()));
    }

    void folderThatCannotBeMadeIsRefused_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("fieldAfter");
        QTest::addColumn<QString>("inTheWay");  // a file standing where a folder must be
        // Which folders are usable is the install folder rules' (common/tests); here, that the
        // pages ask them, and what a refusal or a failed creation leaves.
        QTest::newRow("lone separator") << int(Directory) << "/" << "" << "";
        QTest::newRow("file in the way") << int(Directory) << "@/blocked/Wordwell/" << "@/blocked/Wordwell"
                                         << "@/blocked";
        QTest::newRow("programs folder is a file") << int(Group) << "Tolvane\\Wordwell\\" << "Tolvane\\Wordwell"
                                                   << "@/.local/share/applications";
        // Refused at once, without asking whether to use it.
        QTest::newRow("home folder") << int(Directory) << "@" << "@" << "";
        QTest::newRow("a percent sign") << int(Directory) << "@/50%/Wordwell" << "@/50%/Wordwell" << "";
        QTest::newRow("group escaping the programs folder") << int(Group) << "../../../../escaped"
                                                            << "../../../../escaped" << "";
        QTest::newRow("group with a dot-dot level") << int(Group) << "Tolvane/../Wordwell" << "Tolvane/../Wordwell"
                                                    << "";
    }

    void folderThatCannotBeMadeIsRefused()
    {
        QFETCH(int, page);
        QFETCH(QString, typed);
        QFETCH(QString, fieldAfter);
        QFETCH(QString, inTheWay);
        for (QString* text : {&typed, &fieldAfter, &inTheWay})
            text->replace("@", m_home->home());
        if (!inTheWay.isEmpty())
            WriteFileForTest(inTheWay, "x");
        start();
        walkTo(page);
        CPropertyPage& active = *m_sheet->GetActivePage();
        auto* edit = item<QLineEdit>(active, page == Directory ? 1006 : 1009);
        typeInto(edit, typed);
        const QByteArray homeBefore = HashOfTree(m_home->path());
        pressEnter();
        QCOMPARE(m_boxes->texts(), QStringList{page == Directory ? "Invalid Folder!  Please enter a new folder."
                                                                 : "Invalid Group!  Please enter a new Group."});
        QCOMPARE(m_boxes->requests().first().type, fw::MB_OK);
        QCOMPARE(m_sheet->GetActiveIndex(), page);
        QCOMPARE(edit->text(), fieldAfter);
        // Not a level of a refused folder is left behind.
        QCOMPARE(HashOfTree(m_home->path()), homeBefore);
    }

    // The folder is recorded as it really is, with one trailing separator stripped.
    void theFolderIsRecordedAsItIs_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("recorded");
        QTest::newRow("other letter case") << "@/.local/SHARE/tolvane/WORDWELL" << "";
        QTest::newRow("through a link") << "@/apps/Wordwell" << "";
        QTest::newRow("slash") << "@/Tolvane/Wordwell/" << "@/Tolvane/Wordwell";
        QTest::newRow("backslash") << "@/Tolvane/Wordwell\\" << "@/Tolvane/Wordwell";
        QTest::newRow("two separators keep one") << "@/Tolvane/Wordwell//" << "@/Tolvane/Wordwell/";
    }

    void theFolderIsRecordedAsItIs()
    {
        QFETCH(QString, typed);
        QFETCH(QString, recorded);  // empty: the install folder
        typed.replace("@", m_home->home());
        recorded = recorded.isEmpty() ? installFolder() : recorded.replace("@", m_home->home());
        QVERIFY(QDir().mkpath(installFolder()));
        QVERIFY(QFile::link(QFileInfo(installFolder()).path(), m_home->home() + "/apps"));
        start();
        walkTo(Directory);
        auto* edit = item<QLineEdit>(m_sheet->m_pageDir, 1006);
        typeInto(edit, typed);
        m_boxes->queueAnswer(fw::IDYES);
        walkTo(End);
        QCOMPARE(m_sheet->m_pageDir.m_strFolder, recorded);
        QCOMPARE(edit->text(), recorded);
        QVERIFY(QFileInfo(recorded).isDir());
        QVERIFY(m_sheet->m_pageEnd.m_strSummary.startsWith("Check data:\r\n" + recorded + "\r\n"));
    }

    void summaryShowsNoScrollBarOfItsOwn()
    {
        start();
        walkTo(Directory);
        typeInto(item<QLineEdit>(m_sheet->m_pageDir, 1006), m_home->home() + '/' + QString(120, u'w'));
        walkTo(End);
        auto* summary = item<QPlainTextEdit>(m_sheet->m_pageEnd, 1005);
        QVERIFY(summary->horizontalScrollBar()->maximum() > 0);
        // The bars are shown or hidden once the layout has settled.
        QTest::qWait(50);
        QVERIFY(!summary->horizontalScrollBar()->isVisible());
        QVERIFY(!summary->verticalScrollBar()->isVisible());
    }

    void enterOnAFocusedButtonPressesThatButton_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("pageAfter");  // -1: the wizard was cancelled
        QTest::newRow("Cancel") << "Cancel" << -1;
        QTest::newRow("Back") << "Back" << int(License);
        QTest::newRow("Change Folder") << "Change Folder" << int(Directory);
        QTest::newRow("the folder field: Next") << "" << int(Group);
    }

    void enterOnAFocusedButtonPressesThatButton()
    {
        QFETCH(QString, button);
        QFETCH(int, pageAfter);
        shell::SetFolderChooserHandler([](const QString&, const QString&) { return std::optional<QString>{}; });
        start();
        walkTo(Directory);
        QWidget* target = item<QLineEdit>(m_sheet->m_pageDir, 1006);
        for (auto* b : m_sheet->findChildren<QPushButton*>()) {
            if (!button.isEmpty() && b->accessibleName() == button)
                target = b;
        }
        // Reached by Tab, as a keyboard user does.
        for (int i = 0; i < 12 && QApplication::focusWidget() != target; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), target);
        QTest::keyClick(target, Qt::Key_Return);
        QCOMPARE(m_sheet->isVisible(), pageAfter >= 0);
        if (pageAfter >= 0)
            QCOMPARE(m_sheet->GetActiveIndex(), pageAfter);
        else
            QVERIFY(!QFileInfo::exists(installFolder()));
    }

    void emptyGroupNameIsTheProgramsFolder()
    {
        QVERIFY(QDir().mkpath(shell::ProgramsFolder()));
        start();
        walkTo(Group);
        typeInto(item<QLineEdit>(m_sheet->m_pageGroup, 1009), "");
        m_boxes->queueAnswer(fw::IDYES);
        pressEnter();
        QCOMPARE(m_boxes->texts(), QStringList{"Group already exists, use anyway?"});
        QCOMPARE(m_sheet->GetActiveIndex(), int(End));
        QCOMPARE(m_sheet->m_pageGroup.m_strGroupPath, shell::ProgramsFolder() + "/");
    }

    void browseButtonsFillTheFields()
    {
        const QString picked = m_home->home() + "/Apps/Wordwell";
        std::optional<QString> answer = picked;
        QStringList titles;
        shell::SetFolderChooserHandler([&](const QString&, const QString& title) {
            titles << title;
            return answer;
        });
        start();
        walkTo(Directory);
        auto* folder = item<QLineEdit>(m_sheet->m_pageDir, 1006);
        QTest::mouseClick(item<QPushButton>(m_sheet->m_pageDir, 1007), Qt::LeftButton);
        QCOMPARE(folder->text(), picked);
        // A cancelled chooser leaves even unread typing alone.
        typeInto(folder, "/typed");
        answer.reset();
        QTest::mouseClick(item<QPushButton>(m_sheet->m_pageDir, 1007), Qt::LeftButton);
        QCOMPARE(folder->text(), QString("/typed"));
        typeInto(folder, picked);
        walkTo(Group);

        answer = shell::ProgramsFolder() + "/Education/Languages";
        QTest::mouseClick(item<QPushButton>(m_sheet->m_pageGroup, 1010), Qt::LeftButton);
        QCOMPARE(item<QLineEdit>(m_sheet->m_pageGroup, 1009)->text(), QString("Languages"));
        // Enter would press the focused Change button again: the user moves on to the field.
        item<QLineEdit>(m_sheet->m_pageGroup, 1009)->setFocus();
        walkTo(End);
        QCOMPARE(m_sheet->m_pageGroup.m_strGroupPath, shell::ProgramsFolder() + "/Languages");
        QCOMPARE(titles, (QStringList{"Choose a Directory", "Choose a Directory", "Choose a Program Group"}));
    }

    void cancelRemovesOnlyEmptyFoldersMadeOnNext_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("how");  // 0 the button, 1 Escape, 2 the close box
        QTest::addColumn<bool>("installFolderHoldsAFile");
        QTest::addColumn<bool>("installFolderStays");
        QTest::addColumn<bool>("groupStays");
        // Each page's cancel step once, and each way of cancelling once.
        QTest::newRow("welcome, button") << int(Welcome) << 0 << false << false << false;
        QTest::newRow("folder page, escape") << int(Directory) << 1 << false << false << false;
        QTest::newRow("group page, close box") << int(Group) << 2 << false << false << false;
        QTest::newRow("summary, button") << int(End) << 0 << false << false << false;
        QTest::newRow("group page, folder holds a file") << int(Group) << 0 << true << true << false;
        QTest::newRow("summary, folder holds a file") << int(End) << 0 << true << true << false;
    }

    void cancelRemovesOnlyEmptyFoldersMadeOnNext()
    {
        QFETCH(int, page);
        QFETCH(int, how);
        QFETCH(bool, installFolderHoldsAFile);
        QFETCH(bool, installFolderStays);
        QFETCH(bool, groupStays);
        start();
        walkTo(page);
        if (installFolderHoldsAFile)
            WriteFileForTest(installFolder() + "/notes.txt", "mine");
        if (how == 0)
            QTest::mouseClick(m_sheet->CancelButton(), Qt::LeftButton);
        else if (how == 1)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            m_sheet->close();
        QVERIFY(!m_sheet->isVisible());
        QCOMPARE(m_sheet->result(), int(QDialog::Rejected));
        QCOMPARE(m_boxes->texts(), QStringList());
        QCOMPARE(QFileInfo::exists(installFolder()), installFolderStays);
        QCOMPARE(QFileInfo::exists(m_home->dataHome() + "/Tolvane"), installFolderStays);
        QCOMPARE(QFileInfo::exists(groupPath()), groupStays);
        // The programs folder was made for the group, so it goes with it; the data folder holds more.
        QCOMPARE(QFileInfo::exists(shell::ProgramsFolder()), groupStays);
        QVERIFY(QFileInfo::exists(m_home->dataHome() + "/keep"));
        if (installFolderHoldsAFile)
            QCOMPARE(ReadFileForTest(installFolder() + "/notes.txt"), QByteArray("mine"));
    }

    void finishShowsTheOutcomeAndCloses_data()
    {
        QTest::addColumn<bool>("complete");
        QTest::addColumn<bool>("desktop");
        QTest::newRow("installed") << true << false;
        QTest::newRow("installed with the desktop entry") << true << true;
        QTest::newRow("a file missing from the medium") << false << false;
    }

    void finishShowsTheOutcomeAndCloses()
    {
        QFETCH(bool, complete);
        QFETCH(bool, desktop);
        if (!complete)
            QVERIFY(QFile::remove(m_home->work() + "/Wordwell.hlp"));
        start();
        walkTo(End);
        if (desktop)
            QTest::mouseClick(item<QCheckBox>(m_sheet->m_pageEnd, 1011), Qt::LeftButton);
        if (!complete)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Setup: copying Wordwell.hlp"));
        pressEnter();
        QCOMPARE(m_boxes->texts(), QStringList{complete ? "The installation was successful."
                                                        : "Error, Unable to install program -- try again."});
        QCOMPARE(m_boxes->requests().first().type, complete ? 0x40u : 0x10u);
        QVERIFY(!m_sheet->isVisible());
        QCOMPARE(m_sheet->result(), int(ID_WIZFINISH));
        // No cancel step ran: the folders and what went into them stay.
        QVERIFY(QFileInfo(installFolder() + "/Words").isDir());
        QVERIFY(QFileInfo::exists(groupPath() + "/Wordwell.desktop"));
        QCOMPARE(QFileInfo::exists(shell::DesktopFolder() + "/Wordwell.desktop"), desktop);
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<MessageBoxRecorder> m_boxes;
    std::unique_ptr<CSetUpSheet> m_sheet;
};

QTEST_MAIN(TestSetupWizard)
#include "tst_setupwizard.moc"
