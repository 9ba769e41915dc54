#pragma once

#include <QString>

// Which folders an installation may use. Setup refuses any other folder at
// its folder and group pages, and Ridwell works in no other folder, so an
// installation Setup makes can always be removed, and a damaged or tampered
// record never sends the removal into folders the installation did not make.
namespace common {

// The folder as it really is on disk: every link among its levels resolved,
// every existing level spelt as stored, one trailing separator kept when the
// text has one. Setup writes and records this, never the text as typed.
QString RealFolder(const QString& folder);

// An absolute path with no "." or ".." level whose real folder is a folder
// (or does not exist yet) and is neither the root, nor a folder directly
// under it, nor the home folder or a folder above it (home resolved too).
bool IsUsableFolder(const QString& folder);

// A folder read back from the record: usable, and still where it was recorded,
// no level of it having become a link since Setup recorded the real folder.
bool IsRecordedFolderIntact(const QString& folder);

// Whether `folder` really is `container` or lies inside it.
bool IsInsideFolder(const QString& folder, const QString& container);

}  // namespace common
