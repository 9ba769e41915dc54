#include "platform/framework/helprequest.h"

#include "platform/framework/dialogtemplate.h"

#include <QEvent>
#include <QHelpEvent>
#include <QWhatsThis>
#include <QWidget>

namespace platform::framework {

namespace {

// The control of `window` under `pos`: the one that takes the pointer there,
// or else the topmost decoration drawn there (a label, a frame), which passes
// clicks on but still answers for its area in help mode.
QWidget* controlAt(QWidget* window, QPoint pos)
{
    QWidget* control = window->childAt(pos);
    if (!control) {
        const QObjectList& children = window->children();
        for (auto it = children.crbegin(); it != children.crend() && !control; ++it) {
            auto* child = qobject_cast<QWidget*>(*it);
            if (child && !child->isWindow() && child->isVisible() && child->geometry().contains(pos))
                control = child;
        }
    }
    // A click on a part of a control (an edit's viewport) is a click on the control.
    while (control && control->parentWidget() != window)
        control = control->parentWidget();
    return control;
}

}  // namespace

bool SendHelpRequest(QWidget* control, QPoint mousePos)
{
    HELPINFO info;
    const int id = control ? GetDlgCtrlID(control) : 0;
    info.iCtrlId = id == 0 ? kStaticCtrlId : id;
    info.hItemHandle = control;
    info.dwContextId = GetWindowContextHelpId(control);
    info.MousePos = mousePos;
    for (QWidget* w = control; w; w = w->parentWidget()) {
        if (auto* target = dynamic_cast<CHelpInfoTarget*>(w); target && target->OnHelpInfo(&info))
            return true;
    }
    return false;
}

bool SendCommandHelp(QWidget* focus)
{
    for (QWidget* w = focus; w; w = w->parentWidget()) {
        if (auto* target = dynamic_cast<CCommandHelpTarget*>(w); target && target->OnCommandHelp())
            return true;
    }
    return false;
}

bool HandleHelpModeEvent(QWidget* window, QEvent* event)
{
    if (event->type() == QEvent::QueryWhatsThis) {
        event->accept();
        return true;
    }
    if (event->type() != QEvent::WhatsThis)
        return false;
    const auto* help = static_cast<QHelpEvent*>(event);
    QWidget* control = controlAt(window, help->pos());
    // One click answers help mode, as QWhatsThis::showText would end it.
    QWhatsThis::leaveWhatsThisMode();
    SendHelpRequest(control ? control : window, help->globalPos());
    event->accept();
    return true;
}

}  // namespace platform::framework
