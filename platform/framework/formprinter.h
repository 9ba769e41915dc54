#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QRect>
#include <QString>

#include <algorithm>

class QPaintDevice;
class QPainter;
class QWidget;

// The print module's side of printing: everything that needs Qt Print
// Support, kept in a module loaded on first use (platform/modules) so that
// the programs start without it.
namespace platform::framework {

// Direct prints without a dialog, on the printer named or the default one.
enum class PrintChoice { AskUser, Direct, Preview };

// Draws the form on a page; handed to the module so that it needs nothing of the program.
using RenderPage = void (*)(QWidget* form, QPainter* painter, const QRect& page);

class FormPrinter {
public:
    virtual ~FormPrinter() = default;
    // Prints `form` on one page as `choice` says (Direct: on `printerName`, or
    // the default printer when it is empty); nothing when the user cancels.
    // False, with why: no such printer, or the printer that refused the page.
    virtual bool print(QWidget* form, PrintChoice choice, const QString& printerName, RenderPage render,
                       QString* why) const = 0;
};

// A document of pages the program lays out itself (a test sheet), for the
// module to print without knowing what it shows.
class PageSource {
public:
    virtual ~PageSource() = default;
    // How many pages fit the text on pages of `page`'s size on `device`.
    virtual int pageCount(QPaintDevice* device, const QRect& page) const = 0;
    virtual void renderPage(QPainter* painter, const QRect& page, int index) const = 0;
};

// The margins a document of pages is laid out within, in millimetres: the
// page's own (the printer's unprintable border, or what the user chose) but
// never under 15 mm, where many printers cannot print and a hand holds the sheet.
inline QMarginsF DocumentMargins(const QPageLayout& layout)
{
    constexpr double kLeastMm = 15;
    const double mmPerUnit = layout.fullRect(QPageLayout::Millimeter).width() / layout.fullRect().width();
    const QMarginsF least = layout.minimumMargins() * mmPerUnit;
    const QMarginsF chosen = layout.margins(QPageLayout::Millimeter);
    const auto side = [](double a, double b) { return std::max({kLeastMm, a, b}); };
    return {side(least.left(), chosen.left()), side(least.top(), chosen.top()), side(least.right(), chosen.right()),
            side(least.bottom(), chosen.bottom())};
}

class PagePrinter {
public:
    virtual ~PagePrinter() = default;
    // Prints every page after the print dialog, over `parent`; nothing when the
    // user cancels. False, with the name of the printer that refused it.
    virtual bool print(QWidget* parent, const PageSource& source, QString* refusedBy) const = 0;
};

// The module's file name and its exported functions, `extern "C"`; a number
// changes whenever its class above does.
inline constexpr char kPrintModuleName[] = "wordwell-print.so";
inline constexpr char kFormPrinterEntryPoint[] = "wordwell_form_printer_2";
using FormPrinterEntryPoint = const FormPrinter* (*)();
inline constexpr char kPagePrinterEntryPoint[] = "wordwell_page_printer_1";
using PagePrinterEntryPoint = const PagePrinter* (*)();

}  // namespace platform::framework
