#pragma once

#include <QRect>
#include <QString>

class QPainter;
class QWidget;

// The print module's side of printing: everything that needs Qt Print
// Support, kept in a module loaded on first use (platform/modules) so that
// the programs start without it.
namespace platform::framework {

enum class PrintChoice { AskUser, DefaultPrinter, Preview };

// Draws the form on a page; handed to the module so that it needs nothing of the program.
using RenderPage = void (*)(QWidget* form, QPainter* painter, const QRect& page);

class FormPrinter {
public:
    virtual ~FormPrinter() = default;
    // Prints `form` on one page as `choice` says; nothing when the user
    // cancels. False, with the name of the printer that refused the page.
    virtual bool print(QWidget* form, PrintChoice choice, RenderPage render, QString* refusedBy) const = 0;
};

// The module's file name and its one exported function, `extern "C"`; the
// number changes whenever the class above does.
inline constexpr char kPrintModuleName[] = "wordwell-print.so";
inline constexpr char kFormPrinterEntryPoint[] = "wordwell_form_printer_1";
using FormPrinterEntryPoint = const FormPrinter* (*)();

}  // namespace platform::framework
