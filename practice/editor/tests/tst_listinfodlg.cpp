#include "platform/framework/dialogtemplate.h"
#include "platform/framework/frame.h"
#include "platform/framework/helprequest.h"
#include "platform/framework/messagebox.h"
#include "platform/help/helppopup.h"
#include "platform/help/winhelp.h"
#include "practice/document/wordwelldoc.h"
#include "practice/editor/editorforms.h"
#include "practice/editor/listinfodlg.h"
#include "testsupport/dialogdriver.h"
#include "testsupport/practice/viewfixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>

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
        QTest::newRow("one word") << QStringList{"cat"} << "1";
        QTest::newRow("repeated word counted twice") << QStringList{"cat", "dog", "cat"} << "3";
        QTest::newRow("case and blanks kept") << QStringList{"Cat", " cat", "cat "} << "3";
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
        QVERIFY(f->commandEnabled(32778));
        RunModal([&] { f->frame()->RouteCommand(32778); },
                 [&](CDialog* dialog) {
                     QCOMPARE(dialog->windowTitle(), QString("Spelling List Information"));
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

    void longWordsAreCutNotScrolled()
    {
        const QStringList words{QString(300, u'w')};
        CListInfoDlg dialog;
        dialog.m_pWordList = &words;
        RunModal([&] { dialog.DoModal(); },
                 [&](CDialog* d) {
                     QCOMPARE(listOf(d)->item(0)->text(), words.first());
                     QVERIFY(!listOf(d)->horizontalScrollBar()->isVisible());
                 });
    }

    void colours()
    {
        CListInfoDlg dialog;
        RunModal([&] { dialog.DoModal(); },
                 [&](CDialog* d) {
                     const QColor blue(128, 184, 223);
                     QCOMPARE(d->palette().color(QPalette::Window), blue);
                     const QImage image = d->grab().toImage();
                     // A label's background is the dialog's; the list and the count keep theirs.
                     const QWidget* list = listOf(d);
                     QCOMPARE(image.pixelColor(d->width() - 3, d->height() - 3), blue);
                     QVERIFY(image.pixelColor(list->geometry().center()) != blue);
                     QVERIFY(image.pixelColor(countOf(d)->geometry().center()) != blue);
                 });
    }

    void everyControlIsNamedAndHelped_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("name");
        QTest::addColumn<uint>("helpId");
        QTest::newRow("Return") << 1 << "Return" << 0u;
        QTest::newRow("list") << int(IDC_INFOLIST) << "Current Spelling List" << 0x80880400u;
        QTest::newRow("count") << int(IDC_COUNT) << "Number of Spelling Words" << 0x80880401u;
    }

    void everyControlIsNamedAndHelped()
    {
        QFETCH(int, id);
        QFETCH(QString, name);
        QFETCH(uint, helpId);
        CListInfoDlg dialog;
        RunModal([&] { dialog.DoModal(); },
                 [&](CDialog* d) {
                     QWidget* control = d->GetDlgItem(id);
                     QVERIFY(control);
                     QCOMPARE(control->accessibleName(), name);
                     QCOMPARE(platform::framework::GetWindowContextHelpId(control), helpId);
                     QVERIFY(platform::framework::SendHelpRequest(control, control->mapToGlobal(QPoint(1, 1))));
                     auto* popup = qobject_cast<platform::help::CHelpPopup*>(platform::help::CurrentPopup());
                     if (helpId == 0) {
                         QVERIFY(!popup || popup->Html().contains(platform::help::kNoTopicText));
                     } else {
                         QVERIFY(popup);
                         QVERIFY(!popup->Html().contains(platform::help::kNoTopicText));
                     }
                 });
    }

    void labelsAskForNoHelp()
    {
        CListInfoDlg dialog;
        RunModal([&] { dialog.DoModal(); },
                 [&](CDialog* d) {
                     const auto labels = d->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
                     for (QWidget* label : labels) {
                         if (platform::framework::GetDlgCtrlID(label) != 0xFFFF)
                             continue;
                         QVERIFY(platform::framework::SendHelpRequest(label, label->mapToGlobal(QPoint(1, 1))));
                         QVERIFY(!platform::help::CurrentPopup());
                     }
                 });
    }

private:
    std::unique_ptr<ViewFixture> f;
};

QTEST_MAIN(TestListInfoDlg)
#include "tst_listinfodlg.moc"
