#include "common/userdatafile.h"

#include "common/folderpath.h"
#include "common/installfolder.h"
#include "platform/files/files.h"

#include <QDebug>
#include <QProcess>

namespace common {

namespace files = platform::files;

QString UserDataFilePath(const QString& folder, const QString& relative)
{
    const qsizetype slash = relative.lastIndexOf(u'/');
    return RealFolder(folder + relative.left(slash)) + relative.mid(slash);
}

bool WriteUserDataFile(const QString& path, const QByteArray& bytes)
{
    if (CreateFolderPath(path.left(path.lastIndexOf(u'/'))) && files::WriteWholeFile(path, bytes, 0644))
        return true;
    qWarning().noquote() << "cannot write" << path << ":" << files::LastErrorText();
    return false;
}

bool RemoveUserDataFile(const QString& folder, const QString& relative, const QString& recordedPath)
{
    if (recordedPath.isEmpty() || recordedPath != UserDataFilePath(folder, relative))
        return false;
    return files::GetFileAttributes(recordedPath) == files::INVALID_FILE_ATTRIBUTES || files::DeleteFile(recordedPath);
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
