#include "platform/files/files.h"

#include "platform/files/levels.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::files {

namespace {

thread_local int t_lastError = 0;

bool fail(int error)
{
    t_lastError = error;
    return false;
}

bool succeed()
{
    t_lastError = 0;
    return true;
}

QByteArray encoded(const QString& path)
{
    return detail::Encoded(path);
}

bool lstatPath(const QString& nativePath, struct stat* st)
{
    return ::lstat(encoded(nativePath).constData(), st) == 0;
}

QStringList folderNames(const QString& folder)
{
    QStringList names;
    DIR* dir = ::opendir(encoded(folder.isEmpty() ? QStringLiteral(".") : folder).constData());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir))
        names << QFile::decodeName(entry->d_name);
    ::closedir(dir);
    names.sort();
    return names;
}

QString joinLevel(const QString& folder, const QString& level)
{
    if (folder.isEmpty())
        return level;  // relative to the working folder
    return folder.endsWith(u'/') ? folder + level : folder + u'/' + level;
}

// The level as stored in `folder`: the exact name when it exists, else the first
// case-blind match; a null string when there is none.
QString storedLevel(const QString& folder, const QString& level)
{
    struct stat st;
    if (lstatPath(joinLevel(folder, level), &st))
        return level;
    for (const QString& name : folderNames(folder)) {
        if (name != u"." && name != u".." && name.compare(level, Qt::CaseInsensitive) == 0)
            return name;
    }
    return {};
}

// Fills a new file beside `target` and renames it over the target. rename()
// replaces whatever name stands there, a link included, and never follows it.
bool replaceFile(const QString& target, mode_t mode, const std::function<bool(int fd)>& fill)
{
    const qsizetype cut = target.lastIndexOf(u'/');
    const QString folder = cut < 0 ? QStringLiteral(".") : target.left(cut + 1);
    QByteArray temporary = encoded(folder + QStringLiteral(".wordwell-XXXXXX"));
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return fail(errno);
    errno = 0;
    bool ok = fill(fd) && ::fchmod(fd, mode & 07777) == 0 && ::fsync(fd) == 0;
    int error = errno ? errno : EIO;
    ok = ::close(fd) == 0 && ok;
    if (ok && ::rename(temporary.constData(), encoded(target).constData()) == 0)
        return succeed();
    if (ok)
        error = errno;
    ::unlink(temporary.constData());
    return fail(error);
}

}  // namespace

QString NativePath(const QString& path)
{
    return detail::ResolveLevels(path, storedLevel);
}

QString RealPath(const QString& path)
{
    return detail::RealPathOf(NativePath(path), false);
}

quint32 GetFileAttributes(const QString& path)
{
    struct stat st;
    if (!lstatPath(NativePath(path), &st)) {
        fail(errno);
        return INVALID_FILE_ATTRIBUTES;
    }
    succeed();
    if (S_ISLNK(st.st_mode)) {
        struct stat target;
        const bool folder = ::stat(encoded(NativePath(path)).constData(), &target) == 0
                            && S_ISDIR(target.st_mode);
        return FILE_ATTRIBUTE_REPARSE_POINT | (folder ? FILE_ATTRIBUTE_DIRECTORY : 0u);
    }
    quint32 attributes = 0;
    if (S_ISDIR(st.st_mode))
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if (!(st.st_mode & S_IWUSR))
        attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

bool CreateDirectory(const QString& path)
{
    const QString native = NativePath(path);
    struct stat st;
    if (lstatPath(native, &st))
        return fail(EEXIST);
    if (::mkdir(encoded(native).constData(), 0777) != 0)
        return fail(errno);
    return succeed();
}

bool RemoveDirectory(const QString& path)
{
    if (::rmdir(encoded(NativePath(path)).constData()) != 0)
        return fail(errno);
    return succeed();
}

bool CopyFile(const QString& from, const QString& to, bool failIfExists)
{
    const QString source = NativePath(from);
    const QString target = NativePath(to);
    struct stat st;
    if (!lstatPath(source, &st))
        return fail(errno);
    if (S_ISDIR(st.st_mode))
        return fail(EISDIR);
    struct stat existing;
    if (lstatPath(target, &existing)) {
        if (failIfExists)
            return fail(EEXIST);
        if (S_ISDIR(existing.st_mode))
            return fail(EISDIR);
        if (S_ISREG(existing.st_mode) && !(existing.st_mode & S_IWUSR))
            return fail(EACCES);
    }

    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return fail(EACCES);
    return replaceFile(target, st.st_mode, [&in](int fd) {
        char buffer[64 * 1024];
        for (;;) {
            const qint64 n = in.read(buffer, sizeof buffer);
            if (n < 0) {
                errno = EIO;
                return false;
            }
            if (n == 0)
                return true;
            if (!detail::WriteAll(fd, buffer, n))
                return false;
        }
    });
}

bool SetFileAttributes(const QString& path, quint32 attributes)
{
    const QString native = NativePath(path);
    struct stat named;
    if (!lstatPath(native, &named))
        return fail(errno);
    if (S_ISLNK(named.st_mode))
        return fail(ELOOP);
    if (!S_ISREG(named.st_mode) && !S_ISDIR(named.st_mode))
        return fail(EINVAL);
    // Opened without following a link, so the mode changes on this very name
    // even if a link took its place since.
    const int fd = ::open(encoded(native).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(errno);
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0;
    if (ok) {
        const mode_t mode = (attributes & FILE_ATTRIBUTE_READONLY)
                                ? (st.st_mode & ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH))
                                : (st.st_mode | S_IWUSR);
        ok = ::fchmod(fd, mode & 07777) == 0;
    }
    const int error = errno;
    ::close(fd);
    return ok ? succeed() : fail(error);
}

bool WriteWholeFile(const QString& path, const QByteArray& bytes, quint32 permissions)
{
    const QString target = NativePath(path);
    struct stat existing;
    if (lstatPath(target, &existing) && S_ISDIR(existing.st_mode))
        return fail(EISDIR);
    return replaceFile(target, permissions, [&bytes](int fd) { return detail::WriteAll(fd, bytes.constData(), bytes.size()); });
}

bool DeleteFile(const QString& path)
{
    const QString native = NativePath(path);
    struct stat st;
    if (!lstatPath(native, &st))
        return fail(errno);
    if (S_ISDIR(st.st_mode))
        return fail(EISDIR);
    if (::unlink(encoded(native).constData()) != 0)
        return fail(errno);
    return succeed();
}

bool FindFiles(const QString& pattern, QList<FindEntry>* entries)
{
    entries->clear();
    QString unified = pattern;
    unified.replace(u'\\', u'/');
    const qsizetype cut = unified.lastIndexOf(u'/');
    const QString folder = cut < 0 ? QStringLiteral(".") : (cut == 0 ? QStringLiteral("/") : unified.left(cut));
    const QString mask = unified.mid(cut + 1);

    const QString nativeFolder = NativePath(folder);
    struct stat st;
    if (!lstatPath(nativeFolder, &st) || !S_ISDIR(st.st_mode))
        return fail(ENOENT);

    // "*.*" is every name, dotted or not, as the old wildcard rule has it.
    const bool everything = mask == u"*" || mask == u"*.*";
    const QRegularExpression match(
        QRegularExpression::wildcardToRegularExpression(mask, QRegularExpression::UnanchoredWildcardConversion),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpression anchored(QRegularExpression::anchoredPattern(match.pattern()),
                                      QRegularExpression::CaseInsensitiveOption);
    for (const QString& name : folderNames(nativeFolder)) {
        if (!everything && !anchored.match(name).hasMatch())
            continue;
        const QString child = nativeFolder == u"/" ? u'/' + name : nativeFolder + u'/' + name;
        entries->append({name, GetFileAttributes(child)});
    }
    if (entries->isEmpty())
        return fail(ENOENT);
    return succeed();
}

QString LastErrorText()
{
    return QString::fromLocal8Bit(std::strerror(t_lastError));
}

int LastError()
{
    return t_lastError;
}

void SetLastError(int error)
{
    t_lastError = error;
}

}  // namespace platform::files
