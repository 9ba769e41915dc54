// The print module: the form on one page, and documents of pages, through Qt Print Support.
#include "platform/framework/formprinter.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

namespace platform::framework {

namespace {

// One page of the form on `printer`; false when the printer could not start.
bool printOn(QWidget* form, QPrinter* printer, RenderPage render)
{
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    // The painter's origin is the top left of the printable area.
    const QRect page(QPoint(0, 0), printer->pageLayout().paintRectPixels(printer->resolution()).size());
    render(form, &painter, page);
    return painter.end();
}

class QtFormPrinter final : public FormPrinter {
public:
    bool print(QWidget* form, PrintChoice choice, const QString& printerName, RenderPage render,
               QString* why) const override
    {
        QPrinter printer(QPrinter::HighResolution);
        bool printed = true;
        switch (choice) {
        case PrintChoice::AskUser: {
            QPrintDialog dialog(&printer, form);
            if (dialog.exec() == QDialog::Accepted)
                printed = printOn(form, &printer, render);
            break;
        }
        case PrintChoice::Direct: {
            // A missing printer is named as such, not taken for one that refused the page.
            const QPrinterInfo target =
                printerName.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(printerName);
            if (target.isNull()) {
                *why = printerName.isEmpty() ? QStringLiteral("there is no default printer")
                                             : QStringLiteral("there is no printer \"%1\"").arg(printerName);
                return false;
            }
            printer.setPrinterName(target.printerName());
            printed = printOn(form, &printer, render);
            break;
        }
        case PrintChoice::Preview: {
            QPrintPreviewDialog preview(&printer, form);
            QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, form,
                             [form, render](QPrinter* p) { printOn(form, p, render); });
            preview.exec();
            break;
        }
        }
        if (!printed)
            *why = QStringLiteral("%1 did not accept it")
                       .arg(printer.printerName().isEmpty() ? QStringLiteral("the printer") : printer.printerName());
        return printed;
    }
};

class QtPagePrinter final : public PagePrinter {
public:
    bool print(QWidget* parent, const PageSource& source, QString* refusedBy) const override
    {
        QPrinter printer(QPrinter::HighResolution);
        QPrintDialog dialog(&printer, parent);
        if (dialog.exec() != QDialog::Accepted)
            return true;
        printer.setPageMargins(DocumentMargins(printer.pageLayout()), QPageLayout::Millimeter);
        QPainter painter;
        bool printed = painter.begin(&printer);
        if (printed) {
            const QRect page(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
            const int count = source.pageCount(&printer, page);
            for (int index = 0; index < count && printed; ++index) {
                if (index > 0)
                    printed = printer.newPage();
                source.renderPage(&painter, page, index);
            }
            printed = painter.end() && printed;
        }
        if (!printed)
            *refusedBy = printer.printerName().isEmpty() ? QStringLiteral("the printer") : printer.printerName();
        return printed;
    }
};

}  // namespace

}  // namespace platform::framework

extern "C" Q_DECL_EXPORT const platform::framework::PagePrinter* wordwell_page_printer_1()
{
    static const platform::framework::QtPagePrinter printer;
    return &printer;
}

extern "C" Q_DECL_EXPORT const platform::framework::FormPrinter* wordwell_form_printer_2()
{
    static const platform::framework::QtFormPrinter printer;
    return &printer;
}
