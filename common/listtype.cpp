#include "common/listtype.h"

#include "common/record.h"
#include "common/userdatafile.h"

namespace common {

namespace {

// The database is rebuilt from the packages; a desktop without the tool still
// has the package for the next rebuild.
void rebuildDatabase(const QString& mimeFolder)
{
    RunDesktopTool(QStringLiteral("update-mime-database"), {mimeFolder});
}

}  // namespace

QString ListTypePackagePath(const QString& mimeFolder)
{
    return UserDataFilePath(mimeFolder, record::kListTypePackage);
}

QString AddListType(const QString& mimeFolder)
{
    const QString path = ListTypePackagePath(mimeFolder);
    if (!WriteUserDataFile(path, ListTypePackage()))
        return {};
    rebuildDatabase(mimeFolder);
    return path;
}

bool RemoveListType(const QString& mimeFolder, const QString& recordedPath)
{
    if (!RemoveUserDataFile(mimeFolder, record::kListTypePackage, recordedPath))
        return false;
    rebuildDatabase(mimeFolder);
    return true;
}

}  // namespace common
