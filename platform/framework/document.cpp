#include "platform/framework/document.h"

#include "platform/framework/announce.h"
#include "platform/framework/appservices.h"
#include "platform/framework/archive.h"
#include "platform/framework/commandids.h"
#include "platform/framework/messagebox.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::framework {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("CDocument", text);
}

bool reportFailure(const QString& text)
{
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    return false;
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The whole of a regular file of at most `maxBytes`; false with the message
// otherwise. Opened without blocking, so a pipe with no writer is refused
// rather than waited on, and judged on what was opened, not on its name.
bool readRegularFile(const QString& pathName, qint64 maxBytes, QByteArray* data, QString* message)
{
    const auto refuse = [&](const QString& reason) {
        *message = tr("Unable to open \"%1\": %2.").arg(pathName, reason);
        return false;
    };
    const int fd = ::open(QFile::encodeName(pathName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return refuse(systemReason(errno));
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return refuse(file.errorString());
    }
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return refuse(systemReason(errno));
    if (!S_ISREG(st.st_mode))
        return refuse(S_ISDIR(st.st_mode) ? tr("it is a folder") : tr("it is not a file"));
    // Checked again while reading: the file may grow meanwhile.
    const QString tooLarge = tr("it is too large to be a spelling list (more than %1 MB)").arg(maxBytes >> 20);
    if (st.st_size > maxBytes)
        return refuse(tooLarge);
    data->reserve(st.st_size);
    char chunk[64 * 1024];
    for (;;) {
        const qint64 got = file.read(chunk, sizeof chunk);
        if (got < 0) {
            *message = tr("Unable to read \"%1\": %2.").arg(pathName, file.errorString());
            return false;
        }
        if (got == 0)
            return true;
        if (data->size() + got > maxBytes)
            return refuse(tooLarge);
        data->append(chunk, got);
    }
}

}  // namespace

CDocument::CDocument()
{
    OnCommand(ID_FILE_SAVE, [this] { DoFileSave(); });
    OnCommand(ID_FILE_SAVE_AS, [this] { DoSave(QString()); });
}

bool CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.clear();
    m_strTitle = QStringLiteral("Untitled");
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnOpenDocument(const QString& pathName)
{
    QByteArray data;
    QString message;
    if (!readRegularFile(pathName, kMaxDocumentBytes, &data, &message))
        return reportFailure(message);

    DeleteContents();
    SetModifiedFlag(true);  // the contents are in flux until the load completes
    try {
        CArchive ar{QByteArrayView(data)};
        Serialize(ar);
    } catch (const CArchiveException&) {
        DeleteContents();
        return reportFailure(
            tr("Unable to read \"%1\": the file is damaged or is not a spelling list "
               "(it ends before all of its words).")
                .arg(pathName));
    }
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnSaveDocument(const QString& pathName)
{
    QByteArray data;
    CArchive ar(&data);
    Serialize(ar);

    QSaveFile file(pathName);
    if (!file.open(QIODevice::WriteOnly))
        return reportFailure(tr("Unable to save \"%1\": %2.").arg(pathName, file.errorString()));
    if (file.write(data) != data.size() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reportFailure(tr("Unable to save \"%1\": %2.").arg(pathName, reason));
    }
    SetModifiedFlag(false);
    return true;
}

bool CDocument::SaveModified()
{
    if (!IsModified())
        return true;
    const QString name = m_strPathName.isEmpty() ? m_strTitle : m_strPathName;
    switch (AfxMessageBox(tr("Save changes to %1?").arg(name), MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL: return false;
    case IDYES: return DoFileSave();
    default: return true;
    }
}

bool CDocument::DoSave(const QString& pathName, bool replace)
{
    QString target = pathName;
    if (target.isEmpty()) {
        if (!m_saveAsPrompt)
            return false;
        target = m_saveAsPrompt(m_strPathName.isEmpty() ? m_strTitle : m_strPathName);
        if (target.isEmpty())
            return false;
    }
    if (!OnSaveDocument(target))
        return false;
    if (replace)
        SetPathName(target);
    // A failure is a message box, which a screen reader reads; success changes
    // only the caption, which it does not.
    if (const CAppServices* app = AfxGetAppServices(); app && app->GetMainWnd())
        Announce(app->GetMainWnd(), tr("Saved %1.").arg(QFileInfo(target).fileName()));
    return true;
}

bool CDocument::DoFileSave()
{
    return DoSave(m_strPathName);
}

void CDocument::SetPathName(const QString& pathName)
{
    m_strPathName = QFileInfo(pathName).absoluteFilePath();
    m_strTitle = QFileInfo(pathName).fileName();
    if (CAppServices* app = AfxGetAppServices())
        app->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(CView* view)
{
    if (!m_views.contains(view))
        m_views.append(view);
}

void CDocument::RemoveView(CView* view)
{
    m_views.removeAll(view);
}

void CDocument::UpdateAllViews(CView* sender, qintptr hint, QObject* hintObject)
{
    for (CView* view : std::as_const(m_views)) {
        if (view != sender)
            view->OnUpdate(sender, hint, hintObject);
    }
}

}  // namespace platform::framework
