#include "common/listtype.h"

#include "common/installfolder.h"
#include "common/record.h"
#include "common/userdatafile.h"
#include "platform/files/files.h"

#include <QDir>

namespace common {

namespace files = platform::files;

namespace {

// What update-mime-database writes beside the packages, besides a folder per
// media type holding a file per type, which a rebuild from no package empties.
const char* const kGeneratedFiles[] = {"XMLnamespaces", "aliases", "generic-icons", "globs",     "globs2", "icons",
                                       "magic",         "mime.cache", "subclasses", "treemagic", "types",  "version"};
const QString kPackagesName = QStringLiteral("packages");

// The database is rebuilt from the packages; a desktop without the tool still
// has the package for the next rebuild.
void rebuildDatabase(const QString& mimeFolder)
{
    RunDesktopTool(QStringLiteral("update-mime-database"), {mimeFolder});
}

bool isEmptyFolder(const QString& folder)
{
    return QDir(files::NativePath(folder)).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// A database of no package describes nothing: in a MIME folder Setup made,
// only the rebuild's own files are there to remove. Links among them go as
// links; anything else stays, and keeps the folder.
void deleteGeneratedDatabase(const QString& mimeFolder)
{
    for (const char* name : kGeneratedFiles)
        files::DeleteFile(mimeFolder + u'/' + QLatin1String(name));
    QList<files::FindEntry> entries;
    files::FindFiles(mimeFolder + QStringLiteral("/*.*"), &entries);
    for (const files::FindEntry& entry : entries) {
        if ((entry.attributes & files::FILE_ATTRIBUTE_DIRECTORY) && !entry.name.startsWith(u'.')
            && entry.name != kPackagesName)
            files::RemoveDirectory(mimeFolder + u'/' + entry.name);
    }
}

}  // namespace

QString ListTypePackagePath(const QString& mimeFolder)
{
    return UserDataFilePath(mimeFolder, record::kListTypePackage);
}

QString AddListType(const QString& mimeFolder, QString* madeFolder)
{
    const QString path = ListTypePackagePath(mimeFolder);
    if (!WriteUserDataFile(path, ListTypePackage(), madeFolder))
        return {};
    rebuildDatabase(mimeFolder);
    return path;
}

bool RemoveListType(const QString& mimeFolder, const QString& recordedPath, const QString& recordedMadeFolder)
{
    if (!RemoveUserDataFile(mimeFolder, record::kListTypePackage, recordedPath, recordedMadeFolder))
        return false;
    // The tool reads the packages folder, so the rebuild comes before any folder goes.
    rebuildDatabase(mimeFolder);
    const QString packages = recordedPath.left(recordedPath.lastIndexOf(u'/'));
    const QString realMimeFolder = packages.left(packages.lastIndexOf(u'/'));
    if (!recordedMadeFolder.isEmpty() && IsInsideFolder(realMimeFolder, recordedMadeFolder) && isEmptyFolder(packages))
        deleteGeneratedDatabase(realMimeFolder);
    RemoveMadeFolders(recordedPath, recordedMadeFolder);
    return true;
}

}  // namespace common
