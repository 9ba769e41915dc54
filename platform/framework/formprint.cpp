#include "platform/framework/formprint.h"

#include "platform/framework/messagebox.h"
#include "platform/modules/modules.h"

#include <QPainter>
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

bool PrintForm(QWidget* form, PrintChoice choice, const QString& printerName)
{
    QString reason;
    const modules::EntryPoint entry = modules::ModuleEntry(QLatin1String(kPrintModuleName), kFormPrinterEntryPoint,
                                                           QStringLiteral("print module"), &reason);
    if (entry) {
        const FormPrinter* printer = reinterpret_cast<FormPrinterEntryPoint>(entry)();
        if (printer->print(form, choice, printerName, &RenderFormPage, &reason))
            return true;
    }
    AfxMessageBox(QStringLiteral("The form could not be printed: %1.").arg(reason), MB_ICONEXCLAMATION);
    return false;
}

}  // namespace platform::framework
