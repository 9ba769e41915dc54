#include "platform/framework/recentfiles.h"

#include "platform/framework/profile.h"

#include <QDir>
#include <QFileInfo>

namespace platform::framework {

namespace {

QString entryName(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

QString canonical(const QString& path)
{
    const QFileInfo info(path);
    const QString real = info.canonicalFilePath();
    return real.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : real;
}

}  // namespace

CRecentFileList::CRecentFileList(QString section, int size) : m_strSection(std::move(section)), m_nSize(size) {}

bool CRecentFileList::Add(const QString& path)
{
    if (path.isEmpty() || m_nSize <= 0)
        return false;
    const QString full = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (!m_files.isEmpty() && m_files.first() == full)
        return false;
    const QString key = canonical(full);
    for (qsizetype i = m_files.size() - 1; i >= 0; --i) {
        if (canonical(m_files.at(i)) == key)
            m_files.removeAt(i);
    }
    m_files.prepend(full);
    while (m_files.size() > m_nSize)
        m_files.removeLast();
    return true;
}

void CRecentFileList::Remove(int index)
{
    if (index >= 0 && index < m_files.size())
        m_files.removeAt(index);
}

void CRecentFileList::ReadList(const CProfile& profile)
{
    m_files.clear();
    for (int i = 0; i < m_nSize; ++i) {
        const QString path = profile.GetProfileString(m_strSection, entryName(i));
        if (!path.isEmpty())
            m_files.append(path);
    }
}

void CRecentFileList::WriteList(CProfile& profile) const
{
    for (int i = 0; i < m_nSize; ++i) {
        if (i < m_files.size())
            profile.WriteProfileString(m_strSection, entryName(i), m_files.at(i));
        else
            profile.DeleteProfileEntry(m_strSection, entryName(i));
    }
}

QString CRecentFileList::MenuText(int index, int maxChars) const
{
    QString shown = AbbreviatePath(m_files.value(index), maxChars);
    shown.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

QString AbbreviatePath(const QString& path, int maxChars)
{
    if (path.size() <= maxChars)
        return path;
    const qsizetype lastSlash = path.lastIndexOf(u'/');
    if (lastSlash <= 0)
        return path;
    const QString fileName = path.mid(lastSlash + 1);
    const qsizetype firstLevelEnd = path.indexOf(u'/', 1);
    const QString head = path.left(firstLevelEnd + 1);
    const QString ellipsis = QStringLiteral(".../");
    QStringList middle = path.mid(firstLevelEnd + 1, lastSlash - firstLevelEnd - 1).split(u'/', Qt::SkipEmptyParts);
    // Keep as many of the last folders as fit.
    QString tail;
    while (!middle.isEmpty()) {
        const QString candidate = middle.last() + u'/' + tail;
        if (head.size() + ellipsis.size() + candidate.size() + fileName.size() > maxChars)
            break;
        tail = candidate;
        middle.removeLast();
    }
    if (middle.isEmpty())
        return path;
    if (head.size() + ellipsis.size() + fileName.size() > maxChars)
        return ellipsis + fileName;
    return head + ellipsis + tail + fileName;
}

}  // namespace platform::framework
