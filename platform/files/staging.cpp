#include "platform/files/staging.h"

#include "platform/files/files.h"
#include "platform/files/levels.h"

#include <QFile>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::files {

const QString StagingFolder::kPrefix = QStringLiteral(".wordwell-staging-");

namespace {

QByteArray encoded(const QString& path)
{
    return detail::Encoded(path);
}

bool fail(int error)
{
    SetLastError(error);
    return false;
}

// Removes the folder open as `fd` at `path` with the files and links in it;
// a folder inside it (none of ours) keeps it standing.
void removeFolder(int fd, const QString& path)
{
    const int listing = ::dup(fd);
    if (DIR* dir = listing < 0 ? nullptr : ::fdopendir(listing)) {
        while (const dirent* entry = ::readdir(dir)) {
            struct stat st;
            if (::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISDIR(st.st_mode))
                ::unlinkat(fd, entry->d_name, 0);
        }
        ::closedir(dir);
    } else if (listing >= 0) {
        ::close(listing);
    }
    ::rmdir(encoded(path).constData());
}

// The hidden folders of runs that were killed: no living run holds their lock.
void removeLeftOvers(const QString& folder)
{
    DIR* dir = ::opendir(encoded(folder).constData());
    if (!dir)
        return;
    QStringList found;
    while (const dirent* entry = ::readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name.startsWith(StagingFolder::kPrefix))
            found << folder + u'/' + name;
    }
    ::closedir(dir);
    for (const QString& path : std::as_const(found)) {
        // Never through a link: a link of that name is left alone.
        const int fd = ::open(encoded(path).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            removeFolder(fd, path);
        ::close(fd);
    }
}

}  // namespace

StagingFolder::~StagingFolder()
{
    remove();
}

void StagingFolder::remove()
{
    if (m_lock < 0)
        return;
    removeFolder(m_lock, m_path);
    ::close(m_lock);
    m_lock = -1;
    m_path.clear();
}

bool StagingFolder::Create(const QString& nativeFolder)
{
    remove();
    removeLeftOvers(nativeFolder);
    // Another process's clean-up may take a new folder in the moment before it
    // is locked; then another is made.
    for (int attempt = 0; attempt < 3; ++attempt) {
        QByteArray path = encoded(nativeFolder + u'/' + kPrefix + QStringLiteral("XXXXXX"));
        if (!::mkdtemp(path.data()))
            return fail(errno);
        const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            return fail(errno);
        struct stat st;
        if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &st) == 0 && st.st_nlink > 0) {
            m_lock = fd;
            m_path = QFile::decodeName(path);
            m_written = 0;
            m_moves.clear();
            return true;
        }
        ::close(fd);
    }
    return fail(EAGAIN);
}

bool StagingFolder::Write(const QByteArray& bytes, quint32 permissions, QString* name)
{
    *name = QString::number(m_written++);
    const int fd = ::openat(m_lock, encoded(*name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return fail(errno);
    errno = 0;
    const bool ok = detail::WriteAll(fd, bytes.constData(), bytes.size()) && ::fchmod(fd, permissions & 07777) == 0;
    const int error = errno ? errno : EIO;
    if (::close(fd) != 0 || !ok) {
        ::unlinkat(m_lock, encoded(*name).constData(), 0);
        return fail(ok ? errno : error);
    }
    return true;
}

bool StagingFolder::Sync()
{
    return ::syncfs(m_lock) == 0 || fail(errno);
}

bool StagingFolder::MoveIn(const QString& name, const QString& nativeTarget)
{
    const QByteArray target = encoded(nativeTarget);
    struct stat st;
    Move move{nativeTarget, {}, false};
    if (::lstat(target.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return fail(EISDIR);
        move.replaced = true;
        // A second name for what stands there, so Undo can put it back (where
        // the file system has no second names, it cannot).
        const QString kept = QStringLiteral("kept-") + name;
        if (::linkat(AT_FDCWD, target.constData(), m_lock, encoded(kept).constData(), 0) == 0)
            move.kept = kept;
    }
    if (::renameat(m_lock, encoded(name).constData(), AT_FDCWD, target.constData()) != 0) {
        // A subfolder on another file system: copied, still replacing in one step.
        const bool copied = errno == EXDEV && CopyFile(m_path + u'/' + name, nativeTarget, false);
        const int error = errno;
        if (!copied) {
            if (!move.kept.isEmpty())
                ::unlinkat(m_lock, encoded(move.kept).constData(), 0);
            return fail(error);
        }
    }
    m_moves.append(move);
    return true;
}

void StagingFolder::Undo()
{
    for (auto move = m_moves.crbegin(); move != m_moves.crend(); ++move) {
        if (!move->kept.isEmpty())
            ::renameat(m_lock, encoded(move->kept).constData(), AT_FDCWD, encoded(move->target).constData());
        else if (!move->replaced)
            ::unlink(encoded(move->target).constData());
    }
    m_moves.clear();
}

}  // namespace platform::files
