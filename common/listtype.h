#pragma once

#include <QByteArray>
#include <QString>

// The desktop's file type for spelling lists, added to and removed from the
// user's own MIME database (shared-mime-info), so that a file manager calls a
// ".spl" file a "Spelling list" and opens it with the entries that declare it.
namespace common {

// The package: the type, its description and its glob. Its glob outweighs the
// system's (Debian already gives "*.spl" to an old animation format).
QByteArray ListTypePackage();

// The package's place in `mimeFolder` as it really is on disk.
QString ListTypePackagePath(const QString& mimeFolder);

// Writes the package (replacing a link that stands there, never writing through
// it) and rebuilds the database; the package's path, or empty on failure.
QString AddListType(const QString& mimeFolder);

// Removes the package Setup recorded, and only that: `recordedPath` must still
// be where the package of `mimeFolder` really lies. True when it is gone.
bool RemoveListType(const QString& mimeFolder, const QString& recordedPath);

}  // namespace common
