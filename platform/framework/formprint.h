#pragma once

#include "platform/framework/formprinter.h"

#include <QRect>

class QPainter;
class QWidget;

namespace platform::framework {

// Prints the form as it stands on one page: with the print dialog, straight to
// the printer named (the default printer when none is), or in a preview
// window, through the print module. Nothing is printed when the user cancels;
// a printer that is missing or refuses the page and a print module that
// cannot be loaded are reported to the user, and give false.
bool PrintForm(QWidget* form, PrintChoice choice, const QString& printerName = QString());

// Draws the form, scaled to fit and centred at the top of `page`, keeping its proportions.
void RenderFormPage(QWidget* form, QPainter* painter, const QRect& page);

}  // namespace platform::framework
