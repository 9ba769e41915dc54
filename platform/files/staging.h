#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// New files gathered in a hidden folder and moved into their places at the
// end, so that a run cancelled or failing half-way leaves nothing in place,
// and a killed one leaves only the hidden folder, which the next run in the
// same folder removes. While a run lives it holds a lock on its folder, so a
// run in another process never removes a living one's.
namespace platform::files {

class StagingFolder {
public:
    StagingFolder() = default;
    // Removes the folder with whatever it still holds.
    ~StagingFolder();
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;

    // Makes the hidden folder in `nativeFolder` (an existing folder, named as
    // NativePath names it), first removing those that killed runs left there.
    bool Create(const QString& nativeFolder);
    // Writes a new file into the folder; `name` is what MoveIn takes.
    bool Write(const QByteArray& bytes, quint32 permissions, QString* name);
    // Makes what was written durable, with one sync for all.
    bool Sync();
    // Renames a written file to `nativeTarget`, which replaces in one step the
    // file or link standing there (never written through); fails for a folder.
    // What it replaced keeps a second name in the folder until the folder goes,
    // for Undo.
    bool MoveIn(const QString& name, const QString& nativeTarget);
    // Takes back every MoveIn, newest first: what was replaced stands again,
    // what was new is gone.
    void Undo();

    // The hidden folders' names start so.
    static const QString kPrefix;

private:
    void remove();

    struct Move {
        QString target;
        QString kept;  // the replaced file's second name in the folder, when it has one
        bool replaced;
    };
    QString m_path;
    int m_lock = -1;
    int m_written = 0;
    QList<Move> m_moves;
};

}  // namespace platform::files
