#include "common/record.h"
#include "platform/framework/dialogunits.h"
#include "platform/framework/messagebox.h"
#include "platform/registry/registry.h"
#include "platform/shell/folderchooser.h"
#include "platform/shell/specialfolders.h"
#include "setup/install/installproduct.h"
#include "setup/install/recordkey.h"
#include "setup/install/shortcut.h"
#include "setup/wizard/setupsheet.h"
#include "testsupport/desktopentrycheck.h"
#include "testsupport/filetree.h"
#include "testsupport/installmedium.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace fw = platform::framework;
namespace shell = platform::shell;
namespace reg = platform::registry;
namespace record = common::record;
using namespace setup::wizard;

namespace {

enum Page { Welcome, License, Directory, Group, End };

template <class T>
T* item(CPropertyPage& page, int id)
{
    return qobject_cast<T*>(fw::GetDlgItem(&page, id));
}

// A value under HKEY_LOCAL_MACHINE.
QString value(const QString& keyPath, const QString& name)
{
    reg::Key key;
    if (reg::OpenKey(reg::HKEY_LOCAL_MACHINE, keyPath, &key) != reg::ERROR_SUCCESS)
        return QStringLiteral("<no key>");
    QString data;
    if (reg::QueryStringValue(key, name, &data) != reg::ERROR_SUCCESS)
        return QStringLiteral("<no value>");
    return data;
}

}  // namespace

// Setup: its wizard driven by keys, and the install procedure it ends with called directly.
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

    // From the welcome page on to `page`, accepting the defaults and ticking the agreement by keys.
    void walkTo(int page)
    {
        auto* accept = item<QCheckBox>(m_sheet->m_pageLicense, 1003);
        for (int at = m_sheet->GetActiveIndex(); at < page; ++at) {
            if (at == License && !accept->isChecked()) {
                accept->setFocus();
                QTest::keyClick(accept, Qt::Key_Space);
                QVERIFY(accept->isChecked());
                m_sheet->NextButton()->setFocus();
            }
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

    QString summary() { return item<QPlainTextEdit>(m_sheet->m_pageEnd, 1005)->toPlainText(); }

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

    // The defaults walked through: each page's buttons, the agreement asked for, no
    // question, both folders made. Then back and on again: each step runs again, and
    // cancelling from an earlier page still runs the later pages' cancel steps.
    void walkingOnAndBack()
    {
        start();
        for (int page = Welcome; page <= End; ++page) {
            walkTo(page);
            QCOMPARE(m_sheet->BackButton()->isEnabled(), page != Welcome);
            QCOMPARE(m_sheet->NextButton()->isVisible() && m_sheet->NextButton()->isEnabled(), page != End);
            QCOMPARE(m_sheet->FinishButton()->isVisible(), page == End);
            if (page == License) {
                pressEnter();
                QCOMPARE(m_sheet->GetActiveIndex(), int(License));
            }
        }
        QCOMPARE(m_boxes->requests().first().type, fw::MB_OK);
        QVERIFY(QFileInfo(groupPath()).isDir());
        QCOMPARE(summary(), "Check data:\n" + installFolder() + '\n' + groupPath());

        // Enter presses the focused button, not the default one.
        m_sheet->BackButton()->setFocus();
        QTest::keyClick(m_sheet->BackButton(), Qt::Key_Return);
        QTest::mouseClick(m_sheet->BackButton(), Qt::LeftButton);
        // An existing folder is used only when the user says Yes; it is recorded as it
        // really is, with one trailing separator stripped.
        QVERIFY(QFile::link(QFileInfo(installFolder()).path(), m_home->home() + "/apps"));
        auto* folder = item<QLineEdit>(m_sheet->m_pageDir, 1006);
        typeInto(folder, m_home->home() + "/apps/Wordwell/\\");
        m_boxes->queueAnswer(fw::IDCANCEL);
        pressEnter();
        QCOMPARE(m_sheet->GetActiveIndex(), int(Directory));
        QCOMPARE(folder->text(), m_home->home() + "/apps/Wordwell/");
        m_boxes->queueAnswer(fw::IDYES);
        pressEnter();
        QCOMPARE(folder->text(), installFolder());
        // An empty group name is the programs folder itself, which is allowed.
        typeInto(item<QLineEdit>(m_sheet->m_pageGroup, 1009), "");
        m_boxes->queueAnswer(fw::IDYES);
        pressEnter();
        QCOMPARE(m_boxes->texts(), (QStringList{"You must Accept the License agreement\nby checking the box\n"
                                                "to continue the setup program.",
                                                "Folder already exists, use anyway?",
                                                "Folder already exists, use anyway?",
                                                "Group already exists, use anyway?"}));
        QCOMPARE(m_boxes->requests().last().type, 0x23u);
        QCOMPARE(summary(), "Check data:\n" + installFolder() + '\n' + shell::ProgramsFolder() + '/');
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
        QTest::newRow("programs folder is a file") << int(Group) << "Tolvane\\Wordwell\\" << "Tolvane\\Wordwell"
                                                   << "@/.local/share/applications";
        // Refused at once, without asking whether to use it.
        QTest::newRow("home folder") << int(Directory) << "@/" << "@" << "";
        QTest::newRow("a percent sign") << int(Directory) << "@/50%/Wordwell" << "@/50%/Wordwell" << "";
        QTest::newRow("group escaping the programs folder") << int(Group) << "../../../../escaped"
                                                            << "../../../../escaped" << "";
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
        auto* edit = item<QLineEdit>(*m_sheet->GetActivePage(), page == Directory ? 1006 : 1009);
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
        // A cancelled chooser leaves even unread typing alone.
        typeInto(folder, "/typed");
        answer.reset();
        QTest::mouseClick(item<QPushButton>(m_sheet->m_pageDir, 1007), Qt::LeftButton);
        QCOMPARE(folder->text(), QString("/typed"));
        answer = picked;
        QTest::mouseClick(item<QPushButton>(m_sheet->m_pageDir, 1007), Qt::LeftButton);
        QCOMPARE(folder->text(), picked);
        folder->setFocus();
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

    void finishShowsTheOutcomeAndCloses_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("installed") << int(Qt::Key_Return) << true << QStringList{"The installation was successful."};
        QTest::newRow("a file missing from the medium, with the desktop entry")
            << int(Qt::Key_Return) << false << QStringList{"Error, Unable to install program -- try again."};
        // Escape: both pages' cancel steps remove the empty levels made on Next, the
        // programs folder made for the group with them; what holds a file stays.
        QTest::newRow("cancelled on the last page") << int(Qt::Key_Escape) << true << QStringList{};
    }

    void finishShowsTheOutcomeAndCloses()
    {
        QFETCH(int, key);
        QFETCH(bool, complete);
        QFETCH(QStringList, boxes);
        const bool finish = key == Qt::Key_Return;
        if (!complete)
            QVERIFY(QFile::remove(m_home->work() + "/Wordwell.hlp"));
        start();
        walkTo(End);
        WriteFileForTest(installFolder() + "/notes.txt", "mine");
        if (!complete) {
            QTest::mouseClick(item<QCheckBox>(m_sheet->m_pageEnd, 1011), Qt::LeftButton);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Setup: copying Wordwell.hlp"));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(m_boxes->texts(), boxes);
        for (const auto& request : m_boxes->requests())
            QCOMPARE(request.type, complete ? 0x40u : 0x10u);
        QCOMPARE(m_sheet->result(), finish ? int(ID_WIZFINISH) : int(QDialog::Rejected));
        // Finishing runs no cancel step: the folders and what went into them stay.
        QCOMPARE(QFileInfo(installFolder() + "/Words").isDir(), finish);
        QCOMPARE(QFileInfo::exists(finish ? groupPath() + "/Wordwell.desktop" : shell::ProgramsFolder()), finish);
        QCOMPARE(QFileInfo::exists(shell::DesktopFolder() + "/Wordwell.desktop"), !complete);
        QCOMPARE(ReadFileForTest(installFolder() + "/notes.txt"), QByteArray("mine"));
        QVERIFY(QFileInfo::exists(m_home->dataHome() + "/keep"));
    }

    // Setup over an older installation, as a second Setup finds it: stale copies and
    // entries are replaced, read-only sources arrive writable, the record names this
    // installation. A failed step makes the outcome a failure, names itself on standard
    // error, and every other step is still done.
    void failedStepsAreReportedAndTheRestIsDone_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("none") << "" << "" << QStringList{};
        QTest::newRow("missing source") << "missing source" << "^Setup: copying Ridwell " << QStringList{};
        QTest::newRow("unwritable programs folder")
            << "programs folder" << "^cannot write" << QStringList{"Save failed!", "Save failed!", "Save failed!"};
        QTest::newRow("words folder is a file") << "words folder" << "^Setup: creating the folder " << QStringList{};
        QTest::newRow("icons folder is a file") << "icons folder" << "^cannot write " << QStringList{};
    }

    void failedStepsAreReportedAndTheRestIsDone()
    {
        QFETCH(QString, fault);
        QFETCH(QString, warning);
        QFETCH(QStringList, boxes);
        // A file stands where the step needs a folder; a missing source is the medium's fault.
        const QMap<QString, QString> inTheWay{{"programs folder", shell::ProgramsFolder()},
                                              {"words folder", installFolder() + "/words"},
                                              {"icons folder", m_home->dataHome() + "/icons"}};
        // An older installation's copies: a copy that fails must not pass for a new one.
        WriteFileForTest(installFolder() + "/Ridwell", "older");
        WriteFileForTest(installFolder() + "/Wordwell.hlp", "old help");
        if (fault != "programs folder")
            WriteFileForTest(groupPath() + "/Wordwell.desktop", "[Desktop Entry]\nType=Link\nName=old\nURL=x\n");
        QFile::setPermissions(m_home->work() + "/Wordwell.hlp", QFile::ReadOwner | QFile::ReadGroup);
        QFile::setPermissions(m_home->work() + "/Wordwell", QFile::ReadOwner | QFile::ExeOwner);
        {
            reg::Key key = CreateRecordKey(reg::HKEY_LOCAL_MACHINE, record::kProductKey);
            QVERIFY(SetRecordString(key, "Path", "/somewhere/else"));
        }
        if (inTheWay.contains(fault))
            WriteFileForTest(inTheWay[fault], "in the way");
        else if (!fault.isEmpty())
            QVERIFY(QFile::remove(m_home->work() + "/Ridwell"));

        if (!warning.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
        QCOMPARE(InstallProduct(installFolder(), groupPath(), true), fault.isEmpty());
        QCOMPARE(m_boxes->texts(), boxes);

        // Every step that could run did.
        if (fault == "missing source") {
            QCOMPARE(EntriesOf(installFolder()),
                     (QStringList{"Ridwell", "Words", "Wordwell", "Wordwell.cnt", "Wordwell.hlp", "Wordwell.png",
                                  "wordwell-audio.so", "wordwell-history.so", "wordwell-print.so", "wordwell-zip.so"}));
        } else {
            for (const record::InstalledFile& file : record::kInstalledFiles) {
                const QString path = installFolder() + file.destination;
                QCOMPARE(ReadFileForTest(path), MediumFileBytes(file.source));
                const QFileInfo info(path);
                QVERIFY2(info.permissions().testFlag(QFile::WriteOwner), qPrintable(path));
                QCOMPARE(info.isExecutable(), !file.source.contains(u'.'));
            }
        }
        if (fault != "programs folder") {
            QCOMPARE(EntriesOf(groupPath()),
                     (QStringList{"Uninstall Wordwell.desktop", "Wordwell Help.desktop", "Wordwell.desktop"}));
            // The desktop's entry is the menu's own.
            QCOMPARE(ReadFileForTest(shell::DesktopFolder() + "/Wordwell.desktop"),
                     ReadFileForTest(groupPath() + "/Wordwell.desktop"));
        }
        QVERIFY(QFileInfo::exists(shell::DesktopFolder() + "/Wordwell.desktop"));
        // The values Ridwell never reads back; its round trips (uninstall/tests) show the rest.
        const QString folder = installFolder();
        const QString appPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Wordwell.exe";
        const QString uninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\WordwellPractice";
        QCOMPARE((QStringList{value("Software\\Tolvane\\Virir", "Path"), value(appPaths, ""), value(appPaths, "Path"),
                              value(uninstall, "DisplayName"), value(uninstall, "UninstallString")}),
                 (QStringList{folder, folder + "/Wordwell", folder, "Wordwell Practice", folder + "/Ridwell"}));
        QCOMPARE(value(record::kProductKey, "ThemeIcon") == "<no value>",
                 fault == "icons folder");
        if (!fault.isEmpty())
            return;
        for (const QString& entry : EntriesOf(groupPath()))
            QCOMPARE(DesktopEntryErrors(groupPath() + '/' + entry), QString());
        // Double-clicking a list: Wordwell's entry opens it. The desktop's types
        // are tst_uninstallproduct's, which sees them come and go.
        const QString marker = m_home->path() + "/marker";
        const QString list = m_home->work() + "/week one.spl";
        WriteFileForTest(list, QByteArray::fromHex("010003636174"));
        // Each marker names the working folder, then the program and its arguments.
        const QString started = installFolder() + '\n' + installFolder();
        QCOMPARE(LaunchDesktopEntry(groupPath() + "/Wordwell.desktop", marker, {list}),
                 started + "/Wordwell " + list + '\n');
        QCOMPARE(LaunchDesktopEntry(groupPath() + "/Uninstall Wordwell.desktop", marker), started + "/Ridwell\n");
        // The help entry starts the installed program as the help file's viewer.
        QCOMPARE(LaunchDesktopEntry(groupPath() + "/Wordwell Help.desktop", marker),
                 started + "/Wordwell " + installFolder() + "/Wordwell.hlp\n");
        const QByteArray types = ReadFileForTest(m_home->dataHome() + "/mime/packages/wordwell-spelling-list.xml");
        QVERIFY(types.contains("<comment>Spelling list</comment>"));
        QVERIFY(types.contains("<comment>Spelling list with recordings</comment>"));
        // The icon those types name, in every size, each recorded.
        for (const record::ThemeIcon& icon : record::kThemeIcons) {
            const QString path = m_home->dataHome() + "/icons" + icon.relative;
            QCOMPARE(ReadFileForTest(path), MediumFileBytes(icon.source));
            QCOMPARE(value("Software\\Tolvane\\Virir", icon.pathValue), path);
        }
    }

    // Each part of an entry that is refused has its box, and the rest is still tried.
    void shortcutReportsEachFailingCall()
    {
        const QString file = m_home->home() + "/W.desktop";
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^cannot write"));
        QVERIFY(CreateShortcut("/opt/a\nb", file, "a\nb", "/opt\tx") != 0);
        QCOMPARE(m_boxes->texts(), (QStringList{"SetPath failed!", "SetWorkingDirectory failed!",
                                                "SetDescription failed!", "Save failed!"}));
        for (const auto& request : m_boxes->requests())
            QCOMPARE(request.type, 0u);
        QVERIFY(!QFileInfo::exists(file));
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<MessageBoxRecorder> m_boxes;
    std::unique_ptr<CSetUpSheet> m_sheet;
};

QTEST_MAIN(TestSetupWizard)
#include "tst_setupwizard.moc"
