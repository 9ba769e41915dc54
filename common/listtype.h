#pragma once

#include <QByteArray>
#include <QString>

// The desktop's file types for spelling lists (".spl") and lists with their
// recordings (".splz"), added to and removed from the user's own MIME database
// (shared-mime-info), so that a file manager names them, shows the product's
// icon and opens them with the entries that declare them.
namespace common {

// The package: both types, their descriptions, icon and globs. The list's glob
// outweighs the system's (Debian already gives "*.spl" to an old animation
// format). Its text is packaging/wordwell-spelling-list.xml.
QByteArray ListTypePackage();

// The package's place in `mimeFolder` as it really is on disk.
QString ListTypePackagePath(const QString& mimeFolder);

// What Setup records of the package: its path, the outermost folder made on
// the way to it (WriteUserDataFile) and the media type's folder the rebuild
// made; each folder empty when none was made.
struct ListTypeRecord {
    QString package;
    QString madeFolder;
    QString madeMediaFolder;
};

// Writes the package (replacing a link that stands there, never writing through
// it) and rebuilds the database; an empty package path on failure.
ListTypeRecord AddListType(const QString& mimeFolder);

// Removes the package Setup recorded, and only that: the recorded paths must
// still be where the package of `mimeFolder` and its folders really lie. The
// database is rebuilt; then the folders Setup and its rebuild made go while
// empty, and when Setup made the MIME folder itself and no package is left,
// so does the database generated in it. True when the package is gone.
bool RemoveListType(const QString& mimeFolder, const ListTypeRecord& recorded);

}  // namespace common
