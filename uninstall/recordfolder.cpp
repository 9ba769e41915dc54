#include "uninstall/recordfolder.h"

#include "platform/files/files.h"

#include <QDir>

bool IsSafeRecordFolder(const QString& folder)
{
    QString unified = folder;
    unified.replace(u'\\', u'/');
    if (!unified.startsWith(u'/'))
        return false;
    const QStringList levels = unified.split(u'/', Qt::SkipEmptyParts);
    if (levels.isEmpty())
        return false;
    for (const QString& level : levels) {
        if (level == u"." || level == u"..")
            return false;
    }
    const QString resolved = QDir::cleanPath(platform::files::NativePath(unified));
    const QString home = QDir::cleanPath(QDir::homePath());
    return resolved != home && !home.startsWith(resolved + u'/');
}
