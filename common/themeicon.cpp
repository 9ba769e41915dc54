#include "common/themeicon.h"

#include "common/folderpath.h"
#include "common/installfolder.h"
#include "common/record.h"
#include "platform/files/files.h"

#include <QDebug>
#include <QFileInfo>
#include <QProcess>

namespace common {

namespace files = platform::files;

namespace {

// A theme with a cache is looked up through it only while the cache is as new
// as the theme's folder; an icon added in a size folder does not touch that
// folder, so a cache would hide it until refreshed. Only a cache that exists is
// refreshed: one made here would be a file of the user's theme no record names.
void refreshIconCache(const QString& iconsFolder)
{
    const QString theme = iconsFolder + QStringLiteral("/hicolor");
    if (!QFileInfo(files::NativePath(theme + QStringLiteral("/icon-theme.cache"))).isFile())
        return;
    QProcess tool;
    tool.start(QStringLiteral("gtk-update-icon-cache"),
               {QStringLiteral("--quiet"), QStringLiteral("--force"), QStringLiteral("--ignore-theme-index"), theme});
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        qWarning().noquote() << "cannot refresh the icon cache of" << theme << ":" << tool.errorString()
                             << tool.readAllStandardError();
}

}  // namespace

QString ThemeIconPath(const QString& iconsFolder)
{
    const QString icon = record::kThemeIcon;
    const qsizetype slash = icon.lastIndexOf(u'/');
    return RealFolder(iconsFolder + icon.left(slash)) + icon.mid(slash);
}

QString AddThemeIcon(const QString& iconsFolder, const QByteArray& png)
{
    const QString path = ThemeIconPath(iconsFolder);
    if (!CreateFolderPath(path.left(path.lastIndexOf(u'/'))) || !files::WriteWholeFile(path, png, 0644)) {
        qWarning().noquote() << "cannot write" << path << ":" << files::LastErrorText();
        return {};
    }
    refreshIconCache(iconsFolder);
    return path;
}

bool RemoveThemeIcon(const QString& iconsFolder, const QString& recordedPath)
{
    if (recordedPath.isEmpty() || recordedPath != ThemeIconPath(iconsFolder))
        return false;
    if (files::GetFileAttributes(recordedPath) != files::INVALID_FILE_ATTRIBUTES && !files::DeleteFile(recordedPath))
        return false;
    refreshIconCache(iconsFolder);
    return true;
}

}  // namespace common
