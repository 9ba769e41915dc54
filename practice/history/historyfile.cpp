#include "practice/history/historyfile.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace practice::history {

namespace {

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Why what `st` describes cannot be the history, or empty when it can.
QString notAFile(const struct stat& st)
{
    if (S_ISREG(st.st_mode))
        return {};
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("a symbolic link, not a file");
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("a folder, not a file");
    return QStringLiteral("not a regular file");
}

}  // namespace

HistoryFile::HistoryFile(QString path) : m_path(std::move(path)) {}

HistoryFile::~HistoryFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool HistoryFile::Open(bool make, QString* reason)
{
    for (const char* beside : {"-wal", "-shm", "-journal"}) {
        const QString name = m_path + QLatin1String(beside);
        struct stat st;
        if (::lstat(QFile::encodeName(name).constData(), &st) != 0)
            continue;
        if (const QString what = notAFile(st); !what.isEmpty()) {
            *reason = QStringLiteral("\"%1\" is %2").arg(name, what);
            return false;
        }
    }
    const QByteArray name = QFile::encodeName(m_path);
    // O_EXCL makes nothing through a link, dangling or not; another Wordwell
    // making the file first is no failure.
    if (make) {
        const int made = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (made >= 0)
            ::close(made);
    }
    // Non-blocking: a pipe is refused, not waited on.
    m_fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat st;
    if (m_fd < 0 && errno == ELOOP) {
        *reason = QStringLiteral("it is a symbolic link, not a file");
        return false;
    }
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0) {
        *reason = systemReason(errno);
        return false;
    }
    if (const QString what = notAFile(st); !what.isEmpty()) {
        *reason = QStringLiteral("it is ") + what;
        return false;
    }
    return true;
}

bool HistoryFile::Unchanged(QString* reason) const
{
    struct stat held, named;
    if (::fstat(m_fd, &held) != 0 || ::lstat(QFile::encodeName(m_path).constData(), &named) != 0
        || held.st_dev != named.st_dev || held.st_ino != named.st_ino) {
        *reason = QStringLiteral("it was replaced while it was being opened");
        return false;
    }
    return true;
}

}  // namespace practice::history
