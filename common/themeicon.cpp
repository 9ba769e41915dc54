#include "common/themeicon.h"

#include "common/record.h"
#include "common/userdatafile.h"
#include "platform/files/files.h"

#include <QFileInfo>

namespace common {

namespace {

// A theme with a cache is looked up through it only while the cache is as new
// as the theme's folder; an icon added in a size folder does not touch that
// folder, so a cache would hide it until refreshed. Only a cache that exists is
// refreshed: one made here would be a file of the user's theme no record names.
void refreshIconCache(const QString& iconsFolder)
{
    const QString theme = iconsFolder + QStringLiteral("/hicolor");
    if (QFileInfo(platform::files::NativePath(theme + QStringLiteral("/icon-theme.cache"))).isFile())
        RunDesktopTool(QStringLiteral("gtk-update-icon-cache"), {QStringLiteral("--quiet"), QStringLiteral("--force"),
                                                                 QStringLiteral("--ignore-theme-index"), theme});
}

}  // namespace

QString ThemeIconPath(const QString& iconsFolder)
{
    return UserDataFilePath(iconsFolder, record::kThemeIcon);
}

QString AddThemeIcon(const QString& iconsFolder, const QByteArray& png, QString* madeFolder)
{
    const QString path = ThemeIconPath(iconsFolder);
    if (!WriteUserDataFile(path, png, madeFolder))
        return {};
    refreshIconCache(iconsFolder);
    return path;
}

bool RemoveThemeIcon(const QString& iconsFolder, const QString& recordedPath, const QString& recordedMadeFolder)
{
    if (!RemoveUserDataFile(iconsFolder, record::kThemeIcon, recordedPath, recordedMadeFolder))
        return false;
    // Removing a size folder touches the theme's folder: the cache is refreshed after.
    RemoveMadeFolders(recordedPath, recordedMadeFolder);
    refreshIconCache(iconsFolder);
    return true;
}

}  // namespace common
