#include "platform/files/levels.h"

#include <QFile>
#include <QStringList>

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::files::detail {

QByteArray Encoded(const QString& path)
{
    return QFile::encodeName(path);
}

QString ResolveLevels(const QString& path,
                      const std::function<QString(const QString& resolved, const QString& level)>& stored)
{
    QString unified = path;
    unified.replace(u'\\', u'/');
    const QStringList parts = unified.split(u'/');
    QString resolved;
    bool missing = false;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (i > 0)
            resolved += u'/';
        const bool special = part.isEmpty() || part == u"." || part == u"..";
        if (missing || special) {
            resolved += part;
            continue;
        }
        const QString found = stored(resolved, part);
        missing = found.isNull();
        resolved += missing ? part : found;
    }
    return resolved;
}

QString RealPathOf(const QString& nativePath, bool strict)
{
    QStringList levels = nativePath.split(u'/');
    QStringList missing;
    while (!levels.isEmpty()) {
        const QString existing = levels.join(u'/');
        const QString tried = existing.isEmpty() ? QStringLiteral("/") : existing;
        if (char* real = ::realpath(Encoded(tried).constData(), nullptr)) {
            QString resolved = QFile::decodeName(real);
            std::free(real);
            for (const QString& level : std::as_const(missing)) {
                if (!resolved.endsWith(u'/'))
                    resolved += u'/';
                resolved += level;
            }
            return resolved;
        }
        // There but not to be resolved: where it leads is unknown.
        struct stat st;
        if (strict && ::lstat(Encoded(tried).constData(), &st) == 0)
            return {};
        missing.prepend(levels.takeLast());
    }
    return nativePath;
}

bool WriteAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

}  // namespace platform::files::detail
