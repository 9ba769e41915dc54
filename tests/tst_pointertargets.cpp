#include "platform/framework/dialogtemplate.h"
#include "platform/framework/frame.h"
#include "platform/framework/helprequest.h"
#include "platform/help/helppopup.h"
#include "platform/help/winhelp.h"
#include "practice/classroom/classdlg.h"
#include "practice/classroom/classlistsdlg.h"
#include "practice/classroom/classpassword.h"
#include "practice/classroom/classresultspage.h"
#include "practice/classroom/publishdlg.h"
#include "practice/document/commands.h"
#include "practice/editor/listinfodlg.h"
#include "practice/editor/spellinglistdlg.h"
#include "practice/history/historyreader.h"
#include "practice/history/historywindow.h"
#include "practice/history/resultkeeper.h"
#include "practice/review/learnerdlg.h"
#include "practice/review/reviewwindow.h"
#include "practice/share/importdlg.h"
#include "practice/share/importjob.h"
#include "practice/ui/aboutdlg.h"
#include "practice/ui/practiceapp.h"
#include "practice/voice/makeclipsdlg.h"
#include "practice/voice/voicedlg.h"
#include "practice/voice/voicesettings.h"
#include "setup/wizard/setupsheet.h"
#include "testsupport/installmedium.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/practice/practiceprogram.h"
#include "uninstall/aboutdlg.h"
#include "uninstall/uninstalldlg.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QTextDocument>
#include <QToolBar>

#include <memory>

namespace {

using Make = std::function<QWidget*(QWidget* mainWindow)>;

template <class Dialog>
QWidget* initialised(QWidget* parent)
{
    auto* dialog = new Dialog(parent);
    dialog->OnInitDialog();
    return dialog;
}

// The install wizard with its page `index` in view.
QWidget* setupPage(int index)
{
    WriteInstallMedium(QDir::currentPath());
    QWidget* sheet = initialised<setup::wizard::CSetUpSheet>(nullptr);
    sheet->findChild<QStackedWidget*>()->setCurrentIndex(index);
    return sheet;
}

// A test of two words, one of them missed.
const practice::review::CTestRecord& aTest()
{
    static practice::review::CTestRecord test;
    test.Start(QStringLiteral("Ann"), kSample, 2, false);
    test.Answer(QStringLiteral("cat"), QStringLiteral("cat"), true);
    test.Answer(QStringLiteral("house"), QStringLiteral("huose"), false);
    test.Finish();
    return test;
}

// The window chosen for `learner`, with Ann's test kept.
QWidget* historyOfATest(QWidget* mainWindow, const QString& learner)
{
    CResultKeeper keeper;
    QString error;
    if (!keeper.Keep(aTest(), &error))
        qFatal("%s", qPrintable(error));
    auto* reader = new CHistoryReader(CResultKeeper::DefaultPath());
    auto* window = new CHistoryWindow(*reader, learner, learner, mainWindow);
    // The window's reader goes with the window.
    QObject::connect(window, &QObject::destroyed, [reader] { delete reader; });
    return window;
}

// The History window with the class's page, its rows come.
QWidget* historyWithAClass(QWidget* mainWindow)
{
    auto* page = new CClassResultsPage({}, CHistoryWindow::kMissedShown, true);
    page->Show({{QStringLiteral("Ann"), QStringLiteral("Week 3"), 50, 100, 2, QDateTime::currentDateTime()}},
               {{QStringLiteral("house"), 2, 3}});
    auto* reader = new CHistoryReader(CResultKeeper::DefaultPath());
    auto* window = new CHistoryWindow(*reader, QStringLiteral("Ann"), QStringLiteral("Ann"), mainWindow, page);
    QObject::connect(window, &QObject::destroyed, [reader] { delete reader; });
    return window;
}

// The voices asked of a speech program that is not there: the dialog says so.
QWidget* voicesWithoutSpeech(QWidget* mainWindow)
{
    qputenv("WORDWELL_SPEECH_PROGRAM", "/nonexistent/espeak-ng");
    QSignalSpy listed(practice::voice::VoiceList(), &practice::voice::CVoiceList::listed);
    auto* dialog = initialised<CVoiceDlg>(mainWindow);
    listed.wait();
    qunsetenv("WORDWELL_SPEECH_PROGRAM");
    return dialog;
}

// A widget the pointer passes through, or one inside such a widget.
bool letsThePointerThrough(const QWidget* widget, const QWidget* window)
{
    return widget && widget != window
           && (widget->testAttribute(Qt::WA_TransparentForMouseEvents)
               || letsThePointerThrough(widget->parentWidget(), window));
}

// A widget made to be pressed, typed into or picked from.
bool takesInput(const QWidget* widget)
{
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLineEdit*>(widget)
           || qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QAbstractItemView*>(widget)
           || qobject_cast<const QAbstractSlider*>(widget);
}

QString describe(const QWidget* widget)
{
    return widget ? QStringLiteral("%1 \"%2\"").arg(QLatin1String(widget->metaObject()->className()),
                                                    widget->accessibleName())
                  : QStringLiteral("nothing");
}

// What a screen reader makes of a text: no markup, no mnemonic marks, one line.
QString spoken(QString text, bool rich)
{
    if (rich) {
        QTextDocument document;
        document.setHtml(text);
        text = document.toPlainText();
    }
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(u'&').replace(u'\x01', u'&');
    return text.simplified();
}

// A label's text reaches a screen reader only through its accessible name
// (Orca reads a named label by its name, never its description): a fixed
// name stands in for whatever the label shows later. An abbreviation in
// capitals, as "SCRL" for "Scroll Lock", stands for its name.
QString labelFault(QLabel* label)
{
    const bool rich = label->textFormat() == Qt::RichText
                      || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
    const QString shown = spoken(label->text(), rich);
    const QString name = spoken(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name), false);
    const bool abbreviates = shown.size() >= 2 && shown.toUpper() == shown && !shown.contains(u' ')
                             && name.startsWith(shown.front(), Qt::CaseInsensitive) && name.size() > shown.size();
    if (shown.isEmpty() || name == shown || abbreviates)
        return {};
    return QStringLiteral("not read: \"%1\" in ").arg(shown) + describe(label);
}

// What the shown window does wrong for the pointer, a screen reader or the
// eye. Whatever lies at the centre of an enabled control must be the control
// itself or a part of it: a frame or a window drawn over it would take its
// clicks, its help-mode clicks and its pointer. Only decorations let the
// pointer through. A screen reader says what the accessibility interface
// names a control: a tab stop with no name is read as a bare role, and two of
// one name (the editor's Play and the play bar's) cannot be told apart. Each
// line of a caption fits its button, the multi-line ones too.
QStringList shownFaults(QWidget* window)
{
    QStringList faults;
    QSet<QString> names;
    int pointed = 0;
    const auto widgets = window->findChildren<QWidget*>();
    for (QWidget* control : widgets) {
        if (control->isWindow() || !control->isVisible())
            continue;
        if (control->isEnabled() && letsThePointerThrough(control, window)) {
            if (takesInput(control))
                faults << describe(control) + QStringLiteral(" lets the pointer through");
        } else if (control->isEnabled()) {
            ++pointed;
            const QWidget* hit = window->childAt(control->mapTo(window, control->rect().center()));
            if (hit != control && !control->isAncestorOf(hit))
                faults << describe(control) + QStringLiteral(" lies under ") + describe(hit);
        }
        if (takesInput(control) && (control->focusPolicy() & Qt::TabFocus)) {
            const QString name = QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).trimmed();
            if (name.isEmpty() || names.contains(name))
                faults << QStringLiteral("no name of its own: ") + describe(control);
            names.insert(name);
        }
        if (auto* label = qobject_cast<QLabel*>(control))
            faults << labelFault(label);
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            const QStringList lines = button->text().split(u'\n');
            for (const QString& line : lines) {
                if (button->fontMetrics().horizontalAdvance(spoken(line, false)) >= button->width())
                    faults << QStringLiteral("cut: \"%1\" in ").arg(spoken(line, false)) + describe(button);
            }
        }
    }
    if (pointed == 0)
        faults << QStringLiteral("no control to point at");
    if (names.isEmpty())
        faults << QStringLiteral("no control to name");
    faults.removeAll(QString());
    return faults;
}

// Tab from the first control must come to every tab stop, and never stop in
// one: a multi-line edit that swallowed Tab would trap a keyboard user there.
QStringList unreachedControls(QWidget* window)
{
    QSet<QWidget*> reached;
    for (int press = 0; press < 64; ++press) {
        QWidget* focus = QApplication::focusWidget();
        if (!focus || !window->isAncestorOf(focus))
            return {QStringLiteral("the focus left the window")};
        reached.insert(focus);
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    QStringList missed;
    const auto widgets = window->findChildren<QWidget*>();
    for (QWidget* control : widgets) {
        // The toolbar is reached by its own keys, not by Tab.
        if (!control->isVisible() || !control->isEnabled() || !takesInput(control)
            || !(control->focusPolicy() & Qt::TabFocus) || qobject_cast<QToolBar*>(control->parentWidget()))
            continue;
        if (std::none_of(reached.begin(), reached.end(), [control](QWidget* focused) {
                return focused == control || control->isAncestorOf(focused) || focused->focusProxy() == control;
            }))
            missed << QStringLiteral("not reached: ") + describe(control);
    }
    return missed;
}

// A control given a help topic shows it, not the help file's "no topic", on F1
// or a help-mode click. Where nothing of the form answers (the About box's OK),
// F1 goes on to the program's Help command.
QStringList unhelpedControls(QWidget* window)
{
    QStringList unhelped;
    const auto widgets = window->findChildren<QWidget*>();
    for (QWidget* control : widgets) {
        if (!control->isVisible() || !platform::framework::GetWindowContextHelpId(control)
            || !platform::framework::SendHelpRequest(control, control->mapToGlobal(QPoint(1, 1))))
            continue;
        const auto* popup = qobject_cast<platform::help::CHelpPopup*>(platform::help::CurrentPopup());
        if (!popup || popup->Html().contains(platform::help::kNoTopicText))
            unhelped << QStringLiteral("no help topic: ") + describe(control);
    }
    return unhelped;
}

}  // namespace

class TestPointerTargets : public QObject {
    Q_OBJECT

private slots:
    // Every dialog and form template of Wordwell, Setup and Ridwell; Wordwell's
    // over Wordwell, started on the sample list, whose main window `make` gets.
    // With nothing to make, the form is Wordwell's testing form, shown with a
    // test running, so that Listen, the answer and CHECK are enabled.
    void everyControlIsNamedReachedAndPointedAt_data()
    {
        QTest::addColumn<Make>("make");
        QTest::newRow("Wordwell testing form") << Make();
        QTest::newRow("Wordwell list editor") << Make(initialised<CSpellingListDlg>);
        QTest::newRow("Wordwell list information") << Make(initialised<CListInfoDlg>);
        QTest::newRow("Wordwell About box") << Make([](QWidget* w) { return new practice::ui::CAboutDlg(w); });
        QTest::newRow("Wordwell computer voice without its speech program") << Make(voicesWithoutSpeech);
        // Shown as it is while words are spoken; the maker is not started and
        // its progress is sent here.
        QTest::newRow("Wordwell making missing clips") << Make([](QWidget* w) {
            auto* maker = new practice::voice::CClipMaker({QStringLiteral("owl"), QStringLiteral("bee")}, QString(),
                                                          QStringLiteral("en"), w);
            auto* dialog = new CMakeClipsDlg(maker, w);
            emit maker->progress(QStringLiteral("owl"), 1, 2);
            return dialog;
        });
        // Shown as it is while clips are written; the job is not started and
        // its progress is sent here.
        QTest::newRow("Wordwell opening a list with recordings") << Make([](QWidget* w) {
            using namespace practice::share;
            auto* job = new CImportJob([](const InstallProgress&) { return true; }, w);
            auto* dialog = new CImportDlg(job, QStringLiteral("Writing the clips of \"pets.splz\""), w);
            emit job->progress(1, 2);
            return dialog;
        });
        QTest::newRow("Wordwell learner") << Make([](QWidget* w) { return new CLearnerDlg(w); });
        QTest::newRow("Wordwell review of the test") << Make([](QWidget* w) { return new CReviewWindow(aTest(), w); });
        QTest::newRow("Wordwell history") << Make([](QWidget* w) { return historyOfATest(w, QStringLiteral("Ann")); });
        QTest::newRow("Wordwell history of a learner without tests")
            << Make([](QWidget* w) { return historyOfATest(w, QStringLiteral("Ben")); });
        QTest::newRow("Wordwell history with a class") << Make(historyWithAClass);
        QTest::newRow("Wordwell class") << Make(initialised<CClassDlg>);
        QTest::newRow("Wordwell class password")
            << Make([](QWidget* w) { return new CClassPasswordDlg(QStringLiteral("ann_b"), w); });
        QTest::newRow("Wordwell publishing a list to the class")
            << Make([](QWidget* w) { return new CPublishDlg(QStringLiteral("Week 3"), w); });
        QTest::newRow("Wordwell lists of the class") << Make([](QWidget* w) {
            return new CClassListsDlg({{1, QStringLiteral("Week 3"), QDate(2026, 12, 24), QDateTime::currentDateTime()},
                                       {2, QStringLiteral("Week 2"), QDate(), QDateTime::currentDateTime()}},
                                      w);
        });
        QTest::newRow("Ridwell Uninstall") << Make([](QWidget*) { return new CUninstallDlg; });
        QTest::newRow("Ridwell About box") << Make([](QWidget*) { return new CAboutDlg; });
        const char* const pages[] = {"Welcome", "License", "Directory", "Program Group", "End"};
        for (int i = 0; i < 5; ++i)
            QTest::addRow("Setup page %s", pages[i]) << Make([i](QWidget*) { return setupPage(i); });
    }

    // Each form shown once in a home of its own; Tab comes after what it would
    // move, help last, as its pop-up takes the focus.
    void everyControlIsNamedReachedAndPointedAt()
    {
        const bool overWordwell = QByteArray(QTest::currentDataTag()).startsWith("Wordwell");
        QFETCH(Make, make);
        IsolatedHome home;
        std::unique_ptr<CPracticeApp> app;
        QVERIFY(!overWordwell || StartWordwell(app, {kSample}));
        QWidget* window = overWordwell ? app->GetMainWnd() : nullptr;
        // Goes before the program does.
        const std::unique_ptr<QWidget> dialog(make ? make(window) : nullptr);
        if (dialog) {
            window = dialog.get();
            window->show();
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
        } else {
            // A learner of their own, so that the status bar's pane shows a name.
            app->WriteProfileString("Learner", "Name", "Ann");
            static_cast<platform::framework::CFrameWnd*>(window)->RouteCommand(practice::ID_TOOLS_TAKETEST);
        }
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QStringList faults = shownFaults(window);
        faults += unreachedControls(window);
        faults += unhelpedControls(window);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    }
};

QTEST_MAIN(TestPointerTargets)
#include "tst_pointertargets.moc"
