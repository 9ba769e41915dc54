#include "common/folderpath.h"

#include "platform/files/files.h"

namespace files = platform::files;

namespace common {

namespace {
bool isSeparator(QChar c)
{
    return c == u'\\' || c == u'/';
}
}  // namespace

bool CreateFolderPath(QString path)
{
    bool result = false;
    const qsizetype n = path.size();
    if (n <= 3)
        return false;
    QStringList created;
    for (qsizetype i = 3; i < n; ++i) {
        if (!isSeparator(path[i]) && i != n - 1)
            continue;
        const QString level = path.left(i + 1);
        if (files::GetFileAttributes(level) != files::INVALID_FILE_ATTRIBUTES) {
            result = true;
        } else {
            result = files::CreateDirectory(level);
            if (result)
                created.prepend(level);
        }
    }
    // A path that cannot be made whole leaves nothing of itself behind.
    if (!result) {
        const int error = files::LastError();
        for (const QString& level : created)
            files::RemoveDirectory(level);
        files::SetLastError(error);
    }
    return result;
}

bool RemoveFolderLevels(QString path)
{
    bool result = false;
    const qsizetype n = path.size();
    if (n <= 3)
        return false;
    QString s = path;
    for (qsizetype i = n - 1; i >= 2; --i) {
        if (!isSeparator(path[i]))
            continue;
        result = files::RemoveDirectory(s);
        s.truncate(i);
    }
    return result;
}

}  // namespace common
