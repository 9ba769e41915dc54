#include "common/userdatafile.h"

#include "common/folderpath.h"
#include "common/installfolder.h"
#include "platform/files/files.h"

#include <QDebug>
#include <QProcess>

namespace common {

namespace files = platform::files;

namespace {

QString folderOf(const QString& path)
{
    return path.left(path.lastIndexOf(u'/'));
}

// The outermost level of `folder` that does not exist yet; empty when it does.
QString outermostMissing(QString folder)
{
    QString missing;
    while (folder.count(u'/') > 1 && files::GetFileAttributes(folder) == files::INVALID_FILE_ATTRIBUTES) {
        missing = folder;
        folder = folderOf(folder);
    }
    return missing;
}

bool isAtOrBelow(const QString& inner, const QString& outer)
{
    return inner == outer || inner.startsWith(outer + u'/');
}

}  // namespace

QString UserDataFilePath(const QString& folder, const QString& relative)
{
    const qsizetype slash = relative.lastIndexOf(u'/');
    return RealFolder(folder + relative.left(slash)) + relative.mid(slash);
}

bool WriteUserDataFile(const QString& path, const QByteArray& bytes, QString* madeFolder)
{
    const QString missing = outermostMissing(folderOf(path));
    if (CreateFolderPath(folderOf(path)) && files::WriteWholeFile(path, bytes, 0644)) {
        *madeFolder = missing;
        return true;
    }
    qWarning().noquote() << "cannot write" << path << ":" << files::LastErrorText();
    return false;
}

bool RemoveUserDataFile(const QString& folder, const QString& relative, const QString& recordedPath,
                        const QString& recordedMadeFolder)
{
    if (recordedPath.isEmpty() || recordedPath != UserDataFilePath(folder, relative))
        return false;
    // The file's path is real, so a made folder enclosing it holds no link on the way down.
    if (!recordedMadeFolder.isEmpty()
        && (!IsRecordedFolderIntact(recordedMadeFolder) || !isAtOrBelow(folderOf(recordedPath), recordedMadeFolder)))
        return false;
    return files::GetFileAttributes(recordedPath) == files::INVALID_FILE_ATTRIBUTES || files::DeleteFile(recordedPath);
}

void RemoveMadeFolders(const QString& recordedPath, const QString& madeFolder)
{
    if (madeFolder.isEmpty())
        return;
    // Only an empty folder is removed, and never a link: a level that stays
    // keeps every one above it.
    QString level = folderOf(recordedPath);
    while (isAtOrBelow(level, madeFolder) && files::RemoveDirectory(level))
        level = folderOf(level);
}

bool RunDesktopTool(const QString& program, const QStringList& arguments)
{
    QProcess tool;
    tool.start(program, arguments);
    if (tool.waitForFinished(60000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0)
        return true;
    qWarning().noquote() << "cannot run" << program << arguments.join(u' ') << ":" << tool.errorString()
                         << tool.readAllStandardError();
    return false;
}

}  // namespace common
