#include "practice/share/sharecommands.h"

#include "platform/files/files.h"
#include "platform/framework/archive.h"
#include "platform/framework/doctemplate.h"
#include "platform/framework/formview.h"
#include "platform/framework/frame.h"
#include "platform/framework/messagebox.h"
#include "platform/framework/winapp.h"
#include "practice/document/commands.h"
#include "practice/document/wordlist.h"
#include "practice/document/wordwelldoc.h"
#include "practice/settings/wordwellapp.h"
#include "practice/share/clipinstall.h"
#include "practice/share/importdlg.h"
#include "practice/share/importjob.h"
#include "practice/share/sheetcommands.h"
#include "practice/sound/clippath.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace practice::share {

using namespace platform::framework;
namespace files = platform::files;

namespace {

const QString kFilter = QStringLiteral("Spelling List with Recordings (*.splz)");

const MenuEntry kShareCommands[] = {
    {0, nullptr, nullptr},
    {ID_FILE_EXPORT_SHARED, "&Export List with Recordings...",
     "Save the list and its recordings as one file to hand to someone else\nExport List"},
    {ID_FILE_IMPORT_SHARED, "Open List with &Recordings...",
     "Open a list with its recordings, putting the recordings in the words folder\nOpen List with Recordings"},
    {ID_FILE_PRINT_SHEET, "Print &Test Sheet...",
     "Print a test sheet with a numbered line per word, and its answer key\nPrint Test Sheet"},
    {ID_FILE_SHEET_PDF, "Save Test Sheet as P&DF...",
     "Save the test sheet and its answer key as a PDF file\nSave Test Sheet as PDF"},
};

// The list open now, for the commands that hand it on.
template <class Command>
std::function<void()> onDocument(Command command)
{
    return [command] {
        if (auto* doc = static_cast<CWordwellDoc*>(AfxGetApp()->GetDocTemplate()->GetDocument()))
            command(*doc);
    };
}

QString wordsPath()
{
    const CWordwellApp* app = GetWordwellApp();
    return app ? app->m_strWordsPath : QString();
}

void reportExportFailure(const QString& path, const QString& why)
{
    AfxMessageBox(QStringLiteral("The list could not be exported to \"%1\": %2.").arg(path, why), MB_ICONEXCLAMATION);
}

void reportImportFailure(const QString& path, const QString& why)
{
    AfxMessageBox(QStringLiteral("\"%1\" could not be opened: %2.").arg(path, why), MB_ICONEXCLAMATION);
}

bool readClip(const QString& path, QByteArray* bytes, QString* why)
{
    QFile file(files::NativePath(path));
    if (file.size() > SharedListLimits().maxEntryBytes) {
        *why = QStringLiteral("the clip \"%1\" is too large to share").arg(file.fileName());
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *why = QStringLiteral("\"%1\" could not be read (%2)").arg(file.fileName(), file.errorString());
        return false;
    }
    *bytes = file.readAll();
    return true;
}

// The shared list's bytes: a regular file no larger than all it may hold.
bool readArchive(const QString& path, QByteArray* bytes, QString* why)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        *why = QStringLiteral("it is not a file");
        return false;
    }
    if (info.size() > SharedListLimits().maxTotalBytes) {
        *why = QStringLiteral("it is larger than any shared list");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *why = file.errorString();
        return false;
    }
    *bytes = file.readAll();
    return true;
}

// Asks about each clip that would replace a different one, until an answer
// for all; No, keeping the user's own recording, is the default. False when
// the user cancels.
bool askAboutReplacing(QList<ClipPlan>* plans, const QString& archivePath)
{
    int forAll = 0;
    for (ClipPlan& plan : *plans) {
        if (plan.state != ClipPlan::Differs)
            continue;
        int answer = forAll;
        if (!answer) {
            answer = AfxMessageBox(QStringLiteral("The words folder already holds a different recording of \"%1\".\n\n"
                                                  "Replace it with the one from \"%2\"?")
                                       .arg(plan.word, QFileInfo(archivePath).fileName()),
                                   MB_YESNOALLCANCEL | MB_DEFBUTTON3 | MB_ICONQUESTION);
            if (answer == IDCANCEL)
                return false;
            if (answer == IDYESTOALL || answer == IDNOTOALL)
                forAll = answer;
        }
        plan.replace = answer == IDYES || answer == IDYESTOALL;
    }
    return true;
}

// Runs a step of the import on a thread of its own behind a progress dialog;
// false when it failed or stopped at the user's Cancel. A step that was done
// before Cancel was heard stands.
bool runWithProgress(const QString& what, CImportJob::Work work)
{
    CImportJob job(std::move(work));
    CWinApp* app = AfxGetApp();
    CImportDlg dialog(&job, what, app ? app->GetMainWnd() : nullptr);
    dialog.DoModal();
    return job.Succeeded();
}

}  // namespace

bool ExportSharedList(const CWordwellDoc& doc, const QString& archivePath)
{
    SharedList list;
    list.name = QFileInfo(doc.GetTitle()).completeBaseName();
    if (list.name.isEmpty())
        list.name = doc.GetTitle();
    QStringList words = doc.m_wordList;
    CArchive out(&list.listBytes);
    SerializeWordList(out, words);

    QString why;
    QSet<QString> taken;
    for (const QString& word : doc.m_wordList) {
        const QString key = ClipEntryName(word).toCaseFolded();
        if (key.isEmpty() || taken.contains(key))
            continue;
        taken.insert(key);
        const QString path = sound::MakeClipPath(wordsPath(), word);
        if (sound::ClipPathClimbs(wordsPath(), path) || files::GetFileAttributes(path) == files::INVALID_FILE_ATTRIBUTES)
            continue;
        SharedClip clip{word, {}};
        if (!readClip(path, &clip.bytes, &why)) {
            reportExportFailure(archivePath, why);
            return false;
        }
        list.clips.append(std::move(clip));
    }

    QString reason;
    const platform::zip::ZipCodec* codec = platform::zip::LoadZipCodec(&reason);
    QByteArray archive;
    if (!codec || !codec->pack(PackSharedList(list), &archive, &reason)) {
        reportExportFailure(archivePath, reason);
        return false;
    }
    if (!files::WriteWholeFile(archivePath, archive, 0644)) {
        reportExportFailure(archivePath, files::LastErrorText());
        return false;
    }
    return true;
}

void OnExportSharedList(const CWordwellDoc& doc)
{
    CWinApp* app = AfxGetApp();
    const QString path = app->DoPromptFileName(QFileInfo(doc.GetTitle()).completeBaseName() + kSharedListExtension, false,
                                               QStringLiteral("Export List with Recordings"), kFilter,
                                               kSharedListExtension);
    if (!path.isEmpty())
        ExportSharedList(doc, path);
}

bool ImportSharedList(const QString& archivePath)
{
    QString why;
    const platform::zip::ZipCodec* codec = platform::zip::LoadZipCodec(&why);
    if (!codec) {
        reportImportFailure(archivePath, why);
        return false;
    }
    const QString words = wordsPath();
    const QString fileName = QFileInfo(archivePath).fileName();
    SharedList list;
    QList<ClipPlan> plans;
    // A large archive takes a while to read and check: off the window's thread, with Cancel.
    const bool read = runWithProgress(QStringLiteral("Checking the clips of \"%1\"").arg(fileName),
                                      [&](const InstallProgress& progress) {
                                          QByteArray bytes;
                                          QList<platform::zip::ZipEntry> entries;
                                          return readArchive(archivePath, &bytes, &why)
                                                 && codec->unpack(bytes, SharedListLimits(), &entries, &why)
                                                 && UnpackSharedList(entries, &list, &why)
                                                 && PlanClips(words, list, &plans, &why, progress);
                                      });
    if (!read) {
        if (!why.isEmpty())
            reportImportFailure(archivePath, why);
        return false;
    }
    CWinApp* app = AfxGetApp();
    CSingleDocTemplate* docTemplate = app ? app->GetDocTemplate() : nullptr;
    if (!docTemplate)
        return false;
    auto* doc = static_cast<CWordwellDoc*>(docTemplate->GetDocument());
    if (doc && !doc->SaveModified())
        return false;
    if (!askAboutReplacing(&plans, archivePath))
        return false;
    const bool written = runWithProgress(QStringLiteral("Writing the clips of \"%1\"").arg(fileName),
                                         [&](const InstallProgress& progress) {
                                             return WriteClips(words, plans, &why, progress);
                                         });
    if (!written) {
        if (!why.isEmpty())
            reportImportFailure(archivePath, why);
        return false;
    }
    // The list was saved or discarded above; the new one is not yet saved anywhere.
    if (doc)
        doc->SetModifiedFlag(false);
    return OpenAsNewList(list.words, list.name);
}

bool OpenAsNewList(const QStringList& words, const QString& name)
{
    CWinApp* app = AfxGetApp();
    CSingleDocTemplate* docTemplate = app ? app->GetDocTemplate() : nullptr;
    if (!docTemplate)
        return false;
    app->OnFileNew();
    auto* doc = static_cast<CWordwellDoc*>(docTemplate->GetDocument());
    if (!doc)
        return false;
    doc->m_wordList = words;
    doc->SetTitle(name);
    doc->SetModifiedFlag(true);
    doc->UpdateAllViews(nullptr, 0, nullptr);
    // As after Open: the view starts afresh on the list now in place, so it
    // greets the list rather than saying there is none.
    if (CFormView* view = docTemplate->GetView())
        view->OnInitialUpdate();
    if (auto* frame = qobject_cast<CFrameWnd*>(app->GetMainWnd()))
        frame->UpdateCommandUI();
    return true;
}

void OnImportSharedList()
{
    const QString path = AfxGetApp()->DoPromptFileName(QString(), true, QStringLiteral("Open List with Recordings"),
                                                       kFilter, kSharedListExtension);
    if (!path.isEmpty())
        ImportSharedList(path);
}

void AttachShareCommands(CFrameWnd& frame, QMenu* file)
{
    frame.AppendMenu(file, kShareCommands);
    frame.OnCommand(ID_FILE_EXPORT_SHARED, onDocument(OnExportSharedList));
    frame.OnCommand(ID_FILE_IMPORT_SHARED, OnImportSharedList);
    frame.OnCommand(ID_FILE_PRINT_SHEET, onDocument(OnPrintTestSheet));
    frame.OnCommand(ID_FILE_SHEET_PDF, onDocument(OnSaveTestSheetPdf));
}

}  // namespace practice::share
