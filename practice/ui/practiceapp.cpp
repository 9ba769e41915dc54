#include "practice/ui/practiceapp.h"

#include "platform/framework/commandids.h"
#include "platform/framework/commandline.h"
#include "platform/framework/doctemplate.h"
#include "platform/framework/extensionarrows.h"
#include "platform/framework/frame.h"
#include "platform/framework/helprequest.h"
#include "platform/framework/messagebox.h"
#include "platform/help/winhelp.h"
#include "practice/document/wordwelldoc.h"
#include "practice/share/sharecommands.h"
#include "practice/share/sharedlist.h"
#include "practice/testview/wordwellview.h"
#include "practice/ui/aboutdlg.h"
#include "practice/ui/mainframe.h"
#include "practice/ui/producticon.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTimer>

using namespace platform::framework;

namespace {
constexpr int kIconDelayMs = 200;
// Window title, document name, new-file type, filter, extension, file type id and name.
const QString kDocTemplateString = QStringLiteral(
    "Wordwell Practice\n\nSpell\nSpelli Files (*.spl)\n.SPL\nWordwell.Document\nSpell Document");

bool isSharedList(const QString& path)
{
    return path.endsWith(practice::share::kSharedListExtension, Qt::CaseInsensitive);
}
}  // namespace

CPracticeApp::CPracticeApp(QStringList arguments) : m_arguments(std::move(arguments))
{
    OnCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
}

bool CPracticeApp::InitInstance()
{
    CCommandLineInfo cmdInfo;
    ParseCommandLine(m_arguments, cmdInfo);
    // Given its help file (the menu's help entry does so), the program is that
    // file's viewer: the Help Topics window alone.
    if (cmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen
        && QFileInfo(cmdInfo.m_strFileName).suffix().compare(u"hlp", Qt::CaseInsensitive) == 0)
        return platform::help::WinHelp(nullptr, cmdInfo.m_strFileName, platform::help::HELP_FINDER, 0);

    DeferExtensionArrows();
    EstablishSettings();
    LoadStdProfileSettings(4);
    AddDocTemplate(std::make_unique<CSingleDocTemplate>(
        kDocTemplateString, [] { return std::make_unique<CWordwellDoc>(); },
        [] { return std::make_unique<CMainFrame>(); },
        [](CFrameWnd* frame) { return new CWordwellView(frame); }));

    // A list with its recordings (a file manager hands it over like a list)
    // opens once the window stands, on a new list. Printed, it would be read
    // as a list: it is refused.
    QString sharedList;
    if (cmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen && isSharedList(cmdInfo.m_strFileName)) {
        sharedList = cmdInfo.m_strFileName;
        cmdInfo.m_nShellCommand = CCommandLineInfo::FileNew;
    }
    const bool printing = cmdInfo.m_nShellCommand == CCommandLineInfo::FilePrint
                          || cmdInfo.m_nShellCommand == CCommandLineInfo::FilePrintTo;
    if (printing && isSharedList(cmdInfo.m_strFileName)) {
        AfxMessageBox(QStringLiteral("The form could not be printed: \"%1\" is a spelling list with recordings "
                                     "(open it first, then print the form).")
                          .arg(cmdInfo.m_strFileName),
                      MB_ICONEXCLAMATION);
        return false;
    }
    if (!ProcessShellCommand(cmdInfo))
        return false;
    if (!sharedList.isEmpty())
        practice::share::ImportSharedList(sharedList);
    static_cast<CFrameWnd*>(GetMainWnd())->DragAcceptFiles(true);
    static_cast<CMainFrame*>(GetMainWnd())->ConnectTestView();
    // Reading the icon (a 128-pixel PNG) took 1 to 3 ms, which the first sight
    // of the window need not wait for; like the recent-file list, it comes a
    // moment later.
    QTimer::singleShot(kIconDelayMs, qApp, [] { QApplication::setWindowIcon(practice::ui::ProductIcon()); });
    return true;
}

bool CPracticeApp::PreTranslateMessage(QObject* receiver, QEvent* event)
{
    const bool keyEvent = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (!keyEvent)
        return CWordwellApp::PreTranslateMessage(receiver, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const auto modifiers = key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    // Only F1's first press is the focused control's help: while it is held
    // down, its repeats reach the accelerator table (F1: Help).
    if (key->key() != Qt::Key_F1 || modifiers != Qt::NoModifier || key->isAutoRepeat())
        return CWordwellApp::PreTranslateMessage(receiver, event);
    // Claimed before the accelerator table sees it, then handled as the key press.
    key->accept();
    if (event->type() == QEvent::KeyPress) {
        QWidget* focus = QApplication::focusWidget();
        if (!SendHelpRequest(focus, QCursor::pos())) {
            if (auto* frame = qobject_cast<CFrameWnd*>(GetMainWnd()))
                frame->RouteCommand(ID_HELP);
        }
    }
    return true;
}

void CPracticeApp::OnAppAbout()
{
    practice::ui::CAboutDlg dialog(GetMainWnd());
    dialog.DoModal();
}
