#include "platform/files/folderindex.h"

#include "platform/files/files.h"
#include "platform/files/levels.h"

#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>

namespace platform::files {

namespace {

QByteArray encoded(const QString& path)
{
    return detail::Encoded(path);
}

bool exists(const QString& path)
{
    struct stat st;
    return ::lstat(encoded(path).constData(), &st) == 0;
}

bool isSpecial(const QString& level)
{
    return level.isEmpty() || level == u"." || level == u"..";
}

}  // namespace

FolderIndex::Folder& FolderIndex::folder(const QString& path)
{
    auto found = m_folders.find(path);
    if (found != m_folders.end())
        return *found;
    Folder read;
    QStringList names;
    if (DIR* dir = ::opendir(encoded(path.isEmpty() ? QStringLiteral(".") : path).constData())) {
        read.listed = true;
        while (const dirent* entry = ::readdir(dir)) {
            const QString name = QFile::decodeName(entry->d_name);
            if (name != u"." && name != u"..")
                names << name;
        }
        ::closedir(dir);
    }
    // The first of the sorted names wins a case-blind match, as in NativePath.
    names.sort();
    for (const QString& name : std::as_const(names)) {
        read.names.insert(name);
        const QString folded = name.toCaseFolded();
        if (!read.byFoldedName.contains(folded))
            read.byFoldedName.insert(folded, name);
    }
    return *m_folders.insert(path, std::move(read));
}

bool FolderIndex::holds(const QString& parent, const QString& level)
{
    const Folder& f = folder(parent);
    return f.listed ? f.names.contains(level) : exists(parent + level);
}

QString FolderIndex::NativePath(const QString& path)
{
    return detail::ResolveLevels(path, [this](const QString& resolved, const QString& level) {
        return holds(resolved, level) ? level : folder(resolved).byFoldedName.value(level.toCaseFolded());
    });
}

bool FolderIndex::Exists(const QString& nativePath)
{
    const qsizetype cut = nativePath.lastIndexOf(u'/');
    return holds(nativePath.left(cut + 1), nativePath.mid(cut + 1));
}

QString FolderIndex::RealPath(const QString& nativePath)
{
    const auto known = m_realPaths.constFind(nativePath);
    if (known != m_realPaths.constEnd())
        return *known;
    const QString real = detail::RealPathOf(nativePath, true);
    m_realPaths.insert(nativePath, real);
    return real;
}

bool FolderIndex::CreateFolderPath(const QString& nativeFolder, QStringList* made)
{
    const QStringList parts = nativeFolder.split(u'/');
    QString resolved;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (i > 0)
            resolved += u'/';
        if (!isSpecial(part) && !holds(resolved, part)) {
            const QString level = resolved + part;
            // Not files::CreateDirectory: its case-blind check would read the folder again.
            if (::mkdir(encoded(level).constData(), 0777) != 0) {
                SetLastError(errno);
                return false;
            }
            Folder& parent = folder(resolved);
            parent.names.insert(part);
            if (!parent.byFoldedName.contains(part.toCaseFolded()))
                parent.byFoldedName.insert(part.toCaseFolded(), part);
            Folder created;
            created.listed = true;
            m_folders.insert(level + u'/', std::move(created));
            made->append(level);
        }
        resolved += part;
    }
    return true;
}

}  // namespace platform::files
