#include "platform/framework/dialogcontrols.h"

#include "platform/framework/dialogunits.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace platform::framework {

namespace {

// An edit of either kind: named for screen readers, read-only when asked, placed.
template <class Edit>
Edit* makeEdit(QWidget* dialog, const DialogUnits& units, int id, const QString& accessibleName,
               const QRect& rect, unsigned style)
{
    auto* edit = new Edit(dialog);
    edit->setAccessibleName(accessibleName);
    edit->setReadOnly(style & EditReadOnly);
    PlaceControl(edit, units, rect, id);
    return edit;
}

}  // namespace

void MakeDecoration(QWidget* control)
{
    control->setAttribute(Qt::WA_TransparentForMouseEvents);
}

QLabel* AddStaticText(QWidget* dialog, const DialogUnits& units, const QString& text, const QRect& rect)
{
    auto* label = new QLabel(text, dialog);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    MakeDecoration(label);
    PlaceControl(label, units, rect);
    return label;
}

QPushButton* AddPushButton(QWidget* dialog, const DialogUnits& units, int id, const QString& text,
                           const QRect& rect)
{
    auto* button = new QPushButton(text, dialog);
    button->setAccessibleName(QString(text).remove(u'&'));
    button->setAutoDefault(false);
    PlaceControl(button, units, rect, id);
    return button;
}

QCheckBox* AddCheckBox(QWidget* dialog, const DialogUnits& units, int id, const QString& text, const QRect& rect)
{
    auto* box = new QCheckBox(text, dialog);
    box->setAccessibleName(QString(text).remove(u'&'));
    PlaceControl(box, units, rect, id);
    return box;
}

QLineEdit* AddEdit(QWidget* dialog, const DialogUnits& units, int id, const QString& accessibleName,
                   const QRect& rect, unsigned style)
{
    auto* edit = makeEdit<QLineEdit>(dialog, units, id, accessibleName, rect, style);
    edit->setFrame(!(style & EditNoBorder));
    if (style & EditNoBorder) {
        // Without a border it reads as text on the dialog, not as a field.
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        edit->setPalette(palette);
    }
    return edit;
}

QPlainTextEdit* AddMultiLineEdit(QWidget* dialog, const DialogUnits& units, int id, const QString& accessibleName,
                                 const QRect& rect, unsigned style)
{
    auto* edit = makeEdit<QPlainTextEdit>(dialog, units, id, accessibleName, rect, style);
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setVerticalScrollBarPolicy((style & EditVerticalScroll) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
    edit->setHorizontalScrollBarPolicy((style & EditHorizontalScroll) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    // Tab moves on to the next control, as in any dialog.
    edit->setTabChangesFocus(true);
    if (style & EditReadOnly)
        edit->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    return edit;
}

QGroupBox* AddGroupBox(QWidget* dialog, const DialogUnits& units, const QString& text, const QRect& rect)
{
    auto* frame = new QGroupBox(text, dialog);
    frame->setFocusPolicy(Qt::NoFocus);
    MakeDecoration(frame);
    PlaceControl(frame, units, rect);
    frame->lower();
    return frame;
}

}  // namespace platform::framework
