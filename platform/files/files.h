#pragma once

#include <QList>
#include <QString>

// The kernel file operations over native paths. Every path may use '\' or '/'
// as separator, and each level is matched case-blind against what exists, so
// "Words" and "words" name one folder.
namespace platform::files {

// Attribute bits as the kernel reports them.
enum : quint32 {
    FILE_ATTRIBUTE_READONLY = 0x01,
    FILE_ATTRIBUTE_DIRECTORY = 0x10,
    FILE_ATTRIBUTE_NORMAL = 0x80,
    FILE_ATTRIBUTE_REPARSE_POINT = 0x400,
    INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF,
};

// The path as this system names it: separators made '/', every existing level
// spelt as it is stored; the first missing level and what follows stay as given.
QString NativePath(const QString& path);

// The path as it really is on disk: NativePath with every link among its
// existing levels resolved; the missing levels that follow stay as given.
QString RealPath(const QString& path);

// Attributes of the name itself (a symbolic link is not followed), or
// INVALID_FILE_ATTRIBUTES when nothing has that name.
quint32 GetFileAttributes(const QString& path);
// Creates one folder; fails when the name exists in any letter case or the parent is missing.
bool CreateDirectory(const QString& path);
// Removes one empty folder; fails for a file, a link or a folder that holds anything.
bool RemoveDirectory(const QString& path);
// Copies a file's bytes and permissions. An existing destination is replaced unless
// failIfExists; a read-only destination is never replaced. A link standing at
// the destination is replaced by the copy, never written through.
bool CopyFile(const QString& from, const QString& to, bool failIfExists);
// FILE_ATTRIBUTE_READONLY makes the file read-only; any other value, normal
// (writable). Fails for a link: the file it points to is not ours to change.
bool SetFileAttributes(const QString& path, quint32 attributes);
// Writes `bytes` as the whole file with `permissions` (chmod bits): a new file
// is written beside it and renamed into place, so a link standing at `path` is
// replaced, never written through, and no reader sees half a file.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, quint32 permissions);
// Deletes a file or a symbolic link (never what it points to); fails for a folder or a missing name.
bool DeleteFile(const QString& path);

struct FindEntry {
    QString name;
    quint32 attributes = 0;
};
// The entries of a folder matching a wildcard mask ("folder\*.*"), "." and ".." included,
// sorted by name. Fails, with an empty list, when the folder is missing or nothing matches.
bool FindFiles(const QString& pattern, QList<FindEntry>* entries);

// Why the last failed call of this thread failed, in the system's words.
QString LastErrorText();
int LastError();
// Keeps a failure's reason across clean-up calls that would overwrite it.
void SetLastError(int error);

}  // namespace platform::files
