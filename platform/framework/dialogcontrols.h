#pragma once

#include <QRect>
#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// The common controls of a dialog template, each made as a child of `dialog`,
// placed at its rectangle in the dialog's units and given its id and an
// accessible name. Made in template order, they keep its tab order.
namespace platform::framework {

class DialogUnits;

// Labels, frames and icons only show: the pointer passes through them to the
// dialog or to a control they surround, as it passes through the platform's
// static controls. Help mode still finds them (HandleHelpModeEvent).
void MakeDecoration(QWidget* control);

QLabel* AddStaticText(QWidget* dialog, const DialogUnits& units, const QString& text, const QRect& rect);
QPushButton* AddPushButton(QWidget* dialog, const DialogUnits& units, int id, const QString& text,
                           const QRect& rect);
QCheckBox* AddCheckBox(QWidget* dialog, const DialogUnits& units, int id, const QString& text, const QRect& rect);

enum EditStyle : unsigned {
    EditPlain = 0,
    EditReadOnly = 1,
    EditNoBorder = 2,
    EditVerticalScroll = 4,
    EditHorizontalScroll = 8,
};
// A one-line edit that scrolls horizontally.
QLineEdit* AddEdit(QWidget* dialog, const DialogUnits& units, int id, const QString& accessibleName,
                   const QRect& rect, unsigned style = EditPlain);
// A multi-line edit whose lines never wrap (they scroll across); it shows a
// horizontal scroll bar only when its style asks for one, and then always.
QPlainTextEdit* AddMultiLineEdit(QWidget* dialog, const DialogUnits& units, int id, const QString& accessibleName,
                                 const QRect& rect, unsigned style = EditPlain);
// A frame drawn behind the controls it surrounds; it never takes the pointer.
QGroupBox* AddGroupBox(QWidget* dialog, const DialogUnits& units, const QString& text, const QRect& rect);

}  // namespace platform::framework
