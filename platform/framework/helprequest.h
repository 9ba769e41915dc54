#pragma once

#include <QPoint>

class QEvent;
class QWidget;

namespace platform::framework {

// A request for help on one control, as the platform raises it for F1 or a
// help-mode click.
struct HELPINFO {
    int iCtrlId = 0xFFFF;  // 0xFFFF: the control has no id of its own
    QWidget* hItemHandle = nullptr;
    quint32 dwContextId = 0;
    QPoint MousePos;
};

// A window that answers help requests for its controls.
class CHelpInfoTarget {
public:
    virtual ~CHelpInfoTarget() = default;
    virtual bool OnHelpInfo(HELPINFO* info) = 0;
};

// A window that answers the frame's Help command while it or a child has the focus.
class CCommandHelpTarget {
public:
    virtual ~CCommandHelpTarget() = default;
    virtual bool OnCommandHelp() = 0;
};

// Offers a help request for `control` to the control and then to each window
// above it; true when one of them answered.
bool SendHelpRequest(QWidget* control, QPoint mousePos);
// Offers the Help command to `focus` and then to each window above it.
bool SendCommandHelp(QWidget* focus);

// For a window whose controls answer help-mode clicks: accepts the help-mode
// queries and turns a help-mode click into a help request for the control
// under the pointer. Returns true when it handled the event.
bool HandleHelpModeEvent(QWidget* window, QEvent* event);

}  // namespace platform::framework
