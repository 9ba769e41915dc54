#include "practice/share/sheetcommands.h"

#include "platform/framework/messagebox.h"
#include "platform/framework/winapp.h"
#include "platform/modules/modules.h"
#include "practice/document/wordwelldoc.h"
#include "practice/share/testsheet.h"

#include <QFileInfo>

namespace practice::share {

using namespace platform::framework;

namespace {

TestSheet sheetOf(const CWordwellDoc& doc)
{
    return TestSheet(QFileInfo(doc.GetTitle()).completeBaseName(), doc.m_wordList);
}

}  // namespace

void OnPrintTestSheet(const CWordwellDoc& doc)
{
    QString reason;
    const platform::modules::EntryPoint entry = platform::modules::ModuleEntry(
        QLatin1String(kPrintModuleName), kPagePrinterEntryPoint, QStringLiteral("print module"), &reason);
    if (!entry) {
        AfxMessageBox(QStringLiteral("The test sheet could not be printed: %1.").arg(reason), MB_ICONEXCLAMATION);
        return;
    }
    const PagePrinter* printer = reinterpret_cast<PagePrinterEntryPoint>(entry)();
    QString refusedBy;
    if (!printer->print(AfxGetApp()->GetMainWnd(), sheetOf(doc), &refusedBy))
        AfxMessageBox(QStringLiteral("The test sheet could not be printed: %1 did not accept it.").arg(refusedBy),
                      MB_ICONEXCLAMATION);
}

bool SaveTestSheetPdf(const CWordwellDoc& doc, const QString& path)
{
    QString why;
    if (SaveTestSheetPdf(sheetOf(doc), path, &why))
        return true;
    AfxMessageBox(QStringLiteral("The test sheet could not be saved to \"%1\": %2.").arg(path, why), MB_ICONEXCLAMATION);
    return false;
}

void OnSaveTestSheetPdf(const CWordwellDoc& doc)
{
    const QString path = AfxGetApp()->DoPromptFileName(
        QFileInfo(doc.GetTitle()).completeBaseName() + QStringLiteral(" test.pdf"), false,
        QStringLiteral("Save Test Sheet as PDF"), QStringLiteral("PDF Documents (*.pdf)"), QStringLiteral(".pdf"));
    if (!path.isEmpty())
        SaveTestSheetPdf(doc, path);
}

}  // namespace practice::share
