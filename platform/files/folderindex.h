#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

// Case-blind names for a run over many files: each folder is read once and
// kept, so a name costs the same however full its folder is. (NativePath reads
// the folder again for every name not spelt as stored: a run of thousands of new
// names into one folder would slow down as the folder fills.) What others change
// in the folders while the index lives is not seen.
namespace platform::files {

class FolderIndex {
public:
    // As platform::files::NativePath.
    QString NativePath(const QString& path);
    // True when the index holds the native path's last level as existing.
    bool Exists(const QString& nativePath);
    // As platform::files::RealPath for a path NativePath gave, or an empty string
    // when a level that exists cannot be resolved (a dangling link, a loop).
    QString RealPath(const QString& nativePath);
    // Creates each missing level of a folder NativePath gave, appending the ones it
    // made to `made`; false at the first that fails (the system's reason in LastError).
    bool CreateFolderPath(const QString& nativeFolder, QStringList* made);

private:
    struct Folder {
        bool listed = false;  // false when it could not be read: only exact names are found
        QSet<QString> names;
        QHash<QString, QString> byFoldedName;  // the first stored name of each case-folded one
    };
    // `path` as NativePath builds it: empty for the working folder, else ending in '/'.
    Folder& folder(const QString& path);
    bool holds(const QString& parent, const QString& level);

    QHash<QString, Folder> m_folders;
    QHash<QString, QString> m_realPaths;
};

}  // namespace platform::files
