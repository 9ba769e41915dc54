#pragma once

#include <QString>

namespace practice::history {

// The history's file opened by its own name, never through a link, before
// SQLite (which follows links) opens the name: a link, even a dangling one,
// a folder or a pipe standing there is refused, and so is one at the names
// SQLite writes beside it (its write-ahead log, shared memory and journal).
// Unchanged() then tells whether SQLite found the same file.
class HistoryFile {
public:
    explicit HistoryFile(QString path);
    ~HistoryFile();
    HistoryFile(const HistoryFile&) = delete;
    HistoryFile& operator=(const HistoryFile&) = delete;

    // False with the reason, as "it is a symbolic link, not a file" or the
    // system's words. `make`: an empty file is made when nothing has the name.
    bool Open(bool make, QString* reason);
    // Whether the name still names the file Open opened.
    bool Unchanged(QString* reason) const;

private:
    QString m_path;
    int m_fd = -1;
};

}  // namespace practice::history
