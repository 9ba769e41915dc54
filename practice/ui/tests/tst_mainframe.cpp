#include "platform/framework/commandids.h"
#include "platform/framework/recentfiles.h"
#include "platform/help/helppopup.h"
#include "platform/help/winhelp.h"
#include "practice/document/commands.h"
#include "practice/history/historyreader.h"
#include "practice/history/historywindow.h"
#include "practice/history/resultkeeper.h"
#include "practice/review/reviewwindow.h"
#include "practice/testview/wordwellview.h"
#include "practice/ui/aboutdlg.h"
#include "practice/ui/mainframe.h"
#include "practice/ui/practiceapp.h"
#include "practice/ui/reviewcommands.h"
#include "practice/voice/voicesettings.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"
#include "testsupport/practice/practiceprogram.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWhatsThis>

#include <memory>

using namespace platform::framework;
using namespace practice;

namespace {
// Each menu's title and its visible items, "-" for a separator.
QStringList menuCaptions(const QMainWindow* window)
{
    QStringList items;
    const auto titles = window->menuBar()->actions();
    for (const QAction* title : titles) {
        items << title->text();
        const auto actions = title->menu()->actions();
        for (const QAction* a : actions) {
            if (a->isVisible())
                items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        }
    }
    return items;
}

// Runs `inside` on the modal window that opens next, once it is up.
template <class Window>
void onModal(QObject* context, const std::function<void(Window*)>& inside)
{
    QTimer::singleShot(0, context, [inside] {
        if (auto* window = qobject_cast<Window*>(QApplication::activeModalWidget()))
            inside(window);
    });
}
}  // namespace

class TestMainFrame : public QObject {
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<IsolatedHome>(); }
    void cleanup()
    {
        platform::help::WinHelp(nullptr, QString(), platform::help::HELP_QUIT, 0);
        m_app.reset();
        m_home.reset();
    }

    // A list that cannot be opened ends start-up. /p and /pt print the list's
    // form and end the program; the test machine has no printer (IsolatedHome),
    // so the failures are what can be seen.
    void startUpThatCannotGoOnSaysWhy_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("a list that cannot be opened") << QStringList{"<work>/absent.spl"} << "\"<work>/absent.spl\"";
        const QString print = "The form could not be printed: ";
        QTest::newRow("no printer") << QStringList{"/p", kSample} << print + "there is no default printer.";
        QTest::newRow("an unknown printer") << QStringList{"/pt", kSample, "Office Laser", "drv", "port"}
                                            << print + "there is no printer \"Office Laser\".";
        QTest::newRow("no list") << QStringList{"/p"} << print + "no list was named.";
        QTest::newRow("a list with recordings") << QStringList{"-p", "<work>/Week.SPLZ"}
                                                << print + "\"<work>/Week.SPLZ\" is a spelling list with recordings "
                                                           "(open it first, then print the form).";
    }

    void startUpThatCannotGoOnSaysWhy()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        arguments.replaceInStrings("<work>", m_home->work());
        WriteFileForTest(m_home->work() + "/Week.SPLZ", QByteArray("PK\x03\x04", 4));
        m_app = std::make_unique<CPracticeApp>(arguments);
        MessageBoxRecorder boxes;
        // A program that started its event loop instead would wait for ever.
        QTimer stuck;
        connect(&stuck, &QTimer::timeout, qApp, [] { QApplication::exit(99); });
        stuck.start(10000);
        QCOMPARE(m_app->Run(), 1);
        QCOMPARE(boxes.texts().size(), 1);
        QVERIFY2(boxes.texts()[0].contains(message.replace("<work>", m_home->work())), qPrintable(boxes.texts()[0]));
        QVERIFY(!frame() || !frame()->isVisible());
    }

    // Each command group's items in their place. The status bar follows the
    // lock keys; Shift+F1 enters help mode; only F1's first press is the
    // control's help, while it is held down its repeats reach the accelerator
    // (F1: Help Topics); the About box closes by Enter; Help Topics without
    // its help file names it (the reason: tst_winhelp).
    void theFrameCarriesItsCommandsAndKeys()
    {
        QVERIFY(StartWordwell(m_app, {}));
        QCOMPARE(menuCaptions(frame()),
                 (QStringList{"&File", "&New", "&Open...", "&Save", "Save &As...", "-", "Recent File", "-", "E&xit",
                              "-", "&Export List with Recordings...", "Open List with &Recordings...",
                              "Print &Test Sheet...", "Save Test Sheet as P&DF...", "-", "P&ublish List to Class...",
                              "Open &Class List...", "&Tools",
                              "(&Add To)/(Create) --  Spelling List", "&Take Wordwell", "Current List &Information",
                              "&Stop Taking Current Test", "-", "&Make Missing Clips...", "Speak &Unrecorded Words",
                              "Computer &Voice...", "-", "&Review the Test...", "&Practise Missed Words", "&Learner...",
                              "&History...", "-", "&Class...", "&Help", "&Help Topics", "-", "&About Wordwell Practice...",
                              "&Web Page -- Internet WWW"}));
        QCOMPARE(frame()->GetCommand(ID_FILE_OPEN)->shortcut(), QKeySequence("Ctrl+O"));
        // The bars' "more items" arrows, read when first drawn, are the style's own.
        const auto* style = qobject_cast<const QProxyStyle*>(QApplication::style());
        QVERIFY(style);
        const QIcon own = style->baseStyle()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
        const auto painted = [](const QIcon& icon) {
            QImage image(24, 16, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            icon.paint(&painter, image.rect());
            return image;
        };
        for (const char* button : {"qt_menubar_ext_button", "qt_toolbar_ext_button"}) {
            const QIcon shown = frame()->findChild<QToolButton*>(button)->icon();
            QCOMPARE(shown.availableSizes(), own.availableSizes());
            QCOMPARE(painted(shown), painted(own));
            for (const QSize size : {QSize(16, 10), QSize(24, 24)}) {
                for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
                    for (const qreal ratio : {1.0, 2.0})
                        QCOMPARE(shown.pixmap(size, ratio, mode).toImage(), own.pixmap(size, ratio, mode).toImage());
                }
            }
        }

        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : frame();
        QLabel* caps = frame()->Indicator(ID_INDICATOR_CAPS);
        QVERIFY(!caps->isEnabled());
        QTest::keyClick(focus, Qt::Key_CapsLock);
        QVERIFY(caps->isEnabled());
        QTest::keyClick(focus, Qt::Key_CapsLock);
        QVERIFY(!caps->isEnabled());
        QTest::keyClick(focus, Qt::Key_F1, Qt::ShiftModifier);
        QCOMPARE(frame()->statusBar()->currentMessage(), QString("Select an object on which to get Help"));
        QWhatsThis::leaveWhatsThisMode();
        QCOMPARE(frame()->statusBar()->currentMessage(), QString());

        QVERIFY(m_app->OpenDocumentFile(kSample));
        frame()->RouteCommand(ID_TOOLS_TAKETEST);
        for (const bool autoRepeat : {false, true}) {
            QLineEdit* answer = view()->m_editAnswer;
            answer->activateWindow();
            answer->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), answer);
            QTest::simulateEvent(answer, true, Qt::Key_F1, Qt::NoModifier, QString(), autoRepeat);
            auto* popup = qobject_cast<platform::help::CHelpPopup*>(platform::help::CurrentPopup());
            QCOMPARE(popup && popup->Html().contains("type the word you heard"), !autoRepeat);
            QCOMPARE(platform::help::CurrentHelpTopics() != nullptr, autoRepeat);
            platform::help::WinHelp(nullptr, QString(), platform::help::HELP_QUIT, 0);
            QTRY_VERIFY(!platform::help::CurrentPopup());
        }

        onModal<practice::ui::CAboutDlg>(this, [](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Return); });
        QVERIFY(frame()->RouteCommand(ID_APP_ABOUT));

        m_app->SetHelpFilePath(m_home->work() + "/Wordwell.hlp");
        MessageBoxRecorder boxes;
        QVERIFY(frame()->RouteCommand(ID_HELP_FINDER));
        QCOMPARE(boxes.texts().size(), 1);
        QVERIFY(boxes.texts().first().startsWith("Cannot open the help file \"" + m_home->work() + "/Wordwell.hlp\""));
    }

    // Review and practice come once a test is over; the learner's name is in
    // the status bar while a test runs; the review's practise button starts
    // the round on the same form. The History window's Export to CSV asks
    // where and writes there; its practise button starts a round of the words
    // most missed, recorded as that round again when practised once more, not
    // as the open list's. Ctrl+N ends a running test and empties the form.
    // Speak Unrecorded Words is a setting of its own; Make Missing Clips, enabled
    // with a list, fills the gaps and says what it did (its rules: tst_voice).
    void anEndedTestIsReviewedAndPractised()
    {
        const QString csv = m_home->work() + "/mine.csv";
        QVERIFY(StartWordwell(m_app, {kSample}));
        // A screen reader hears the title.
        const QAccessibleInterface* title = QAccessible::queryAccessibleInterface(frame());
        QCOMPARE(title->text(QAccessible::Name), QString("Sample.spl - Wordwell Practice"));
        QCOMPARE(m_app->RecentFileList()->Entries(), QStringList{kSample});
        m_app->SetFilePrompt([&](const QString& name, bool) { return name == "Learner history.csv" ? csv : QString(); });
        const QLabel* learner = frame()->findChild<QLabel*>("learnerPane");
        const auto enabled = [this](unsigned id) {
            frame()->UpdateCommandUI();
            return frame()->GetCommand(id)->isEnabled();
        };
        const auto missAWord = [this] {
            view()->m_editAnswer->setText("wrong");
            view()->OnCheck();
        };
        QVERIFY(!enabled(ID_TOOLS_REVIEWTEST) && !enabled(ID_TOOLS_PRACTISEMISSED) && enabled(ID_TOOLS_LEARNER));
        frame()->RouteCommand(ID_TOOLS_TAKETEST);
        const QString firstWord = view()->m_strTestWord;
        QCOMPARE(learner->isVisible() ? learner->text() : QString(), QString("Learner"));
        QVERIFY(!enabled(ID_TOOLS_LEARNER) && !enabled(ID_TOOLS_REVIEWTEST));
        missAWord();
        frame()->RouteCommand(ID_TOOLS_STOPTEST);
        QVERIFY(!learner->isVisible());
        QVERIFY(enabled(ID_TOOLS_REVIEWTEST) && enabled(ID_TOOLS_PRACTISEMISSED));

        QString summary;
        onModal<CReviewWindow>(this, [&](CReviewWindow* review) {
            summary = review->Summary();
            review->PractiseButton()->click();
        });
        QVERIFY(frame()->RouteCommand(ID_TOOLS_REVIEWTEST));
        QVERIFY(summary.endsWith("(stopped after 1 word)"));
        QVERIFY(view()->m_bTesting && view()->LastTest().IsPractice() && view()->m_nWords == 1);
        QCOMPARE(learner->text(), QString("Learner (practice)"));
        QVERIFY(!enabled(ID_TOOLS_PRACTISEMISSED));
        missAWord();
        view()->OnNextWord();

        onModal<CHistoryWindow>(this, [](CHistoryWindow* history) {
            if (!QTest::qWaitForWindowActive(history))
                return history->done(-1);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::AltModifier);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::AltModifier);
        });
        QVERIFY(frame()->RouteCommand(ID_TOOLS_HISTORY));
        QVERIFY(ReadFileForTest(csv).contains("Learner,Date and time,"));
        QTRY_VERIFY(view()->m_bTesting);
        QCOMPARE(std::pair(view()->m_strTestWord, view()->m_nWords), std::pair(firstWord, 1));
        missAWord();
        view()->OnNextWord();
        QVERIFY(frame()->RouteCommand(ID_TOOLS_PRACTISEMISSED));
        QCOMPARE(view()->LastTest().ListName(), QString("Most missed words"));
        QVERIFY(view()->LastTest().ListPath().isEmpty() && view()->LastTest().IsPractice());
        QTRY_VERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(!view()->m_bTesting);
        QCOMPARE(title->text(QAccessible::Name), QString("Untitled - Wordwell Practice"));

        const QString list = m_home->work() + "/animals.spl";
        WriteFileForTest(list, QByteArray("\x03\x00\x03" "bee" "\x03" "Ant" "\x02" "?!", 13));
        QVERIFY(m_app->OpenDocumentFile(list));
        QAction* speak = frame()->GetCommand(ID_TOOLS_SPEAKUNRECORDED);
        speak->trigger();
        QVERIFY(speak->isChecked() && practice::voice::SpeakUnrecordedWords());
        m_app->m_strWordsPath = m_home->work() + "/wp";
        MessageBoxRecorder boxes;
        QVERIFY(enabled(ID_TOOLS_MAKECLIPS));
        frame()->GetCommand(ID_TOOLS_MAKECLIPS)->trigger();
        WriteFileForTest(m_app->m_strWordsPath + "/words/ant.wav", "recorded");
        frame()->GetCommand(ID_TOOLS_MAKECLIPS)->trigger();
        QCOMPARE(boxes.texts().size(), 2);
        QCOMPARE(boxes.texts()[1], QString("1 clip was made.\n\nThese words have no clip:\n"
                                           "\"?!\": the word has no letter to speak"));
    }

    // Each test that ends goes to the history. Closing the window during a
    // test keeps the test, as stopped; a result held since the database could
    // not take it is retried then, and said to be lost when it still cannot.
    void closingTheWindowKeepsWhatItCan_data()
    {
        QTest::addColumn<bool>("blocked");
        QTest::newRow("a test running") << false;
        QTest::newRow("a result held and the database still blocked") << true;
    }

    void closingTheWindowKeepsWhatItCan()
    {
        QFETCH(bool, blocked);
        QVERIFY(StartWordwell(m_app, {kSample}));
        // A file where the history's folder should be keeps the database from being made.
        const QString folder = QFileInfo(CResultKeeper::DefaultPath()).absolutePath();
        if (blocked)
            WriteFileForTest(folder, "");
        MessageBoxRecorder boxes;
        frame()->RouteCommand(ID_TOOLS_TAKETEST);
        view()->m_editAnswer->setText(view()->m_strTestWord);
        view()->OnCheck();
        if (blocked)
            frame()->RouteCommand(ID_TOOLS_STOPTEST);
        QVERIFY(frame()->close());
        const QStringList ends{"This result is not saved yet: Wordwell keeps it while it runs and saves it with the next "
                               "result.",
                               "This result is lost as Wordwell closes."};
        QCOMPARE(boxes.texts().size(), blocked ? 2 : 0);
        for (int i = 0; i < boxes.texts().size(); ++i)
            QVERIFY2(boxes.texts()[i].contains(folder) && boxes.texts()[i].endsWith(ends[i]), qPrintable(boxes.texts()[i]));
        if (blocked)
            return;
        CHistoryReader reader(CResultKeeper::DefaultPath());
        QString error, notice;
        QList<practice::history::StoredTest> tests;
        QVERIFY2(reader.Open(&error, &notice) && reader.Tests("Learner", &tests, &error), qPrintable(error));
        QVERIFY(tests.size() == 1 && tests[0].stopped && tests[0].right == 1);
    }

    // The menu's "Wordwell Help" entry starts the program on its help file.
    void givenItsHelpFileItIsOnlyTheHelpViewer()
    {
        m_app = std::make_unique<CPracticeApp>(QStringList{kHelpFile});
        MessageBoxRecorder boxes;
        QVERIFY(m_app->InitInstance());
        QCOMPARE(boxes.texts(), QStringList{});
        QVERIFY(platform::help::CurrentHelpTopics() && platform::help::CurrentHelpTopics()->isVisible());
        QCOMPARE(QApplication::topLevelWidgets().size(), 1);
    }

private:
    CMainFrame* frame() const { return static_cast<CMainFrame*>(m_app->GetMainWnd()); }
    CWordwellView* view() const { return ViewOf(*m_app); }

    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<CPracticeApp> m_app;
};

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
