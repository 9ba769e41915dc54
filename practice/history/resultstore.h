#pragma once

#include "practice/review/testrecord.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// The history's side that needs Qt SQL, kept in a module loaded on first use
// (platform/modules) so that start-up does not load Qt SQL.
namespace practice::history {

// One stored test or practice round, as the history shows it.
struct StoredTest {
    QDateTime when;
    QString listName;
    QString listPath;
    int words = 0;
    int right = 0;
    bool stopped = false;
    bool practice = false;
};

// A result on its way to a class, as the outbox holds it.
struct OutgoingResult {
    // Made when the test ended; the server keeps one result per id.
    QString uid;
    QString listName;
    QDateTime when;
    int words = 0;
    int right = 0;
    bool stopped = false;
    bool practice = false;
    QList<review::AnsweredWord> answers;
};

// A word a learner answered wrong `missed` times of the `asked` times it came.
struct MissedWord {
    QString word;
    int missed = 0;
    int asked = 0;
};

class ResultStore {
public:
    virtual ~ResultStore() = default;
    // Why the store cannot take results (empty when it can): a database that
    // could not be opened or read, or one from a newer version, opened read-only.
    virtual QString Problem() const = 0;
    // Writes the test and every answer in one transaction: all of it or nothing.
    // With `forClass` (a ClassConnection::Key()), the result also waits in the
    // outbox until it is marked sent to that class.
    virtual bool Save(const review::CTestRecord& test, const QString& forClass, QString* error) = 0;
    // Up to `limit` results waiting for the class, oldest first.
    virtual bool Waiting(const QString& forClass, int limit, QList<OutgoingResult>* results, QString* error) = 0;
    virtual bool WaitingCount(const QString& forClass, int* count, QString* error) = 0;
    virtual bool MarkSent(const QStringList& uids, QString* error) = 0;

    // Why the store cannot be read (empty when it can: a newer version's is).
    virtual QString ReadProblem() const = 0;
    // Every learner with a stored test, sorted.
    virtual bool Learners(QStringList* learners, QString* error) = 0;
    // The learner's tests and practice rounds, oldest first.
    virtual bool Tests(const QString& learner, QList<StoredTest>* tests, QString* error) = 0;
    // The `limit` words the learner missed most often, in first tries and
    // practice rounds alike: most misses first, then the higher share of
    // misses, then the word.
    virtual bool MostMissed(const QString& learner, int limit, QList<MissedWord>* words, QString* error) = 0;
};

class ResultStoreFactory {
public:
    virtual ~ResultStoreFactory() = default;
    // The database at `path` through Qt SQL's SQLite driver, made or migrated
    // to the current schema; `busyMs` is how long to wait for another writer.
    // Anything but a file of its own at `path` (a link, a folder, a pipe) is
    // refused, with nothing made or written.
    virtual std::unique_ptr<ResultStore> Open(const QString& path, int busyMs) const = 0;
    // The same, to be read as it is: nothing made, migrated or changed.
    virtual std::unique_ptr<ResultStore> OpenToRead(const QString& path, int busyMs) const = 0;
};

inline constexpr int kSchemaVersion = 4;

// The module's file name and its one exported function, `extern "C"`; the
// number changes whenever the classes above do.
inline constexpr char kHistoryModuleName[] = "wordwell-history.so";
inline constexpr char kStoreFactoryEntryPoint[] = "wordwell_result_store_4";
using StoreFactoryEntryPoint = const ResultStoreFactory* (*)();

}  // namespace practice::history
