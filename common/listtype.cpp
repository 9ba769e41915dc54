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
    return QDir(files::NativePath(folder))
        .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
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

ListTypeRecord AddListType(const QString& mimeFolder)
{
    ListTypeRecord made;
    const QString path = ListTypePackagePath(mimeFolder);
    const QString mediaFolder = RealFolder(mimeFolder) + record::kListTypeMediaFolder;
    const bool hadMediaFolder = files::GetFileAttributes(mediaFolder) != files::INVALID_FILE_ATTRIBUTES;
    if (!WriteUserDataFile(path, ListTypePackage(), &made.madeFolder))
        return {};
    rebuildDatabase(mimeFolder);
    made.package = path;
    // In a MIME folder Setup made, the whole database is Setup's anyway.
    const bool mimeFolderMade = !made.madeFolder.isEmpty() && IsInsideFolder(mimeFolder, made.madeFolder);
    if (!mimeFolderMade && !hadMediaFolder && files::GetFileAttributes(mediaFolder) != files::INVALID_FILE_ATTRIBUTES)
        made.madeMediaFolder = mediaFolder;
    return made;
}

bool RemoveListType(const QString& mimeFolder, const ListTypeRecord& recorded)
{
    const QString packages = recorded.package.left(recorded.package.lastIndexOf(u'/'));
    const QString realMimeFolder = packages.left(packages.lastIndexOf(u'/'));
    const QString& mediaFolder = recorded.madeMediaFolder;
    if (!mediaFolder.isEmpty() && mediaFolder != realMimeFolder + record::kListTypeMediaFolder)
        return false;
    if (!RemoveUserDataFile(mimeFolder, record::kListTypePackage, recorded.package, recorded.madeFolder))
        return false;
    // The tool reads the packages folder, so the rebuild comes before any folder goes.
    rebuildDatabase(mimeFolder);
    if (!mediaFolder.isEmpty())
        files::RemoveDirectory(mediaFolder);
    const bool mimeFolderMade = !recorded.madeFolder.isEmpty() && IsInsideFolder(realMimeFolder, recorded.madeFolder);
    if (mimeFolderMade && isEmptyFolder(packages))
        deleteGeneratedDatabase(realMimeFolder);
    RemoveMadeFolders(recorded.package, recorded.madeFolder);
    return true;
}

}  // namespace common
