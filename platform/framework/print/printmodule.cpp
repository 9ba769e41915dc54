// The print module: the form on one page through Qt Print Support.
#include "platform/framework/formprinter.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
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
    bool print(QWidget* form, PrintChoice choice, RenderPage render, QString* refusedBy) const override
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
        case PrintChoice::DefaultPrinter: printed = printOn(form, &printer, render); break;
        case PrintChoice::Preview: {
            QPrintPreviewDialog preview(&printer, form);
            QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, form,
                             [form, render](QPrinter* p) { printOn(form, p, render); });
            preview.exec();
            break;
        }
        }
        if (!printed)
            *refusedBy = printer.printerName().isEmpty() ? QStringLiteral("the printer") : printer.printerName();
        return printed;
    }
};

}  // namespace

}  // namespace platform::framework

extern "C" Q_DECL_EXPORT const platform::framework::FormPrinter* wordwell_form_printer_1()
{
    static const platform::framework::QtFormPrinter printer;
    return &printer;
}
