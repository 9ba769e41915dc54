#pragma once

#include <QRect>

class QPainter;
class QPrinter;
class QWidget;

namespace platform::framework {

enum class PrintChoice { AskUser, DefaultPrinter, Preview };

// Prints the form as it stands on one page: with the print dialog, straight to
// the default printer, or in a preview window. Nothing is printed when the
// user cancels.
void PrintForm(QWidget* form, PrintChoice choice);

// Draws the form, scaled to fit and centred at the top of `page`, keeping its proportions.
void RenderFormPage(QWidget* form, QPainter* painter, const QRect& page);
// One printed page of the form on `printer`; false when the printer could not start.
bool PrintFormOn(QWidget* form, QPrinter* printer);

}  // namespace platform::framework
