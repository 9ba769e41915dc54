#pragma once

#include "practice/history/resultstore.h"
#include "practice/review/testrecord.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

// A class's shared database on a PostgreSQL server: results copied to it, lists
// handed out from it. Reached through the history module, like the local
// store, so that neither Qt SQL nor libpq is loaded until a class is used.
// What each member may read or write is the server's rule, not the program's.
namespace practice::history {

// Where the class is. A libpq service name (pg_service.conf) or host, port,
// database and user; the password is never kept here.
struct ClassConnection {
    QString service;
    // A host name, an address or a socket folder; empty for libpq's default.
    QString host;
    // 0 for libpq's default.
    int port = 0;
    QString database;
    QString user;

    bool IsSet() const { return !service.isEmpty() || !database.isEmpty(); }
    // What the local outbox files a result under: the same class, the same key.
    QString Key() const;
};

// The connected member, as the class knows them.
struct ClassMember {
    QString role;
    // The name the class gave them: the learner's name while the class is joined.
    QString name;
    bool teacher = false;
    // The class as its server names it: a service's name says nothing of it.
    QString className;
};

// A list the teacher published.
struct ClassList {
    qint64 id = 0;
    QString title;
    // Invalid when none was set.
    QDate due;
    QDateTime published;
};

// One learner's tests of one list (first tries only), as the class view shows them.
struct ClassResultRow {
    QString learner;
    QString listName;
    // In percent, as the form works a score out, of finished tests only (a
    // stopped test's score counts words never asked); none while every test of
    // the list was stopped.
    std::optional<double> latestScore;
    std::optional<double> bestScore;
    int taken = 0;
    QDateTime last;
};

class ClassStore {
public:
    virtual ~ClassStore() = default;
    // Why the class cannot be used (empty when it can), said for the user.
    virtual QString Problem() const = 0;
    // Whether the server asked for a password that was not given.
    virtual bool NeedsPassword() const = 0;

    virtual bool Me(ClassMember* me, QString* error) = 0;
    // Sends the results in order; one the server already has is left as it
    // is, so a retry never stores a result twice. All sent or none.
    virtual bool Send(const QList<OutgoingResult>& results, QString* error) = 0;
    // Teachers only: the server refuses anyone else.
    virtual bool Publish(const QString& title, const QDate& due, const QByteArray& archive, QString* error) = 0;
    // Newest first.
    virtual bool Lists(QList<ClassList>* lists, QString* error) = 0;
    virtual bool FetchList(qint64 id, QByteArray* archive, QString* error) = 0;
    // Every result the member may read (a teacher the class's, a learner
    // their own), by learner then list.
    virtual bool Results(QList<ClassResultRow>* rows, QString* error) = 0;
    // The words most often missed in the results the member may read, ordered
    // as the local history orders a learner's.
    virtual bool MostMissed(int limit, QList<MissedWord>* words, QString* error) = 0;
};

class ClassStoreFactory {
public:
    virtual ~ClassStoreFactory() = default;
    // Connects from the calling thread, which alone may use the store.
    // `password` empty: libpq's own (~/.pgpass, PGPASSWORD) or none.
    virtual std::unique_ptr<ClassStore> Connect(const ClassConnection& where, const QString& password) const = 0;
};

inline constexpr char kClassStoreEntryPoint[] = "wordwell_class_store_1";
using ClassStoreEntryPoint = const ClassStoreFactory* (*)();

// The history module's class store factory; null with `reason` when the module
// cannot be loaded.
const ClassStoreFactory* LoadClassStoreFactory(QString* reason);

}  // namespace practice::history
