#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Driving dialogs as their user does: keys pressed on the focused control.

class QAbstractItemModel;
class QWidget;
namespace platform::framework {
class CDialog;
}

// Runs `trigger` (which opens a modal dialog) and, once the dialog is up,
// `drive` on it; a dialog still open after `drive` is cancelled so that a
// failing test never hangs.
void RunModal(const std::function<void()>& trigger, const std::function<void(platform::framework::CDialog*)>& drive);

// What a list, table or tree shows: each row's cells joined by |.
QStringList RowTexts(const QAbstractItemModel* model);
int FocusedId();
// Presses Tab (or Shift+Tab) `count` times on the focused widget.
void PressTab(int count, bool backwards = false);
void PressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void TypeText(const QString& text);
