#include "platform/framework/dialogtemplate.h"
#include "platform/framework/frame.h"
#include "platform/framework/helprequest.h"
#include "platform/framework/messagebox.h"
#include "platform/help/helppopup.h"
#include "platform/help/winhelp.h"
#include "practice/document/commands.h"
#include "practice/document/wordwelldoc.h"
#include "practice/editor/editorforms.h"
#include "practice/editor/listinfodlg.h"
#include "testsupport/dialogdriver.h"
#include "testsupport/practice/viewfixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace practice::editor;
using platform::framework::CDialog;
using platform::framework::GetDlgItem;

namespace {

QListWidget* listOf(const CDialog* dialog)
{
    return qobject_cast<QListWidget*>(dialog->GetDlgItem(IDC_INFOLIST));
}

QLineEdit* countOf(const CDialog* dialog)
{
    return qobject_cast<QLineEdit*>(dialog->GetDlgItem(IDC_COUNT));
}

}  // namespace

class TestListInfoDlg : public QObject {
    Q_OBJECT

private slots:
    void init() { f = std::make_unique<ViewFixture>(); }
    void cleanup() { f.reset(); }

    void showsTheListInOrderAndItsCount_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("count");
        QTest::newRow("repeats, case and blanks kept") << QStringList{"cat", "Cat", " cat", "cat "} << "4";
        QStringList many;
        for (int i = 0; i < 1234; ++i)
            many << QString("w%1").arg(i);
        QTest::newRow("1234 words") << many << "1234";
    }

    void showsTheListInOrderAndItsCount()
    {
        QFETCH(QStringList, words);
        QFETCH(QString, count);
        f->openList(words);
        QVERIFY(f->commandEnabled(practice::ID_TOOLS_LISTINFO));
        RunModal([&] { f->frame()->RouteCommand(practice::ID_TOOLS_LISTINFO); },
                 [&](CDialog* dialog) {
                     QCOMPARE(ListItems(listOf(dialog)), words);
                     QCOMPARE(countOf(dialog)->text(), count);
                     // The Return button is the first tab stop and takes the focus.
                     QCOMPARE(FocusedId(), 1);
                     PressKey(Qt::Key_Return);
                     QVERIFY(!dialog->isVisible());
                 });
        QCOMPARE(f->doc()->m_wordList, words);
        QVERIFY(!f->doc()->IsModified());
    }

    void typingIntoTheCountChangesNothing()
    {
        f->openList({"cat", "dog"});
        RunModal([&] { f->doc()->OnListInformation(); },
                 [&](CDialog* dialog) {
                     PressTab(2);
                     QCOMPARE(FocusedId(), int(IDC_COUNT));
                     TypeText("99");
                     PressKey(Qt::Key_Return);
                     QVERIFY(!dialog->isVisible());
                     QCOMPARE(dialog->result(), int(platform::framework::IDOK));
                 });
        QCOMPARE(f->doc()->m_wordList, QStringList({"cat", "dog"}));
        QVERIFY(!f->doc()->IsModified());
    }

    void escapeAndTheCloseBoxCancel()
    {
        CListInfoDlg dialog;
        RunModal([&] { QCOMPARE(dialog.DoModal(), int(platform::framework::IDCANCEL)); },
                 [&](CDialog*) { PressKey(Qt::Key_Escape); });
        CListInfoDlg other;
        RunModal([&] { QCOMPARE(other.DoModal(), int(platform::framework::IDCANCEL)); },
                 [&](CDialog* d) { d->close(); });
    }

    void withoutAListShowsTheCountItWasGiven()
    {
        CListInfoDlg dialog;
        dialog.m_strCount = "7";
        RunModal([&] { dialog.DoModal(); },
                 [&](CDialog* d) {
                     QCOMPARE(listOf(d)->count(), 0);
                     QCOMPARE(countOf(d)->text(), QString("7"));
                 });
    }

    // Return asks for no topic, the list and the count have theirs, the labels ask for no help at all.
    void helpReachesTheTopicsThereAre()
    {
        CListInfoDlg dialog;
        RunModal([&] { dialog.DoModal(); },
                 [&](CDialog* d) {
                     auto controls = d->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
                     // The labels first, before any pop-up is up.
                     std::stable_partition(controls.begin(), controls.end(), [](QWidget* control) {
                         return platform::framework::GetDlgCtrlID(control) == 0xFFFF;
                     });
                     for (QWidget* control : controls) {
                         const int id = platform::framework::GetDlgCtrlID(control);
                         QVERIFY(platform::framework::SendHelpRequest(control, control->mapToGlobal(QPoint(1, 1))));
                         auto* popup = qobject_cast<platform::help::CHelpPopup*>(platform::help::CurrentPopup());
                         if (id == IDC_INFOLIST || id == IDC_COUNT)
                             QVERIFY(popup && !popup->Html().contains(platform::help::kNoTopicText));
                         else if (id == 0xFFFF)
                             QVERIFY(!popup);
                         else
                             QVERIFY(!popup || popup->Html().contains(platform::help::kNoTopicText));
                     }
                 });
    }

private:
    std::unique_ptr<ViewFixture> f;
};

QTEST_MAIN(TestListInfoDlg)
#include "tst_listinfodlg.moc"
