#include "practice/ui/mainframe.h"

#include "platform/framework/commandids.h"
#include "platform/framework/dialogunits.h"
#include "platform/help/winhelp.h"
#include "platform/keyboard/lockkeys.h"
#include "practice/classroom/classcommands.h"
#include "practice/share/sharecommands.h"
#include "practice/testview/wordwellview.h"
#include "practice/ui/framecommands.h"
#include "practice/ui/historycommands.h"
#include "practice/ui/reviewcommands.h"
#include "practice/ui/voicecommands.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

using namespace platform::framework;

namespace {
constexpr int kWidth = 570;
constexpr int kHeight = 470;
const QString kIdleMessage = QStringLiteral(" ");
const QString kHelpModeMessage = QStringLiteral("Select an object on which to get Help");
}  // namespace

CMainFrame::CMainFrame()
{
    PreCreateWindow();
    OnCreate();
    OnCommand(ID_HELP_FINDER, [this] { OnHelpFinder(); });
    OnCommand(ID_DEFAULT_HELP, [this] { OnHelpFinder(); });
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::PreCreateWindow()
{
    resize(kWidth, kHeight);
    // Caption, system menu and sizing border, but no minimize or maximize box;
    // the context-help button where the window manager draws one.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint);
    // No accessible name of its own: a screen reader then says the window's
    // title, which names the list.
}

bool CMainFrame::OnCreate()
{
    // The status bar first: the review commands put the learner's pane in it.
    createStatusBar();
    const practice::ui::FrameMenus menus = practice::ui::AddFrameMenus(*this);
    practice::share::AttachShareCommands(*this, menus.file);
    m_voiceCommands = std::make_unique<CVoiceCommands>(*this, menus.tools);
    m_reviewCommands = std::make_unique<CReviewCommands>(*this, menus.tools);
    m_historyCommands = std::make_unique<CHistoryCommands>(*this, menus.tools);
    // Owned by the frame; after the other commands on both menus.
    m_historyCommands->SetClass(new practice::classroom::CClassCommands(*this, menus.file, menus.tools));
    practice::ui::AddToolBar(*this);
    practice::ui::AddAccelerators(*this);
    return true;
}

void CMainFrame::ConnectTestView()
{
    auto* view = qobject_cast<CWordwellView*>(GetActiveView());
    if (!view || m_testViewConnected)
        return;
    m_testViewConnected = true;
    m_reviewCommands->ConnectTestView(view);
    m_historyCommands->ConnectTestView(view);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    CFrameWnd::closeEvent(event);
    if (event->isAccepted())
        m_historyCommands->OnFrameClosing();
}

QLabel* CMainFrame::Indicator(unsigned id) const
{
    for (QLabel* label : m_indicators) {
        if (label->property("indicatorId").toUInt() == id)
            return label;
    }
    return nullptr;
}

void CMainFrame::createStatusBar()
{
    m_wndStatusBar = new QStatusBar(this);
    m_wndStatusBar->setObjectName(QStringLiteral("statusBar"));
    SetDlgCtrlID(m_wndStatusBar, AFX_IDW_STATUS_BAR);
    m_wndStatusBar->setAccessibleName(QStringLiteral("Status bar"));
    m_messagePane = new QLabel(kIdleMessage, m_wndStatusBar);
    m_messagePane->setAccessibleName(QStringLiteral("Message"));
    m_wndStatusBar->addWidget(m_messagePane, 1);
    struct Pane {
        unsigned id;
        const char* text;
        const char* name;
    };
    static const Pane panes[] = {{ID_INDICATOR_CAPS, "CAP", "Caps Lock"},
                                 {ID_INDICATOR_NUM, "NUM", "Num Lock"},
                                 {ID_INDICATOR_SCRL, "SCRL", "Scroll Lock"}};
    for (const Pane& pane : panes) {
        auto* label = new QLabel(QString::fromLatin1(pane.text), m_wndStatusBar);
        label->setProperty("indicatorId", pane.id);
        label->setAccessibleName(QString::fromLatin1(pane.name));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        label->setAlignment(Qt::AlignCenter);
        m_wndStatusBar->addPermanentWidget(label);
        m_indicators.append(label);
    }
    setStatusBar(m_wndStatusBar);
    readLockKeys();
}

bool CMainFrame::readLockKeys()
{
    const auto keys = platform::keyboard::ReadLockKeys();
    if (keys) {
        m_bCapsLock = keys->capsLock;
        m_bNumLock = keys->numLock;
        m_bScrollLock = keys->scrollLock;
    }
    refreshIndicators();
    return keys.has_value();
}

void CMainFrame::refreshIndicators()
{
    // A key that is off shows its name greyed, as the status bar always did.
    Indicator(ID_INDICATOR_CAPS)->setEnabled(m_bCapsLock);
    Indicator(ID_INDICATOR_NUM)->setEnabled(m_bNumLock);
    Indicator(ID_INDICATOR_SCRL)->setEnabled(m_bScrollLock);
    Indicator(ID_INDICATOR_CAPS)->setAccessibleDescription(m_bCapsLock ? QStringLiteral("on") : QStringLiteral("off"));
    Indicator(ID_INDICATOR_NUM)->setAccessibleDescription(m_bNumLock ? QStringLiteral("on") : QStringLiteral("off"));
    Indicator(ID_INDICATOR_SCRL)->setAccessibleDescription(m_bScrollLock ? QStringLiteral("on") : QStringLiteral("off"));
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // A lock key may change while another program has the keyboard.
    if (event->type() == QEvent::ApplicationStateChange
        && static_cast<QApplicationStateChangeEvent*>(event)->applicationState() == Qt::ApplicationActive) {
        readLockKeys();
        return false;
    }
    // Where the keyboard's lights cannot be read, the presses seen are followed.
    // A key press travels up from the focus widget; it is counted where it starts.
    QWidget* first = QApplication::focusWidget();
    const bool start = first ? watched == first : (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow());
    const bool keyEvent = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (keyEvent && start) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool lockKey = key->key() == Qt::Key_CapsLock || key->key() == Qt::Key_NumLock
                             || key->key() == Qt::Key_ScrollLock;
        // A lock key that is on goes off when it is let go, so both edges are read.
        if (lockKey && !key->isAutoRepeat() && !readLockKeys() && event->type() == QEvent::KeyPress) {
            if (key->key() == Qt::Key_CapsLock)
                m_bCapsLock = !m_bCapsLock;
            else if (key->key() == Qt::Key_NumLock)
                m_bNumLock = !m_bNumLock;
            else
                m_bScrollLock = !m_bScrollLock;
            refreshIndicators();
        }
    }
    return false;
}

void CMainFrame::OnHelpFinder()
{
    platform::help::AppWinHelp(0, platform::help::HELP_FINDER);
}

void CMainFrame::OnHelpModeChanged(bool entered)
{
    if (entered)
        m_wndStatusBar->showMessage(kHelpModeMessage);
    else
        m_wndStatusBar->clearMessage();
}
