#include "common/desktopdatabase.h"

#include "common/installfolder.h"
#include "common/userdatafile.h"
#include "platform/files/files.h"

#include <QFile>

namespace common {

namespace files = platform::files;

namespace {

const QString kDatabaseName = QStringLiteral("/mimeinfo.cache");

// The database holds a header line and one line per type.
bool namesAType(const QString& path)
{
    QFile database(files::NativePath(path));
    if (!database.open(QIODevice::ReadOnly))
        return true;  // kept when in doubt
    return database.readAll().trimmed().contains('\n');
}

}  // namespace

QString DesktopDatabasePath(const QString& programsFolder)
{
    return RealFolder(programsFolder) + kDatabaseName;
}

bool RefreshDesktopDatabase(const QString& programsFolder)
{
    return RunDesktopTool(QStringLiteral("update-desktop-database"),
                          {QStringLiteral("--quiet"), RealFolder(programsFolder)});
}

bool ForgetDesktopEntries(const QString& programsFolder, const QString& recordedPath)
{
    const QString path = DesktopDatabasePath(programsFolder);
    if (!recordedPath.isEmpty() && recordedPath != path)
        return false;
    if (files::GetFileAttributes(path) == files::INVALID_FILE_ATTRIBUTES)
        return true;
    if (RefreshDesktopDatabase(programsFolder) && !recordedPath.isEmpty() && !namesAType(path))
        return files::DeleteFile(path);
    return true;
}

}  // namespace common
