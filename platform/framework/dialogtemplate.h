#pragma once

#include "platform/framework/dialogunits.h"

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

class QKeyEvent;
class QPushButton;
class QWidget;

namespace platform::framework {

enum class ControlKind {
    PushButton,
    DefPushButton,   // takes Enter for its window
    OwnerDrawButton, // a push button whose owner takes over its drawing
    CheckBox,        // an automatic check box
    Edit,
    Label,
    EtchedFrame,
    GroupBox,
    ListBox,
    Icon,
};

enum ControlStyle : unsigned {
    CS_TABSTOP = 0x1,
    CS_READONLY = 0x2,
    CS_MULTILINE = 0x4,
    CS_HIDDEN = 0x8,
    CS_RIGHT = 0x10,
    CS_CENTER = 0x20,
    CS_AUTOHSCROLL = 0x40,
    CS_BORDER = 0x80,
    CS_NOPREFIX = 0x100,
};

// A control without an id of its own (a label, a frame).
inline constexpr int IDC_STATIC = -1;

// One control of a dialog template: its rectangle is in dialog units.
struct DialogItem {
    int id = IDC_STATIC;
    ControlKind kind = ControlKind::Label;
    QString caption;
    QRect rect;
    unsigned style = 0;
    quint32 helpId = 0;
    // What a screen reader calls the control; empty means its caption.
    QString accessibleName;
};

struct DialogTemplate {
    int id = 0;
    QString fontFamily;
    int pointSize = 8;
    QSize size;  // dialog units
    QList<DialogItem> items;  // creation order, which is also the tab order
};

// The help context id a template gives a control: 0x80000000 + template id × 65536 + control id.
constexpr quint32 MakeHelpId(int templateId, int controlId)
{
    return 0x80000000u + static_cast<quint32>(templateId) * 65536u + static_cast<quint32>(controlId);
}

// Creates the template's controls as children of `parent` in template order,
// in the template's font, at their rectangles converted from dialog units; tab
// stops are chained in that order, each control keeps its id and help context
// id, and every control gets its accessible name. The parent is sized to the
// template.
void CreateDialogControls(QWidget* parent, const DialogTemplate& dialogTemplate);

// Controls without an id of their own (labels, frames) get 0xFFFF, the
// platform's 16-bit form of IDC_STATIC, so help requests over them can be told apart.
inline constexpr int kStaticCtrlId = 0xFFFF;
quint32 GetWindowContextHelpId(const QWidget* control);

// Enter or Return without Ctrl or Alt: the key that presses a window's default button.
bool IsDefaultButtonKey(const QKeyEvent* key);
// The window's default push button (hidden or not), or null.
QPushButton* DefaultButton(const QWidget* window);

// The caption as a screen reader should say it: mnemonic marks and line breaks removed.
QString PlainCaption(const QString& caption);

}  // namespace platform::framework
