#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A file Setup puts at a fixed place below one of the user's data folders and
// records, so that Ridwell removes exactly that file and never one a link leads to.
namespace common {

// `relative` below `folder`, with the folder's levels as they really are on disk.
QString UserDataFilePath(const QString& folder, const QString& relative);
// Writes `bytes` at `path`, making its folders: a link standing there is
// replaced, never written through. False, with a warning, on failure.
// `madeFolder` receives the outermost folder made on the way, empty when the
// file's folder was there already.
bool WriteUserDataFile(const QString& path, const QByteArray& bytes, QString* madeFolder);
// Deletes `recordedPath` only while it is still where `relative` really lies
// below `folder`, and `recordedMadeFolder` (empty when Setup made none) still
// encloses it where Setup recorded it. True when the file is gone.
bool RemoveUserDataFile(const QString& folder, const QString& relative, const QString& recordedPath,
                        const QString& recordedMadeFolder);
// Removes the file's folder, then each enclosing one while it is empty, up to
// and including `madeFolder` (checked by RemoveUserDataFile): folders that
// were there before Setup are never removed.
void RemoveMadeFolders(const QString& recordedPath, const QString& madeFolder);
// Runs a desktop tool that rebuilds one of the user's caches. A desktop
// without the tool still works, so failure is only warned about; true when it ran.
bool RunDesktopTool(const QString& program, const QStringList& arguments);

}  // namespace common
