#pragma once

#include <QString>

// The desktop database of the user's programs folder (mimeinfo.cache, made by
// update-desktop-database): GLib learns which entries open a file type from it
// alone, so an entry's MimeType line counts only once the database names it.
namespace common {

// The database's place in `programsFolder` as it really is on disk.
QString DesktopDatabasePath(const QString& programsFolder);

// Rebuilds the database from the entries now in the folder (and its
// subfolders). True when the tool ran; a desktop without it learns the
// entries' types at its next rebuild.
bool RefreshDesktopDatabase(const QString& programsFolder);

// After the entries are gone: rebuilds the database, and deletes it when it
// is the one Setup made (`recordedPath`, empty when Setup found one already)
// and now names no type, so the folder can go too. False only when the
// recorded path is not where the database of `programsFolder` really lies.
bool ForgetDesktopEntries(const QString& programsFolder, const QString& recordedPath);

}  // namespace common
