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
bool WriteUserDataFile(const QString& path, const QByteArray& bytes);
// Deletes `recordedPath` only while it is still where `relative` really lies
// below `folder`. True when it is gone.
bool RemoveUserDataFile(const QString& folder, const QString& relative, const QString& recordedPath);
// Runs a desktop tool that rebuilds one of the user's caches. A desktop
// without the tool still works, so failure is only warned about; true when it ran.
bool RunDesktopTool(const QString& program, const QStringList& arguments);

}  // namespace common
