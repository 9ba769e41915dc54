#pragma once

#include <QString>
#include <QStringList>

namespace platform::framework {

class CProfile;

// The most-recently-used list files, newest first, kept in the profile under
// "Recent File List" as "File1", "File2"... A path already listed moves to the
// front; paths are compared as the file system compares them.
class CRecentFileList {
public:
    CRecentFileList(QString section, int size);

    // False when the list already began with that file.
    bool Add(const QString& path);
    void Remove(int index);
    const QStringList& Entries() const { return m_files; }

    void ReadList(const CProfile& profile);
    void WriteList(CProfile& profile) const;

    // The menu text of an entry: "&1 " and the path, shortened in the middle
    // when it is longer than `maxChars`.
    QString MenuText(int index, int maxChars = 40) const;

private:
    QString m_strSection;
    int m_nSize;
    QStringList m_files;
};

// A path shortened to at most `maxChars` by dropping folders after its first
// level, as "/home/.../lists/cats.spl"; the file name itself is always kept.
QString AbbreviatePath(const QString& path, int maxChars);

}  // namespace platform::framework
