#pragma once

#include <QString>

class CWordwellDoc;

// The File commands that put the list on paper: a test sheet and its answer key.
namespace practice::share {

// Through the print dialog and the print module; a module that cannot be
// loaded or a printer that refuses the pages is reported.
void OnPrintTestSheet(const CWordwellDoc& doc);
// Asks for a file name and saves the sheet and key as PDF, for those without a printer.
void OnSaveTestSheetPdf(const CWordwellDoc& doc);
bool SaveTestSheetPdf(const CWordwellDoc& doc, const QString& path);

}  // namespace practice::share
