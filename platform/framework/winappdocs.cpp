// The application object's documents: its template, New and Open, the
// recent-file list, the command line and the event loop.
#include "platform/framework/commandids.h"
#include "platform/framework/commandline.h"
#include "platform/framework/doctemplate.h"
#include "platform/framework/document.h"
#include "platform/framework/formprint.h"
#include "platform/framework/formview.h"
#include "platform/framework/frame.h"
#include "platform/framework/messagebox.h"
#include "platform/framework/recentfiles.h"
#include "platform/framework/winapp.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>

namespace platform::framework {

namespace {
constexpr int kMaxRecentFiles = 16;
// Long enough for the main window to have painted when a list opens at start-up.
constexpr int kRecentFilesWriteDelayMs = 200;
}

void CWinApp::registerCommands()
{
    OnCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    OnCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    OnCommand(ID_APP_EXIT, [this] { OnAppExit(); });
    const unsigned lastRecent = ID_FILE_MRU_FILE1 + kMaxRecentFiles - 1;
    OnCommandRange(ID_FILE_MRU_FILE1, lastRecent, [this](unsigned id) { onOpenRecentFile(id); });
    for (unsigned id = ID_FILE_MRU_FILE1; id <= lastRecent; ++id)
        OnUpdateCommandUI(id, [this, id](CCmdUI* ui) { onUpdateRecentFile(id, ui); });
}

void CWinApp::AddDocTemplate(std::unique_ptr<CSingleDocTemplate> docTemplate)
{
    m_docTemplate = std::move(docTemplate);
}

QWidget* CWinApp::GetMainWnd() const
{
    return m_docTemplate ? m_docTemplate->GetFrame() : nullptr;
}

CDocument* CWinApp::OpenDocumentFile(const QString& pathName)
{
    return m_docTemplate ? m_docTemplate->OpenDocumentFile(pathName) : nullptr;
}

void CWinApp::OnFileNew()
{
    if (m_docTemplate)
        m_docTemplate->OpenDocumentFile(QString());
}

void CWinApp::OnFileOpen()
{
    const QString path = DoPromptFileName(QString(), true);
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

void CWinApp::OnAppExit()
{
    if (QWidget* main = GetMainWnd())
        main->close();
}

void CWinApp::LoadStdProfileSettings(int maxFiles)
{
    m_recentFiles = std::make_unique<CRecentFileList>(QStringLiteral("Recent File List"),
                                                      std::min(maxFiles, kMaxRecentFiles));
    m_recentFiles->ReadList(*this);
}

void CWinApp::AddToRecentFileList(const QString& pathName)
{
    if (!m_recentFiles)
        return;
    if (!m_recentFiles->Add(pathName) || m_bRecentFilesWritePending)
        return;
    // Written a moment later (and at exit), so neither opening a list nor the
    // window's first showing waits for the disk: a call posted for when the
    // program next waits would still run before the first paint.
    m_bRecentFilesWritePending = true;
    if (m_preTranslateFilter)
        QTimer::singleShot(kRecentFilesWriteDelayMs, m_preTranslateFilter.get(), [this] { writeRecentFiles(); });
    else
        writeRecentFiles();
}

void CWinApp::writeRecentFiles()
{
    if (!m_bRecentFilesWritePending || !m_recentFiles)
        return;
    m_bRecentFilesWritePending = false;
    m_recentFiles->WriteList(*this);
}

void CWinApp::onOpenRecentFile(unsigned id)
{
    const int index = static_cast<int>(id - ID_FILE_MRU_FILE1);
    if (!m_recentFiles || index >= m_recentFiles->Entries().size())
        return;
    const QString path = m_recentFiles->Entries().at(index);
    // An entry whose file is gone leaves the list; a cancelled save prompt does not.
    if (!OpenDocumentFile(path) && !QFileInfo::exists(path)) {
        m_recentFiles->Remove(index);
        m_bRecentFilesWritePending = true;
        writeRecentFiles();
    }
}

void CWinApp::onUpdateRecentFile(unsigned id, CCmdUI* ui) const
{
    const int index = static_cast<int>(id - ID_FILE_MRU_FILE1);
    const qsizetype count = m_recentFiles ? m_recentFiles->Entries().size() : 0;
    if (count == 0) {
        // The grayed placeholder stands in for an empty list.
        ui->Show(index == 0);
        ui->SetText(QStringLiteral("Recent File"));
        ui->Enable(false);
        return;
    }
    ui->Show(index < count);
    ui->Enable(index < count);
    if (index < count)
        ui->SetText(m_recentFiles->MenuText(index));
}

bool CWinApp::ProcessShellCommand(const CCommandLineInfo& info)
{
    switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
    case CCommandLineInfo::FileDDE: OnFileNew(); return GetMainWnd() != nullptr;
    case CCommandLineInfo::FileOpen: return OpenDocumentFile(info.m_strFileName) != nullptr;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        if (printFromCommandLine(info.m_strFileName, info.m_strPrinterName))
            m_nStartUpExitCode = 0;
        return false;
    }
    return false;
}

bool CWinApp::printFromCommandLine(const QString& pathName, const QString& printerName)
{
    // Without a name the template would print a new, empty list.
    if (pathName.isEmpty()) {
        AfxMessageBox(QStringLiteral("The form could not be printed: no list was named."), MB_ICONEXCLAMATION);
        return false;
    }
    return m_docTemplate && m_docTemplate->OpenDocumentFile(pathName, false)
           && PrintForm(m_docTemplate->GetView(), PrintChoice::Direct, printerName);
}

namespace {

// Qt's file dialog reads text in double quotes in its name box as several
// names ("a" "b"), so a suggested name holding one would be saved under
// another name: the quote becomes an apostrophe, which it keeps.
QString nameTheDialogKeeps(const QString& proposedName)
{
    const qsizetype nameStart = proposedName.lastIndexOf(u'/') + 1;
    return proposedName.left(nameStart) + QString(proposedName.mid(nameStart)).replace(u'"', u'\'');
}

}  // namespace

QString CWinApp::DoPromptFileName(const QString& proposedName, bool open)
{
    return DoPromptFileName(proposedName, open, open ? QStringLiteral("Open") : QStringLiteral("Save As"),
                            m_docTemplate ? m_docTemplate->FileDialogFilter() : QString(),
                            m_docTemplate ? m_docTemplate->DefaultExtension() : QString());
}

QString CWinApp::DoPromptFileName(const QString& proposedName, bool open, const QString& caption,
                                  const QString& filter, const QString& extension)
{
    if (m_filePrompt)
        return m_filePrompt(proposedName, open);
    if (open)
        return QFileDialog::getOpenFileName(GetMainWnd(), caption, QString(), filter);
    QFileDialog dialog(GetMainWnd(), caption, nameTheDialogKeeps(proposedName), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // Added by the dialog, not afterwards, so that its question before
    // replacing a file is about the file that is written.
    dialog.setDefaultSuffix(extension);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

int CWinApp::Run()
{
    if (!InitInstance())
        return m_nStartUpExitCode;
    return QApplication::exec();
}

}  // namespace platform::framework
