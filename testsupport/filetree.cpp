#include "testsupport/filetree.h"

#include "testsupport/isolatedhome.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <sys/stat.h>

QStringList EntriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QStringList TreeSnapshot(const QString& folder)
{
    QStringList lines;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat st;
        if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
            continue;
        QString line = path.mid(folder.size()) + QStringLiteral(" %1").arg(st.st_mode, 0, 8);
        if (S_ISLNK(st.st_mode))
            line += QStringLiteral(" -> ") + QFileInfo(path).symLinkTarget();
        else if (S_ISREG(st.st_mode))
            line += u' ' + QCryptographicHash::hash(ReadFileForTest(path), QCryptographicHash::Sha256).toHex();
        lines << line;
    }
    lines.sort();
    return lines;
}

QByteArray HashOfTree(const QString& folder)
{
    return QCryptographicHash::hash(TreeSnapshot(folder).join(u'\n').toUtf8(), QCryptographicHash::Sha256).toHex();
}
