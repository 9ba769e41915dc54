#include "platform/framework/dialogtemplate.h"
#include "platform/help/helpfile.h"
#include "platform/help/helppopup.h"
#include "platform/help/helptopics.h"
#include "platform/help/winhelp.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

#include <memory>

using namespace platform::help;
using platform::framework::MakeHelpId;

namespace {
const QString kHelpFile = QStringLiteral(WW_HELP_DIR "/Wordwell.hlp");
}

class TestWinHelp : public QObject {
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<IsolatedHome>(); }
    void cleanup()
    {
        WinHelp(nullptr, QString(), HELP_QUIT, 0);
        QTest::qWait(0);
        m_home.reset();
    }

    void theProductHelpHasATopicForEveryControlWithAHelpId()
    {
        QString error;
        const auto help = HelpFile::Load(kHelpFile, &error);
        QVERIFY2(help, qPrintable(error));
        const QList<QPair<int, QList<int>>> forms{
            {101, {1005, 1006, 1007, 1009, 1011, 1012, 1013, 1014, 1015, 1027}},  // the testing form
            {130, {1004, 1001, 1002, 1000, 1003, 1018, 1, 2, 1017, 1023}},        // the editor
            {136, {1024, 1025}},                                                  // list information
            {100, {1}}};                                                          // about
        for (const auto& [templateId, controls] : forms) {
            for (int controlId : controls) {
                const QString topic = help->PopupTopic(MakeHelpId(templateId, controlId));
                QVERIFY2(topic.size() > 20 && !topic.contains("<section"),
                         qPrintable(ContextIdName(MakeHelpId(templateId, controlId))));
            }
        }
    }

    void contentsLinesGiveLevelsHeadingsAndTopics()
    {
        const HelpContents c = ParseContents(":Base x.hlp\n:Title My Help\n1 Start=start\n1 Teachers\n"
                                             "2 Build a list = build\n; a remark\n\n2 \"A=B\" explained=eq\n");
        QCOMPARE(c.title, QString("My Help"));
        QStringList entries;
        for (const ContentsEntry& e : c.entries)
            entries << QString::number(e.level) + " " + e.title + "=" + e.topic;
        QCOMPARE(entries, (QStringList{"1 Start=start", "1 Teachers=", "2 Build a list=build", "2 \"A=B\" explained=eq"}));
        QCOMPARE(ContentsPathFor("/opt/w/Wordwell.hlp"), QString("/opt/w/Wordwell.cnt"));
        // Context ids are written as the help file names them.
        QCOMPARE(ContextIdName(0x806503EE), QString("0x806503EE"));
        QCOMPARE(ContextIdName(0x20), QString("0x00000020"));
    }

    void aPopupShowsTheTopicBesideTheControlOrWhyNot()
    {
        QWidget window;
        window.resize(400, 300);
        auto* button = new QPushButton("CHECK", &window);
        button->setGeometry(20, 20, 80, 24);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(WinHelp(&window, kHelpFile, HELP_CONTEXTPOPUP, 0x806503F1, button));
        auto* popup = qobject_cast<CHelpPopup*>(CurrentPopup());
        QVERIFY(popup);
        QVERIFY(popup->Html().contains("<b>CHECK</b> marks your answer"));
        QVERIFY(popup->x() >= button->mapToGlobal(QPoint(button->width(), 0)).x());
        // A screen reader finds it among the program's windows, a help balloon
        // that speaks its topic, and it has the focus.
        QAccessibleInterface* note = QAccessible::queryAccessibleInterface(popup);
        QVERIFY(QAccessible::queryAccessibleInterface(qApp)->indexOfChild(note) >= 0);
        QCOMPARE(note->role(), QAccessible::HelpBalloon);
        QCOMPARE(note->text(QAccessible::Name), QString("Help"));
        QVERIFY(note->text(QAccessible::Description).startsWith("CHECK marks your answer"));
        QTRY_VERIFY(popup->isActiveWindow());
        QTest::keyClick(popup, Qt::Key_Escape);
        QTRY_VERIFY(!CurrentPopup());
        QTRY_VERIFY(window.isActiveWindow());
        // A click elsewhere closes it too.
        QVERIFY(WinHelp(&window, kHelpFile, HELP_CONTEXTPOPUP, 0x806503F1, button));
        QVERIFY(CurrentPopup());
        QTest::mouseClick(&window, Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
        QTRY_VERIFY(!CurrentPopup());
        // An id without a topic says so, and a missing file is reported with its name and reason.
        QVERIFY(WinHelp(&window, kHelpFile, HELP_CONTEXTPOPUP, 0x80650999));
        QCOMPARE(CurrentPopup()->findChild<QLabel*>()->text(), kNoTopicText);
        WinHelp(nullptr, QString(), HELP_QUIT, 0);
        QTRY_VERIFY(!CurrentPopup());
        MessageBoxRecorder boxes;
        const QString missing = m_home->work() + "/Wordwell.hlp";
        // Help Topics without it is tst_mainframe's.
        QVERIFY(!WinHelp(nullptr, missing, HELP_CONTEXTPOPUP, 0x806503F1));
        QCOMPARE(boxes.texts().size(), 1);
        QVERIFY(boxes.texts().first().startsWith("Cannot open the help file \"" + missing + "\": "));
        QVERIFY(!CurrentPopup());
    }

    void helpTopicsListsTheContentsAndShowsTheChosenTopic()
    {
        QVERIFY(WinHelp(nullptr, kHelpFile, HELP_FINDER, 0));
        auto* topics = qobject_cast<CHelpTopicsWindow*>(CurrentHelpTopics());
        QVERIFY(topics && topics->isVisible());
        QCOMPARE(topics->Contents()->topLevelItemCount(), 6);
        QCOMPARE(topics->Contents()->topLevelItem(0)->text(0), QString("Welcome to Wordwell Practice"));
        QVERIFY(topics->findChild<QTextBrowser*>()->toPlainText().contains("Taking a test"));
        topics->ShowTopic("take-test");
        QCOMPARE(topics->Contents()->currentItem()->text(0), QString("Taking a test"));
        // A second request brings the same window forward.
        QVERIFY(WinHelp(nullptr, kHelpFile, HELP_CONTENTS, 0));
        QCOMPARE(CurrentHelpTopics(), topics);
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_MAIN(TestWinHelp)
#include "tst_winhelp.moc"
