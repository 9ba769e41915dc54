#include "common/installfolder.h"

#include "platform/files/files.h"

#include <QDir>

namespace files = platform::files;

namespace common {

namespace {

QString unified(const QString& path)
{
    return QString(path).replace(u'\\', u'/');
}

bool isAbsoluteWithoutDotLevels(const QString& folder)
{
    const QString path = unified(folder);
    if (!path.startsWith(u'/'))
        return false;
    const QStringList levels = path.split(u'/', Qt::SkipEmptyParts);
    return !levels.contains(QStringLiteral(".")) && !levels.contains(QStringLiteral(".."));
}

bool endsWithSeparator(const QString& path)
{
    return path.endsWith(u'/') || path.endsWith(u'\\');
}

// The real folder with no trailing separator, for comparing.
QString realClean(const QString& folder)
{
    return QDir::cleanPath(files::RealPath(folder));
}

// `inner` is `outer` or lies below it; both real paths.
bool isAtOrBelow(const QString& inner, const QString& outer)
{
    return inner == outer || inner.startsWith(outer.endsWith(u'/') ? outer : outer + u'/');
}

}  // namespace

QString RealFolder(const QString& folder)
{
    const QString real = realClean(folder);
    return endsWithSeparator(folder) && !real.endsWith(u'/') ? real + u'/' : real;
}

bool IsUsableFolder(const QString& folder)
{
    if (!isAbsoluteWithoutDotLevels(folder))
        return false;
    const QString real = realClean(folder);
    if (real.count(u'/') < 2)
        return false;  // the root, or a folder directly under it
    if (isAtOrBelow(realClean(QDir::homePath()), real))
        return false;
    const quint32 attributes = files::GetFileAttributes(real);
    return attributes == files::INVALID_FILE_ATTRIBUTES
           || ((attributes & files::FILE_ATTRIBUTE_DIRECTORY) && !(attributes & files::FILE_ATTRIBUTE_REPARSE_POINT));
}

bool IsRecordedFolderIntact(const QString& folder)
{
    return IsUsableFolder(folder) && realClean(folder) == QDir::cleanPath(files::NativePath(folder));
}

bool IsInsideFolder(const QString& folder, const QString& container)
{
    return isAtOrBelow(realClean(folder), realClean(container));
}

}  // namespace common
