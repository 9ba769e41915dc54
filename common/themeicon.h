#pragma once

#include <QByteArray>
#include <QString>

// The product icon in the user's hicolor icon theme, where the desktop finds
// the icon the list types name (and any program's entry that names it), one
// file per size (record::kThemeIcons).
namespace common {

// The icon's place `relative` in `iconsFolder` ($XDG_DATA_HOME/icons) as it really is on disk.
QString ThemeIconPath(const QString& iconsFolder, const QString& relative);

// Writes `bytes` there (replacing a link that stands there, never writing
// through it); the icon's path, or empty on failure. `madeFolder` receives the
// outermost folder made for it (WriteUserDataFile).
QString AddThemeIcon(const QString& iconsFolder, const QString& relative, const QByteArray& bytes,
                     QString* madeFolder);

// Removes an icon Setup recorded, and only that: `recordedPath` must still be
// where `relative` really lies in `iconsFolder`; then the folders Setup made
// (`recordedMadeFolder`) go while empty. True when the icon is gone.
bool RemoveThemeIcon(const QString& iconsFolder, const QString& relative, const QString& recordedPath,
                     const QString& recordedMadeFolder);

// After icons were added or removed: a theme with a cache is looked up through
// it only while the cache is as new as the theme's folder, and an icon added in
// a size folder does not touch that folder, so a cache would hide it until
// refreshed. Only a cache that exists is refreshed: one made here would be a
// file of the user's theme no record names.
void RefreshIconCache(const QString& iconsFolder);

}  // namespace common
