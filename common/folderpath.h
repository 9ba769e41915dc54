#pragma once

#include <QString>

// Creating and removing the record's folders level by level. Both walk the
// path string itself: '\' and '/' separate levels, and the first three
// characters (room for a drive letter in a recorded path, "/xy" here) are
// never examined, so a top-level folder is neither created nor removed.
namespace common {

// Creates every missing level; true when the whole path exists afterwards
// (as a folder or as a file). False for a path of three characters or fewer;
// when the path cannot be made whole, the levels it made are removed again.
bool CreateFolderPath(QString path);

// Removes the folder and then each enclosing level while it is empty; the
// outcome of the last removal tried.
bool RemoveFolderLevels(QString path);

}  // namespace common
