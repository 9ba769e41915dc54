#pragma once

#include "platform/framework/cmdtarget.h"

#include <QHash>
#include <QKeySequence>
#include <QMainWindow>

#include <span>

class QAction;
class QMenu;

namespace platform::framework {

class CDocument;
class CDocumentView;

// An item of a menu: a command id with its caption ("&New\tCtrl+N") and its
// prompt (see AddCommand); id 0 is a separator.
struct MenuEntry {
    unsigned id;
    const char* caption;
    const char* prompt;
};

// The main frame: it owns the actions of every command id, offers each command
// to the active view, its document, itself and the application in that order,
// updates the commands' enabling when the program goes idle, keeps the caption
// as "<document> - <application>", asks to save a modified list before it
// closes, and opens list files dropped on it.
class CFrameWnd : public QMainWindow, public CCmdTarget {
    Q_OBJECT
public:
    explicit CFrameWnd(QWidget* parent = nullptr);
    ~CFrameWnd() override;

    // The action of a command id, made on first use. `prompt` is the command's
    // string: the status-bar prompt, then after "\n" the tooltip.
    QAction* AddCommand(unsigned id, const QString& caption, const QString& prompt = QString());
    QAction* GetCommand(unsigned id) const { return m_commands.value(id); }
    // Appends the entries to `menu` in order, each with its command's action.
    void AppendMenu(QMenu* menu, std::span<const MenuEntry> entries);
    // A group of commands outside the frame attaches its handlers to the frame's map.
    using CCmdTarget::OnCommand;
    using CCmdTarget::OnUpdateCommandUI;
    // A key of the accelerator table; a command with no menu item gets a hidden action.
    void AddAccelerator(unsigned id, const QKeySequence& keys);

    void SetActiveView(CDocumentView* view) { m_pActiveView = view; }
    CDocumentView* GetActiveView() const { return m_pActiveView; }
    CDocument* GetActiveDocument() const;

    // Carries out a command through the routing chain; false when nobody has it.
    bool RouteCommand(unsigned id);
    // Asks every command's update handler (or, without one, whether anybody
    // carries it out) and enables its action accordingly; refreshes the caption.
    void UpdateCommandUI();
    QString FrameTitle() const;
    // Puts the frame in the middle of its screen.
    void CenterWindow();

    // A list file dropped on the frame is opened as File Open would.
    void DragAcceptFiles(bool accept = true) { setAcceptDrops(accept); }
    void OnDropFiles(const QStringList& paths);

    // ID_HELP: offered to the window with the focus and its parents, else the Help Topics.
    void OnHelp();
    // ID_CONTEXT_HELP: help mode; the next click chooses the object whose help is shown.
    void OnContextHelp();

protected:
    // The Help Topics window; the frame's own answer when nothing else takes ID_HELP.
    virtual void OnHelpFinder() {}
    // The status-bar text shown while help mode lasts.
    virtual void OnHelpModeChanged(bool entered) { Q_UNUSED(entered); }

    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool event(QEvent* event) override;

private:
    bool routeUpdate(unsigned id, CCmdUI* ui);
    bool anyoneHandles(unsigned id);

    QHash<unsigned, QAction*> m_commands;
    CDocumentView* m_pActiveView = nullptr;
    QMetaObject::Connection m_idleConnection;
};

}  // namespace platform::framework
