#include "platform/framework/dialogtemplate.h"

#include "platform/framework/dialogcontrols.h"
#include "platform/framework/dialogunits.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVariant>

namespace platform::framework {

namespace {

const char* const kHelpIdProperty = "ww_helpId";

// Captions keep the template's "\n\r" line breaks; a button shows one line break.
QString shownCaption(const QString& caption)
{
    QString shown = caption;
    shown.remove(u'\r');
    return shown;
}

Qt::Alignment horizontalAlignment(unsigned style)
{
    if (style & CS_RIGHT)
        return Qt::AlignRight;
    if (style & CS_CENTER)
        return Qt::AlignHCenter;
    return Qt::AlignLeft;
}

// A multi-line button breaks a caption without line breaks of its own into
// lines that fit its width, word by word.
QString wrappedCaption(const QString& caption, const QFont& font, int width)
{
    const QFontMetrics metrics(font);
    QStringList lines;
    for (const QString& word : caption.split(u' ', Qt::SkipEmptyParts)) {
        if (!lines.isEmpty() && metrics.horizontalAdvance(lines.last() + u' ' + word) <= width)
            lines.last() += u' ' + word;
        else
            lines << word;
    }
    return lines.join(u'\n');
}

QWidget* makeButton(QWidget* parent, const DialogUnits& units, const DialogItem& item)
{
    QString caption = shownCaption(item.caption);
    if ((item.style & CS_MULTILINE) && !caption.contains(u'\n')) {
        // The button's frame and margins take about a character's width.
        const int width = units.MapDialogRect(item.rect).width() - units.MapX(4);
        caption = wrappedCaption(caption, parent->font(), width);
    }
    QPushButton* button = AddPushButton(parent, units, item.id, caption, item.rect);
    button->setDefault(item.kind == ControlKind::DefPushButton);
    return button;
}

QWidget* makeEdit(QWidget* parent, const DialogUnits& units, const DialogItem& item)
{
    const unsigned style = ((item.style & CS_READONLY) ? EditReadOnly : EditPlain)
                           | ((item.style & CS_BORDER) ? EditPlain : EditNoBorder);
    if (item.style & CS_MULTILINE) {
        QPlainTextEdit* edit = AddMultiLineEdit(parent, units, item.id, item.accessibleName, item.rect, style);
        // Without horizontal scrolling the platform's multi-line edit wraps its lines.
        if (!(item.style & CS_AUTOHSCROLL))
            edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setFrameShape((item.style & CS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
        return edit;
    }
    QLineEdit* edit = AddEdit(parent, units, item.id, item.accessibleName, item.rect, style);
    edit->setAlignment(horizontalAlignment(item.style));
    return edit;
}

// A lone '&' marks the next letter and goes; "&&" stands for one '&'. A loop
// rather than a regular expression: compiling one per caption cost the form's
// start-up a third of a millisecond.
QString withoutMnemonicMarks(const QString& text)
{
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'&')
            plain.append(text[i]);
        else if (i + 1 < text.size() && text[i + 1] == u'&')
            plain.append(text[++i]);
    }
    return plain;
}

bool hasMnemonic(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] != u'&')
            return true;
        ++i;
    }
    return false;
}

QWidget* makeLabel(QWidget* parent, const DialogUnits& units, const DialogItem& item)
{
    QString text = shownCaption(item.caption);
    if (!(item.style & CS_NOPREFIX))
        text = withoutMnemonicMarks(text);
    QLabel* label = AddStaticText(parent, units, text, item.rect);
    label->setAlignment(horizontalAlignment(item.style) | Qt::AlignTop);
    return label;
}

QWidget* makeControl(QWidget* parent, const DialogUnits& units, const DialogItem& item)
{
    switch (item.kind) {
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
    case ControlKind::OwnerDrawButton: return makeButton(parent, units, item);
    case ControlKind::CheckBox: return AddCheckBox(parent, units, item.id, item.caption, item.rect);
    case ControlKind::Edit: return makeEdit(parent, units, item);
    case ControlKind::Label: return makeLabel(parent, units, item);
    case ControlKind::EtchedFrame: {
        auto* frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
        MakeDecoration(frame);
        // Made after the controls it surrounds, it must not lie over them.
        frame->lower();
        return frame;
    }
    case ControlKind::GroupBox: return AddGroupBox(parent, units, shownCaption(item.caption), item.rect);
    case ControlKind::ListBox: {
        auto* list = new QListWidget(parent);
        // Every line of a list box is one line high; it also spares measuring each of a long list's items.
        list->setUniformItemSizes(true);
        return list;
    }
    case ControlKind::Icon: {
        auto* icon = new QLabel(parent);
        MakeDecoration(icon);
        return icon;
    }
    }
    return new QWidget(parent);
}

Qt::FocusPolicy focusPolicyFor(const DialogItem& item)
{
    if (item.style & CS_HIDDEN)
        return Qt::NoFocus;
    if (item.style & CS_TABSTOP)
        return Qt::StrongFocus;
    switch (item.kind) {
    case ControlKind::Edit:
    case ControlKind::ListBox:
    case ControlKind::CheckBox:
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
    case ControlKind::OwnerDrawButton: return Qt::ClickFocus;
    default: return Qt::NoFocus;
    }
}

}  // namespace

bool IsDefaultButtonKey(const QKeyEvent* key)
{
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    return enter && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

QPushButton* DefaultButton(const QWidget* window)
{
    const auto buttons = window->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly);
    for (QPushButton* button : buttons) {
        if (button->isDefault())
            return button;
    }
    return nullptr;
}

QString PlainCaption(const QString& caption)
{
    QString plain = caption;
    plain.replace(QStringLiteral("\n\r"), QStringLiteral(" "));
    plain.replace(u'\n', u' ');
    plain.remove(u'\r');
    plain = withoutMnemonicMarks(plain);
    return plain.simplified();
}

void CreateDialogControls(QWidget* parent, const DialogTemplate& dialogTemplate)
{
    QFont font(dialogTemplate.fontFamily);
    font.setPointSize(dialogTemplate.pointSize);
    parent->setFont(font);
    const DialogUnits units(font);
    parent->resize(units.MapDialogSize(dialogTemplate.size));

    QWidget* previousTabStop = nullptr;
    // A label's mnemonic takes the focus to the next control Tab reaches.
    QLabel* labelAwaitingBuddy = nullptr;
    QString labelCaption;
    for (const DialogItem& item : dialogTemplate.items) {
        QWidget* control = makeControl(parent, units, item);
        const int id = item.id == IDC_STATIC ? kStaticCtrlId : item.id;
        PlaceControl(control, units, item.rect, id);
        control->setFocusPolicy(focusPolicyFor(item));
        control->setProperty(kHelpIdProperty, item.helpId);
        if (item.id != IDC_STATIC)
            control->setObjectName(QStringLiteral("ctl%1").arg(item.id));
        control->setAccessibleName(item.accessibleName.isEmpty() ? PlainCaption(item.caption)
                                                                  : item.accessibleName);
        control->setVisible(!(item.style & CS_HIDDEN));
        if (control->focusPolicy() == Qt::StrongFocus) {
            if (previousTabStop)
                QWidget::setTabOrder(previousTabStop, control);
            previousTabStop = control;
            if (labelAwaitingBuddy) {
                labelAwaitingBuddy->setText(labelCaption);
                labelAwaitingBuddy->setBuddy(control);
                labelAwaitingBuddy = nullptr;
            }
        }
        if (item.kind == ControlKind::Label && !(item.style & CS_NOPREFIX) && hasMnemonic(item.caption)) {
            labelAwaitingBuddy = static_cast<QLabel*>(control);
            labelCaption = shownCaption(item.caption);
        }
    }
}

quint32 GetWindowContextHelpId(const QWidget* control)
{
    return control ? control->property(kHelpIdProperty).toUInt() : 0;
}

}  // namespace platform::framework
