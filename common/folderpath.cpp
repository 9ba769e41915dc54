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
    for (qsizetype i = 3; i < n; ++i) {
        if (!isSeparator(path[i]) && i != n - 1)
            continue;
        const QString level = path.left(i + 1);
        if (files::GetFileAttributes(level) != files::INVALID_FILE_ATTRIBUTES)
            result = true;
        else
            result = files::CreateDirectory(level);
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
