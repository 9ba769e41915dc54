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

#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>

namespace {

void showActive(QWidget* window)
{
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        qWarning("%s did not become active", window->metaObject()->className());
}

// Wordwell with the sample list open and a test running; `makeDialog` adds a
// dialog over the main window, or nothing for the testing form itself.
class WordwellForm : public ShownForm {
public:
    explicit WordwellForm(const std::function<QWidget*(QWidget* mainWindow)>& makeDialog = {})
    {
        if (!StartWordwell(m_app, {kSample}))
            qFatal("Wordwell did not start");
        auto* frame = static_cast<platform::framework::CFrameWnd*>(m_app->GetMainWnd());
        m_window = frame;
        if (makeDialog) {
            m_dialog.reset(makeDialog(frame));
            showActive(m_dialog.get());
            m_window = m_dialog.get();
        } else {
            // A learner of their own, so that the status bar's pane shows a name.
            m_app->WriteProfileString("Learner", "Name", "Ann");
            frame->RouteCommand(practice::ID_TOOLS_TAKETEST);
        }
    }
    ~WordwellForm() override
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

// A dialog that needs no application object.
class LoneDialog : public ShownForm {
public:
    explicit LoneDialog(const std::function<QWidget*()>& make) : m_dialog(make()) { showActive(m_dialog.get()); }
    QWidget* Window() const override { return m_dialog.get(); }

private:
    IsolatedHome m_home;
    std::unique_ptr<QWidget> m_dialog;
};

// The install wizard with its page `index` in view.
class SetupPage : public ShownForm {
public:
    explicit SetupPage(int index)
    {
        WriteInstallMedium(m_home.work());
        m_sheet = std::make_unique<setup::wizard::CSetUpSheet>();
        m_sheet->OnInitDialog();
        showActive(m_sheet.get());
        auto* pages = m_sheet->findChild<QStackedWidget*>();
        pages->setCurrentIndex(index);
    }
    QWidget* Window() const override { return m_sheet.get(); }

private:
    IsolatedHome m_home;
    std::unique_ptr<setup::wizard::CSetUpSheet> m_sheet;
};

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

QWidget* reviewOfATest(QWidget* mainWindow)
{
    return new CReviewWindow(aTest(), mainWindow);
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
        {QStringLiteral("Wordwell testing form"), [] { return std::make_unique<WordwellForm>(); }},
        {QStringLiteral("Wordwell list editor"),
         [] { return std::make_unique<WordwellForm>(initialised<CSpellingListDlg>); }},
        {QStringLiteral("Wordwell list information"),
         [] { return std::make_unique<WordwellForm>(initialised<CListInfoDlg>); }},
        {QStringLiteral("Wordwell About box"),
         [] { return std::make_unique<WordwellForm>([](QWidget* w) { return new practice::ui::CAboutDlg(w); }); }},
        {QStringLiteral("Wordwell computer voice without its speech program"),
         [] { return std::make_unique<WordwellForm>(voicesWithoutSpeech); }},
        {QStringLiteral("Wordwell making missing clips"), [] {
             // Shown as it is while words are spoken; the maker is not started
             // and its progress is sent here.
             return std::make_unique<WordwellForm>([](QWidget* w) {
                 auto* maker = new practice::voice::CClipMaker({QStringLiteral("owl"), QStringLiteral("bee")}, QString(),
                                                               QStringLiteral("en"), w);
                 auto* dialog = new CMakeClipsDlg(maker, w);
                 emit maker->progress(QStringLiteral("owl"), 1, 2);
                 return dialog;
             });
         }},
        {QStringLiteral("Wordwell opening a list with recordings"), [] {
             // Shown as it is while clips are written; the job is not started
             // and its progress is sent here.
             return std::make_unique<WordwellForm>([](QWidget* w) {
                 auto* job = new practice::share::CImportJob([](const practice::share::InstallProgress&) { return true; }, w);
                 auto* dialog = new practice::share::CImportDlg(job, QStringLiteral("Writing the clips of \"pets.splz\""), w);
                 emit job->progress(1, 2);
                 return dialog;
             });
         }},
        {QStringLiteral("Wordwell learner"),
         [] { return std::make_unique<WordwellForm>([](QWidget* w) { return new CLearnerDlg(w); }); }},
        {QStringLiteral("Wordwell review of the test"), [] { return std::make_unique<WordwellForm>(reviewOfATest); }},
        {QStringLiteral("Wordwell history"),
         [] { return std::make_unique<WordwellForm>([](QWidget* w) { return historyOfATest(w, QStringLiteral("Ann")); }); }},
        {QStringLiteral("Wordwell history of a learner without tests"),
         [] { return std::make_unique<WordwellForm>([](QWidget* w) { return historyOfATest(w, QStringLiteral("Ben")); }); }},
    };
    const char* const pages[] = {"Welcome", "License", "Directory", "Program Group", "End"};
    for (int i = 0; i < 5; ++i)
        forms.append({QStringLiteral("Setup page %1").arg(QLatin1String(pages[i])),
                      [i] { return std::make_unique<SetupPage>(i); }});
    forms.append({QStringLiteral("Ridwell Uninstall"), [] { return std::make_unique<LoneDialog>([] { return new CUninstallDlg; }); }});
    forms.append({QStringLiteral("Ridwell About box"), [] { return std::make_unique<LoneDialog>([] { return new CAboutDlg; }); }});
    return forms;
}
