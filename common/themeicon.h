#pragma once

#include <QByteArray>
#include <QString>

// The product icon in the user's hicolor icon theme, where the desktop finds
// the icon the list types name (and any program's entry that names it).
namespace common {

// The icon's place in `iconsFolder` ($XDG_DATA_HOME/icons) as it really is on disk.
QString ThemeIconPath(const QString& iconsFolder);

// Writes `png` there (replacing a link that stands there, never writing
// through it) and refreshes the theme's cache; the icon's path, or empty on failure.
// `madeFolder` receives the outermost folder made for it (WriteUserDataFile).
QString AddThemeIcon(const QString& iconsFolder, const QByteArray& png, QString* madeFolder);

// Removes the icon Setup recorded, and only that: `recordedPath` must still be
// where the icon of `iconsFolder` really lies; then the folders Setup made
// (`recordedMadeFolder`) go while empty. True when the icon is gone.
bool RemoveThemeIcon(const QString& iconsFolder, const QString& recordedPath, const QString& recordedMadeFolder);

}  // namespace common
