#include "platform/framework/dialogkeys.h"

#include "platform/framework/dialogtemplate.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace platform::framework {

namespace {

bool isContextMenuKey(const QKeyEvent* key)
{
    return key->key() == Qt::Key_F10 && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier;
}

// The default button of the window `control` belongs to: the nearest enclosing
// widget that has one (a wizard's page has none of its own).
QPushButton* defaultButtonFor(QWidget* control, QWidget* window)
{
    for (QWidget* w = control; w; w = w->parentWidget()) {
        if (QPushButton* button = DefaultButton(w))
            return button;
        if (w == window)
            break;
    }
    return nullptr;
}

}  // namespace

CDialogKeys::CDialogKeys(QWidget* window) : QObject(window), m_pWindow(window)
{
    window->installEventFilter(this);
    const auto controls = window->findChildren<QWidget*>();
    for (QWidget* control : controls)
        control->installEventFilter(this);
}

bool CDialogKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = static_cast<QWidget*>(watched);
    if (IsDefaultButtonKey(key)) {
        if (auto* focused = qobject_cast<QPushButton*>(widget); focused && focused->isEnabled())
            focused->click();
        else if (QPushButton* button = defaultButtonFor(widget, m_pWindow); button && button->isEnabled())
            button->click();
        return true;
    }
    if (isContextMenuKey(key)) {
        const QPoint centre = widget->rect().center();
        QContextMenuEvent request(QContextMenuEvent::Keyboard, centre, widget->mapToGlobal(centre));
        QApplication::sendEvent(widget, &request);
        return true;
    }
    return false;
}

}  // namespace platform::framework
