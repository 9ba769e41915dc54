#include "everyform.h"

#include "platform/framework/doctemplate.h"
#include "platform/framework/frame.h"
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

#include <QDir>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>

namespace {

// A form in a home of its own. Over Wordwell, started on the sample list,
// `make` is given the main window; with nothing to make, the form is
// Wordwell's testing form, shown with a test running, so that Listen, the
// answer and CHECK are enabled.
class Shown : public ShownForm {
public:
    Shown(bool overWordwell, const std::function<QWidget*(QWidget* mainWindow)>& make)
    {
        if (overWordwell && !StartWordwell(m_app, {kSample}))
            qFatal("Wordwell did not start");
        m_window = overWordwell ? m_app->GetMainWnd() : nullptr;
        if (make) {
            m_dialog.reset(make(m_window));
            m_window = m_dialog.get();
            m_window->show();
            m_window->activateWindow();
            if (!QTest::qWaitForWindowActive(m_window))
                qWarning("%s did not become active", m_window->metaObject()->className());
        } else {
            // A learner of their own, so that the status bar's pane shows a name.
            m_app->WriteProfileString("Learner", "Name", "Ann");
            static_cast<platform::framework::CFrameWnd*>(m_window)->RouteCommand(practice::ID_TOOLS_TAKETEST);
        }
    }
    ~Shown() override
    {
        m_dialog.reset();
        m_app.reset();
    }
    QWidget* Window() const override { return m_window; }

private:
    IsolatedHome m_home;
    std::unique_ptr<CPracticeApp> m_app;
    std::unique_ptr<QWidget> m_dialog;
    QWidget* m_window = nullptr;
};

FormCase overWordwell(const char* name, const std::function<QWidget*(QWidget*)>& make)
{
    return {QLatin1String(name), [make] { return std::make_unique<Shown>(true, make); }};
}

FormCase alone(const QString& name, const std::function<QWidget*()>& make)
{
    return {name, [make] { return std::make_unique<Shown>(false, [make](QWidget*) { return make(); }); }};
}

// The install wizard with its page `index` in view.
QWidget* setupPage(int index)
{
    WriteInstallMedium(QDir::currentPath());
    auto* sheet = new setup::wizard::CSetUpSheet;
    sheet->OnInitDialog();
    sheet->findChild<QStackedWidget*>()->setCurrentIndex(index);
    return sheet;
}

template <class Dialog>
QWidget* initialised(QWidget* parent)
{
    auto* dialog = new Dialog(parent);
    dialog->OnInitDialog();
    return dialog;
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

// The window's reader goes with the window.
struct HeldReader : QObject {
    CHistoryReader reader{CResultKeeper::DefaultPath()};
};

// The window chosen for `learner`, with Ann's test kept.
QWidget* historyOfATest(QWidget* mainWindow, const QString& learner)
{
    CResultKeeper keeper;
    QString error;
    if (!keeper.Keep(aTest(), &error))
        qFatal("%s", qPrintable(error));
    auto* held = new HeldReader;
    auto* window = new CHistoryWindow(held->reader, learner, learner, mainWindow);
    held->setParent(window);
    return window;
}

// The voices asked of a speech program that is not there: the dialog says so.
QWidget* voicesWithoutSpeech(QWidget* mainWindow)
{
    qputenv("WORDWELL_SPEECH_PROGRAM", "/nonexistent/espeak-ng");
    QSignalSpy listed(practice::voice::VoiceList(), &practice::voice::CVoiceList::listed);
    auto* dialog = initialised<CVoiceDlg>(mainWindow);
    if (!listed.wait())
        qWarning("the voices were never listed");
    qunsetenv("WORDWELL_SPEECH_PROGRAM");
    return dialog;
}

}  // namespace

QList<FormCase> EveryForm()
{
    QList<FormCase> forms{
        overWordwell("Wordwell testing form", {}),
        overWordwell("Wordwell list editor", initialised<CSpellingListDlg>),
        overWordwell("Wordwell list information", initialised<CListInfoDlg>),
        overWordwell("Wordwell About box", [](QWidget* w) { return new practice::ui::CAboutDlg(w); }),
        overWordwell("Wordwell computer voice without its speech program", voicesWithoutSpeech),
        // Shown as it is while words are spoken; the maker is not started and
        // its progress is sent here.
        overWordwell("Wordwell making missing clips",
                     [](QWidget* w) {
                         auto* maker = new practice::voice::CClipMaker({QStringLiteral("owl"), QStringLiteral("bee")},
                                                                       QString(), QStringLiteral("en"), w);
                         auto* dialog = new CMakeClipsDlg(maker, w);
                         emit maker->progress(QStringLiteral("owl"), 1, 2);
                         return dialog;
                     }),
        // Shown as it is while clips are written; the job is not started and
        // its progress is sent here.
        overWordwell("Wordwell opening a list with recordings",
                     [](QWidget* w) {
                         auto* job = new practice::share::CImportJob(
                             [](const practice::share::InstallProgress&) { return true; }, w);
                         auto* dialog = new practice::share::CImportDlg(
                             job, QStringLiteral("Writing the clips of \"pets.splz\""), w);
                         emit job->progress(1, 2);
                         return dialog;
                     }),
        overWordwell("Wordwell learner", [](QWidget* w) { return new CLearnerDlg(w); }),
        overWordwell("Wordwell review of the test", [](QWidget* w) { return new CReviewWindow(aTest(), w); }),
        overWordwell("Wordwell history", [](QWidget* w) { return historyOfATest(w, QStringLiteral("Ann")); }),
        overWordwell("Wordwell history of a learner without tests",
                     [](QWidget* w) { return historyOfATest(w, QStringLiteral("Ben")); }),
        alone(QStringLiteral("Ridwell Uninstall"), [] { return new CUninstallDlg; }),
        alone(QStringLiteral("Ridwell About box"), [] { return new CAboutDlg; }),
    };
    const char* const pages[] = {"Welcome", "License", "Directory", "Program Group", "End"};
    for (int i = 0; i < 5; ++i)
        forms << alone(QStringLiteral("Setup page %1").arg(QLatin1String(pages[i])), [i] { return setupPage(i); });
    return forms;
}
