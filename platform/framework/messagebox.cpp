#include "platform/framework/messagebox.h"

#include "platform/framework/appservices.h"

#include <QApplication>
#include <QMessageBox>

namespace platform::framework {

namespace {

MessageBoxHandler& handler()
{
    static MessageBoxHandler h;
    return h;
}

int showBox(QWidget* parent, const MessageBoxRequest& request)
{
    if (handler())
        return handler()(request);

    QMessageBox box(parent ? parent : QApplication::activeWindow());
    box.setWindowTitle(request.caption);
    box.setText(request.text);
    switch (request.type & MB_ICONMASK) {
    case MB_ICONSTOP: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    struct Choice {
        QMessageBox::StandardButton button;
        int id;
    };
    QList<Choice> choices;
    switch (request.type & MB_TYPEMASK) {
    case MB_OKCANCEL: choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_YESNOCANCEL:
        choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNO: choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}; break;
    case MB_YESNOALLCANCEL:
        choices = {{QMessageBox::Yes, IDYES},
                   {QMessageBox::YesToAll, IDYESTOALL},
                   {QMessageBox::No, IDNO},
                   {QMessageBox::NoToAll, IDNOTOALL},
                   {QMessageBox::Cancel, IDCANCEL}};
        break;
    default: choices = {{QMessageBox::Ok, IDOK}}; break;
    }
    QMessageBox::StandardButtons buttons;
    for (const Choice& c : choices)
        buttons |= c.button;
    box.setStandardButtons(buttons);
    const qsizetype defaultIndex = (request.type & MB_DEFMASK) >> 8;
    box.setDefaultButton(choices.value(defaultIndex, choices.first()).button);
    // Escape answers Cancel where there is one, else the only button.
    const bool hasCancel = buttons.testFlag(QMessageBox::Cancel);
    box.setEscapeButton(hasCancel ? QMessageBox::Cancel : choices.last().button);
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const Choice& c : choices) {
        if (c.button == pressed)
            return c.id;
    }
    return hasCancel ? IDCANCEL : choices.last().id;
}

}  // namespace

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler h)
{
    return std::exchange(handler(), std::move(h));
}

int AfxMessageBox(const QString& text, unsigned type, unsigned helpId)
{
    return showBox(nullptr, {text, AfxGetAppTitle(), type, helpId});
}

int MessageBox(QWidget* parent, const QString& text, const QString& caption, unsigned type)
{
    return showBox(parent, {text, caption, type, 0});
}

}  // namespace platform::framework
