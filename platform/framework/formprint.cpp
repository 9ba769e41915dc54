#include "platform/framework/formprint.h"

#include "platform/framework/messagebox.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWidget>

#include <algorithm>

namespace platform::framework {

void RenderFormPage(QWidget* form, QPainter* painter, const QRect& page)
{
    const QSize formSize = form->size();
    if (formSize.isEmpty() || page.isEmpty())
        return;
    const double scale = std::min(static_cast<double>(page.width()) / formSize.width(),
                                  static_cast<double>(page.height()) / formSize.height());
    const double left = page.x() + (page.width() - formSize.width() * scale) / 2.0;
    painter->save();
    painter->translate(left, page.y());
    painter->scale(scale, scale);
    form->render(painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    painter->restore();
}

bool PrintFormOn(QWidget* form, QPrinter* printer)
{
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    // The painter's origin is the top left of the printable area.
    const QRect page(QPoint(0, 0), printer->pageLayout().paintRectPixels(printer->resolution()).size());
    RenderFormPage(form, &painter, page);
    return painter.end();
}

namespace {

void printOrReport(QWidget* form, QPrinter* printer)
{
    if (!PrintFormOn(form, printer)) {
        const QString name = printer->printerName().isEmpty() ? QStringLiteral("the printer") : printer->printerName();
        AfxMessageBox(QStringLiteral("The form could not be printed: %1 did not accept it.").arg(name),
                      MB_ICONEXCLAMATION);
    }
}

}  // namespace

void PrintForm(QWidget* form, PrintChoice choice)
{
    QPrinter printer(QPrinter::HighResolution);
    switch (choice) {
    case PrintChoice::AskUser: {
        QPrintDialog dialog(&printer, form);
        if (dialog.exec() == QDialog::Accepted)
            printOrReport(form, &printer);
        break;
    }
    case PrintChoice::DefaultPrinter: printOrReport(form, &printer); break;
    case PrintChoice::Preview: {
        QPrintPreviewDialog preview(&printer, form);
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, form,
                         [form](QPrinter* p) { PrintFormOn(form, p); });
        preview.exec();
        break;
    }
    }
}

}  // namespace platform::framework
