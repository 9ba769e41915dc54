#pragma once

#include "practice/history/resultstore.h"
#include "practice/review/testrecord.h"

#include <QList>
#include <QString>

#include <memory>
#include <utility>

// Keeps every finished or stopped test: saved to the history database, or,
// while the database cannot take it (locked, unwritable, damaged, from a newer
// version), held in memory and saved with the next result. The database and
// Qt SQL are reached only when the first result comes.
class CResultKeeper {
public:
    explicit CResultKeeper(QString path = DefaultPath(), int busyMs = 3000);
    ~CResultKeeper();

    // `$XDG_DATA_HOME/Tolvane/Wordwell Practice/History.sqlite`: beside, not in,
    // the install folder, which the uninstaller removes.
    static QString DefaultPath();

    // Results kept from now on also wait to be sent to this class (a
    // ClassConnection::Key(); empty for none).
    void SetClass(const QString& key) { m_class = key; }

    // Adds the test and saves every result still held, oldest first; false
    // with the reason when any stays in memory.
    bool Keep(const practice::review::CTestRecord& test, QString* error);
    // Saves what is held; true when nothing is left.
    bool Retry(QString* error);
    qsizetype Held() const { return m_held.size(); }
    const QString& Path() const { return m_path; }

private:
    bool openStore(QString* error);

    QString m_path;
    int m_busyMs;
    std::unique_ptr<practice::history::ResultStore> m_store;
    QString m_class;
    // Each with the class it is for.
    QList<std::pair<practice::review::CTestRecord, QString>> m_held;
};
