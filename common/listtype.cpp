#include "common/listtype.h"

#include "common/folderpath.h"
#include "common/installfolder.h"
#include "common/record.h"
#include "platform/files/files.h"

#include <QDebug>
#include <QProcess>

namespace common {

namespace files = platform::files;

namespace {

// The database is rebuilt from the packages; a desktop without the tool still
// has the package for the next rebuild.
void rebuildDatabase(const QString& mimeFolder)
{
    QProcess tool;
    tool.start(QStringLiteral("update-mime-database"), {mimeFolder});
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        qWarning().noquote() << "cannot rebuild the MIME database in" << mimeFolder << ":" << tool.errorString()
                             << tool.readAllStandardError();
}

}  // namespace

QString ListTypePackagePath(const QString& mimeFolder)
{
    const QString package = record::kListTypePackage;
    const qsizetype slash = package.lastIndexOf(u'/');
    return RealFolder(mimeFolder + package.left(slash)) + package.mid(slash);
}

QString AddListType(const QString& mimeFolder)
{
    const QString path = ListTypePackagePath(mimeFolder);
    if (!CreateFolderPath(path.left(path.lastIndexOf(u'/'))) || !files::WriteWholeFile(path, ListTypePackage(), 0644)) {
        qWarning().noquote() << "cannot write" << path << ":" << files::LastErrorText();
        return {};
    }
    rebuildDatabase(mimeFolder);
    return path;
}

bool RemoveListType(const QString& mimeFolder, const QString& recordedPath)
{
    if (recordedPath.isEmpty() || recordedPath != ListTypePackagePath(mimeFolder))
        return false;
    if (files::GetFileAttributes(recordedPath) != files::INVALID_FILE_ATTRIBUTES && !files::DeleteFile(recordedPath))
        return false;
    rebuildDatabase(mimeFolder);
    return true;
}

}  // namespace common
