#include "platform/framework/frame.h"

#include "platform/framework/appservices.h"
#include "platform/framework/commandids.h"
#include "platform/framework/document.h"
#include "platform/framework/documentview.h"
#include "platform/framework/helprequest.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QUrl>
#include <QWhatsThis>

namespace platform::framework {

namespace {

QStringList localFiles(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    const QList<QUrl> urls = data->urls();
    for (const QUrl& url : urls) {
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    }
    return files;
}

}  // namespace

CFrameWnd::CFrameWnd(QWidget* parent) : QMainWindow(parent)
{
    OnCommand(ID_HELP, [this] { OnHelp(); });
    OnCommand(ID_CONTEXT_HELP, [this] { OnContextHelp(); });
    // The framework's idle time: commands are enabled as the program waits for input.
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        m_idleConnection = connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                                   &CFrameWnd::UpdateCommandUI);
}

CFrameWnd::~CFrameWnd()
{
    disconnect(m_idleConnection);
}

QAction* CFrameWnd::AddCommand(unsigned id, const QString& caption, const QString& prompt)
{
    QAction* action = m_commands.value(id);
    if (!action) {
        action = new QAction(this);
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { RouteCommand(id); });
        m_commands.insert(id, action);
    }
    if (!caption.isEmpty()) {
        // "&New\tCtrl+N": the key after the tab is shown from the action's shortcut.
        action->setText(caption.section(u'\t', 0, 0));
    }
    if (!prompt.isEmpty()) {
        action->setStatusTip(prompt.section(u'\n', 0, 0));
        const QString tip = prompt.section(u'\n', 1, 1);
        action->setToolTip(tip.isEmpty() ? action->text().remove(u'&') : tip);
    }
    return action;
}

void CFrameWnd::AppendMenu(QMenu* menu, std::span<const MenuEntry> entries)
{
    for (const MenuEntry& entry : entries) {
        if (entry.id == 0)
            menu->addSeparator();
        else
            menu->addAction(AddCommand(entry.id, QString::fromUtf8(entry.caption), QString::fromUtf8(entry.prompt)));
    }
}

void CFrameWnd::AddAccelerator(unsigned id, const QKeySequence& keys)
{
    QAction* action = m_commands.value(id);
    if (!action) {
        action = AddCommand(id, QString());
        addAction(action);  // no menu item: the frame itself carries the key
    }
    QList<QKeySequence> shortcuts = action->shortcuts();
    shortcuts.append(keys);
    action->setShortcuts(shortcuts);
    action->setShortcutContext(Qt::WindowShortcut);
}

CDocument* CFrameWnd::GetActiveDocument() const
{
    return m_pActiveView ? m_pActiveView->GetDocument() : nullptr;
}

bool CFrameWnd::RouteCommand(unsigned id)
{
    bool handled = (m_pActiveView && m_pActiveView->OnCmdMsg(id, nullptr));
    if (!handled) {
        CDocument* doc = GetActiveDocument();
        handled = doc && doc->OnCmdMsg(id, nullptr);
    }
    CAppServices* app = AfxGetAppServices();
    handled = handled || OnCmdMsg(id, nullptr) || (app && app->OnCmdMsg(id, nullptr));
    UpdateCommandUI();
    return handled;
}

bool CFrameWnd::routeUpdate(unsigned id, CCmdUI* ui)
{
    if (m_pActiveView && m_pActiveView->OnCmdMsg(id, ui))
        return true;
    if (CDocument* doc = GetActiveDocument(); doc && doc->OnCmdMsg(id, ui))
        return true;
    CAppServices* app = AfxGetAppServices();
    return OnCmdMsg(id, ui) || (app && app->OnCmdMsg(id, ui));
}

bool CFrameWnd::anyoneHandles(unsigned id)
{
    CDocument* doc = GetActiveDocument();
    CAppServices* app = AfxGetAppServices();
    return (m_pActiveView && m_pActiveView->HasCommand(id)) || (doc && doc->HasCommand(id)) || HasCommand(id)
        || (app && app->HasCommand(id));
}

void CFrameWnd::UpdateCommandUI()
{
    for (auto it = m_commands.cbegin(); it != m_commands.cend(); ++it) {
        CCmdUI ui(it.key());
        QAction* action = it.value();
        if (routeUpdate(it.key(), &ui) && ui.IsDecided()) {
            action->setEnabled(ui.IsEnabled());
        } else {
            // A command that nobody carries out is shown disabled.
            action->setEnabled(anyoneHandles(it.key()));
        }
        if (ui.HasText())
            action->setText(ui.Text());
        if (ui.IsVisibilityDecided())
            action->setVisible(ui.IsVisible());
    }
    const QString title = FrameTitle();
    if (windowTitle() != title)
        setWindowTitle(title);
}

QString CFrameWnd::FrameTitle() const
{
    const QString appTitle = AfxGetAppTitle();
    const CDocument* doc = GetActiveDocument();
    return doc ? doc->GetTitle() + QStringLiteral(" - ") + appTitle : appTitle;
}

void CFrameWnd::CenterWindow()
{
    const QScreen* screen = this->screen();
    if (!screen)
        return;
    QRect placed = frameGeometry();
    placed.moveCenter(screen->availableGeometry().center());
    move(placed.topLeft());
}

void CFrameWnd::OnDropFiles(const QStringList& paths)
{
    CAppServices* app = AfxGetAppServices();
    if (paths.isEmpty() || !app)
        return;
    activateWindow();
    // One list at a time: the first file dropped is the one opened.
    app->OpenDocumentFile(paths.first());
    UpdateCommandUI();
}

void CFrameWnd::OnHelp()
{
    if (!SendCommandHelp(QApplication::focusWidget()))
        OnHelpFinder();
}

void CFrameWnd::OnContextHelp()
{
    if (!QWhatsThis::inWhatsThisMode())
        QWhatsThis::enterWhatsThisMode();
}

void CFrameWnd::closeEvent(QCloseEvent* event)
{
    CDocument* doc = GetActiveDocument();
    if (doc && !doc->SaveModified()) {
        event->ignore();
        return;
    }
    event->accept();
}

void CFrameWnd::dragEnterEvent(QDragEnterEvent* event)
{
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CFrameWnd::dropEvent(QDropEvent* event)
{
    const QStringList files = localFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    OnDropFiles(files);
}

bool CFrameWnd::event(QEvent* event)
{
    if (event->type() == QEvent::EnterWhatsThisMode)
        OnHelpModeChanged(true);
    else if (event->type() == QEvent::LeaveWhatsThisMode)
        OnHelpModeChanged(false);
    return QMainWindow::event(event);
}

}  // namespace platform::framework
