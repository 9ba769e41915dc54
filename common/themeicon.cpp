#include "common/themeicon.h"

#include "common/userdatafile.h"
#include "platform/files/files.h"

#include <QFileInfo>

namespace common {

QString ThemeIconPath(const QString& iconsFolder, const QString& relative)
{
    return UserDataFilePath(iconsFolder, relative);
}

QString AddThemeIcon(const QString& iconsFolder, const QString& relative, const QByteArray& bytes,
                     QString* madeFolder)
{
    const QString path = ThemeIconPath(iconsFolder, relative);
    return WriteUserDataFile(path, bytes, madeFolder) ? path : QString();
}

bool RemoveThemeIcon(const QString& iconsFolder, const QString& relative, const QString& recordedPath,
                     const QString& recordedMadeFolder)
{
    if (!RemoveUserDataFile(iconsFolder, relative, recordedPath, recordedMadeFolder))
        return false;
    RemoveMadeFolders(recordedPath, recordedMadeFolder);
    return true;
}

void RefreshIconCache(const QString& iconsFolder)
{
    const QString theme = iconsFolder + QStringLiteral("/hicolor");
    if (QFileInfo(platform::files::NativePath(theme + QStringLiteral("/icon-theme.cache"))).isFile())
        RunDesktopTool(QStringLiteral("gtk-update-icon-cache"), {QStringLiteral("--quiet"), QStringLiteral("--force"),
                                                                 QStringLiteral("--ignore-theme-index"), theme});
}

}  // namespace common
