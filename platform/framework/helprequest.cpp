#include "platform/framework/helprequest.h"

#include "platform/framework/dialogtemplate.h"

#include <QEvent>
#include <QHelpEvent>
#include <QWidget>

namespace platform::framework {

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
    QWidget* control = window->childAt(help->pos());
    // A click on a part of a control (an edit's viewport) is a click on the control.
    while (control && control->parentWidget() != window)
        control = control->parentWidget();
    SendHelpRequest(control ? control : window, help->globalPos());
    event->accept();
    return true;
}

}  // namespace platform::framework
