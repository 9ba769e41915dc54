// The history module: results in an SQLite database through Qt SQL, with no
// SQL that another server's driver would not take, so that a school can
// later point the store at a shared server.
#include "practice/history/historyfile.h"
#include "practice/history/historyschema.h"
#include "practice/history/resultstore.h"
#include "practice/review/score.h"

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>

namespace practice::history {

namespace {

class SqlResultStore final : public ResultStore {
public:
    // `toRead`: looked at only, never made, migrated or changed.
    SqlResultStore(const QString& path, int busyMs, bool toRead)
        : m_path(path), m_connection(QStringLiteral("wordwell-history-%1").arg(s_next.fetchAndAddRelaxed(1)))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        // "mode=rw": SQLite never makes the file, which HistoryFile makes
        // without following a link. Read-write even to read: opened read-only,
        // SQLite leaves a write-ahead log and its shared memory behind.
        db.setDatabaseName(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rw"));
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1;QSQLITE_OPEN_URI").arg(busyMs));
        HistoryFile file(path);
        QString reason;
        if (!file.Open(!toRead, &reason)) {
            m_problem = failure(QStringLiteral("could not be opened"), reason);
            return;
        }
        if (!db.open()) {
            m_problem = failure(QStringLiteral("could not be opened"), db.lastError());
            return;
        }
        if (!file.Unchanged(&reason)) {
            db.close();
            m_problem = failure(QStringLiteral("could not be opened"), reason);
            return;
        }
        if (toRead)
            readSchema(db);
        else
            prepareSchema(db);
    }

    ~SqlResultStore() override
    {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }

    QString Problem() const override { return m_problem; }
    QString ReadProblem() const override { return m_readable ? QString() : m_problem; }

    bool Learners(QStringList* learners, QString* error) override
    {
        QSqlQuery query = select(QStringLiteral("SELECT DISTINCT learner FROM tests ORDER BY learner"), {}, error);
        learners->clear();
        while (query.next())
            learners->append(query.value(0).toString());
        return finished(query, error);
    }

    bool Tests(const QString& learner, QList<StoredTest>* tests, QString* error) override
    {
        // Version 1 kept no practice rounds apart.
        QSqlQuery query = select(QStringLiteral("SELECT taken_at, list_name, list_path, words, right_answers, stopped,"
                                                " %1 FROM tests WHERE learner = ? ORDER BY taken_at, id")
                                     .arg(m_version >= 2 ? QStringLiteral("practice") : QStringLiteral("0")),
                                 {learner}, error);
        tests->clear();
        while (query.next())
            tests->append({QDateTime::fromString(query.value(0).toString(), Qt::ISODate), query.value(1).toString(),
                           query.value(2).toString(), query.value(3).toInt(), query.value(4).toInt(),
                           query.value(5).toInt() != 0, query.value(6).toInt() != 0});
        return finished(query, error);
    }

    bool MostMissed(const QString& learner, int limit, QList<MissedWord>* words, QString* error) override
    {
        // Fewer times asked for as many misses is the higher share. No LIMIT:
        // not every server's SQL has it.
        QSqlQuery query = select(
            QStringLiteral("SELECT a.word, SUM(1 - a.right_answer), COUNT(*) FROM answers a"
                           " JOIN tests t ON t.id = a.test_id WHERE t.learner = ? GROUP BY a.word"
                           " HAVING SUM(1 - a.right_answer) > 0 ORDER BY 2 DESC, 3, 1"),
            {learner}, error);
        words->clear();
        while (words->size() < limit && query.next())
            words->append({query.value(0).toString(), query.value(1).toInt(), query.value(2).toInt()});
        return finished(query, error);
    }

    bool Save(const review::CTestRecord& test, const QString& forClass, QString* error) override
    {
        if (!m_problem.isEmpty()) {
            *error = m_problem;
            return false;
        }
        QSqlDatabase db = QSqlDatabase::database(m_connection);
        if (!db.transaction()) {
            *error = failure(QStringLiteral("could not take the result"), db.lastError());
            return false;
        }
        QSqlQuery query(db);
        query.prepare(QStringLiteral(
            "INSERT INTO tests (learner, list_name, list_path, taken_at, words, right_answers, score, stopped, practice,"
            " uid) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        const int right = test.Right();
        query.addBindValue(test.Learner());
        query.addBindValue(test.ListName());
        // A round of words from no list has no path; a null would break the column's rule.
        query.addBindValue(test.ListPath().isNull() ? QStringLiteral("") : test.ListPath());
        query.addBindValue(test.When().toString(Qt::ISODate));
        query.addBindValue(test.ListWords());
        query.addBindValue(right);
        query.addBindValue(review::ScorePercent(right, test.ListWords()));
        query.addBindValue(test.GetState() == review::CTestRecord::State::Stopped ? 1 : 0);
        query.addBindValue(test.IsPractice() ? 1 : 0);
        query.addBindValue(test.Uid());
        bool ok = query.exec();
        const QVariant id = query.lastInsertId();
        QSqlQuery queued(db);
        if (ok && !forClass.isEmpty()) {
            queued.prepare(QStringLiteral("INSERT INTO outbox (test_id, class) VALUES (?, ?)"));
            queued.addBindValue(id);
            queued.addBindValue(forClass);
            ok = queued.exec();
        }
        QSqlQuery answer(db);
        answer.prepare(QStringLiteral(
            "INSERT INTO answers (test_id, position, word, answer, right_answer) VALUES (?, ?, ?, ?, ?)"));
        const auto& answers = test.Answers();
        for (qsizetype i = 0; ok && i < answers.size(); ++i) {
            answer.addBindValue(id);
            answer.addBindValue(static_cast<int>(i + 1));
            answer.addBindValue(answers[i].word);
            answer.addBindValue(answers[i].answer);
            answer.addBindValue(answers[i].right ? 1 : 0);
            ok = answer.exec();
        }
        const QSqlError why = ok                             ? QSqlError()
                              : query.lastError().isValid()  ? query.lastError()
                              : queued.lastError().isValid() ? queued.lastError()
                                                             : answer.lastError();
        if (ok && db.commit())
            return true;
        *error = failure(QStringLiteral("could not take the result"), ok ? db.lastError() : why);
        db.rollback();
        return false;
    }

    bool Waiting(const QString& forClass, int limit, QList<OutgoingResult>* results, QString* error) override
    {
        QSqlQuery query = select(
            QStringLiteral("SELECT t.id, t.uid, t.list_name, t.taken_at, t.words, t.right_answers, t.stopped,"
                           " t.practice, a.word, a.answer, a.right_answer FROM outbox o JOIN tests t ON t.id = o.test_id"
                           " LEFT JOIN answers a ON a.test_id = t.id WHERE o.class = ? ORDER BY o.test_id, a.position"),
            {forClass}, error);
        results->clear();
        qint64 last = -1;
        while (query.next()) {
            if (query.value(0).toLongLong() != last) {
                if (results->size() == limit)
                    break;
                last = query.value(0).toLongLong();
                results->append({query.value(1).toString(), query.value(2).toString(),
                                 QDateTime::fromString(query.value(3).toString(), Qt::ISODate), query.value(4).toInt(),
                                 query.value(5).toInt(), query.value(6).toInt() != 0, query.value(7).toInt() != 0, {}});
            }
            if (!query.isNull(8))
                results->last().answers.append(
                    {query.value(8).toString(), query.value(9).toString(), query.value(10).toInt() != 0});
        }
        return finished(query, error);
    }

    bool WaitingCount(const QString& forClass, int* count, QString* error) override
    {
        // As Waiting reads them: a row whose test is gone (a history mended by
        // hand) is nothing to send.
        QSqlQuery query = select(
            QStringLiteral("SELECT COUNT(*) FROM outbox o JOIN tests t ON t.id = o.test_id WHERE o.class = ?"),
            {forClass}, error);
        *count = query.next() ? query.value(0).toInt() : 0;
        return finished(query, error);
    }

    bool MarkSent(const QStringList& uids, QString* error) override
    {
        if (!m_problem.isEmpty()) {
            *error = m_problem;
            return false;
        }
        QSqlDatabase db = QSqlDatabase::database(m_connection);
        if (!db.transaction()) {
            *error = failure(QStringLiteral("could not mark results sent"), db.lastError());
            return false;
        }
        QSqlQuery query(db);
        query.prepare(QStringLiteral("DELETE FROM outbox WHERE test_id IN (SELECT id FROM tests WHERE uid = ?)"));
        bool ok = true;
        for (qsizetype i = 0; ok && i < uids.size(); ++i) {
            query.addBindValue(uids[i]);
            ok = query.exec();
        }
        if (ok && db.commit())
            return true;
        *error = failure(QStringLiteral("could not mark results sent"), ok ? db.lastError() : query.lastError());
        db.rollback();
        return false;
    }

private:
    // The query run over its bound values, or an inactive one with `error` set.
    QSqlQuery select(const QString& sql, const QVariantList& values, QString* error) const
    {
        QSqlQuery query(QSqlDatabase::database(m_connection, false));
        query.setForwardOnly(true);
        if (!m_readable) {
            *error = m_problem;
            return query;
        }
        // An empty database: no tables, nothing to read.
        if (m_version == 0)
            return query;
        query.prepare(sql);
        for (const QVariant& value : values)
            query.addBindValue(value);
        if (!query.exec())
            *error = failure(QStringLiteral("could not be read"), query.lastError());
        return query;
    }

    // Whether the rows came in full: a read can also fail midway.
    bool finished(const QSqlQuery& query, QString* error) const
    {
        if (!m_readable)
            return false;
        if (m_version == 0)
            return true;
        if (!query.isActive())
            return false;
        if (query.lastError().isValid()) {
            *error = failure(QStringLiteral("could not be read"), query.lastError());
            return false;
        }
        return true;
    }

    QString failure(const QString& what, const QString& reason) const
    {
        return QStringLiteral("The history database \"%1\" %2 (%3).").arg(m_path, what, reason);
    }
    QString failure(const QString& what, const QSqlError& why) const
    {
        return failure(what, why.databaseText().isEmpty() ? why.text() : why.databaseText());
    }

    bool run(QSqlDatabase& db, const std::vector<const char*>& statements)
    {
        QSqlQuery query(db);
        for (const char* statement : statements) {
            if (!query.exec(QString::fromLatin1(statement))) {
                m_problem = failure(QStringLiteral("could not be prepared"), query.lastError());
                return false;
            }
        }
        return true;
    }

    // The schema's version, 0 for an empty database; -1, with the problem
    // said, for one that cannot be read or is not Wordwell's.
    int schemaVersion(QSqlDatabase& db)
    {
        // SQLite reads the file lazily and Qt's list of tables hides a read
        // error: a damaged file is found by reading its header.
        if (db.driverName() == QLatin1String("QSQLITE")) {
            QSqlQuery header(db);
            if (!header.exec(QStringLiteral("PRAGMA schema_version"))) {
                m_problem = failure(QStringLiteral("could not be read"), header.lastError());
                return -1;
            }
        }
        const QStringList tables = db.tables();
        if (!tables.contains(QStringLiteral("schema_info"))) {
            if (tables.isEmpty())
                return 0;
            m_problem = QStringLiteral("The history database \"%1\" is not one of Wordwell's.").arg(m_path);
            return -1;
        }
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("SELECT version FROM schema_info")) || !query.next()) {
            m_problem = failure(QStringLiteral("could not be read"), query.lastError());
            return -1;
        }
        return query.value(0).toInt();
    }

    // A newer version's is read as far as its tables still have the columns
    // this version knows, and not written.
    void readableAt(int version)
    {
        m_version = version;
        m_readable = true;
        if (version > kSchemaVersion)
            m_problem = QStringLiteral("The history database \"%1\" was written by a newer version of Wordwell; "
                                       "it is only read, and new results are not saved in it.")
                            .arg(m_path);
    }

    // Looked at as it is: an empty one reads as no tests, an older one
    // without what it lacks; migrating is for the next result saved.
    void readSchema(QSqlDatabase& db)
    {
        const int version = schemaVersion(db);
        if (version < 0)
            return;
        if (db.driverName() == QLatin1String("QSQLITE"))
            QSqlQuery(db).exec(QStringLiteral("PRAGMA query_only = ON"));
        readableAt(version);
    }

    // `again` after another Wordwell may have made or migrated the schema
    // between our look and our change.
    void prepareSchema(QSqlDatabase& db, bool again = false)
    {
        const int version = schemaVersion(db);
        if (version < 0)
            return;
        if (version >= kSchemaVersion) {
            readableAt(version);
            if (version == kSchemaVersion)
                tuneSqlite(db);
            return;
        }
        if (!db.transaction()) {
            m_problem = failure(QStringLiteral("could not be prepared"), db.lastError());
            return;
        }
        bool ok = run(db, SchemaStatementsFrom(version));
        if (!ok || !db.commit()) {
            if (m_problem.isEmpty())
                m_problem = failure(QStringLiteral("could not be prepared"), db.lastError());
            db.rollback();
            if (!again) {
                m_problem.clear();
                prepareSchema(db, true);
            }
            return;
        }
        readableAt(kSchemaVersion);
        tuneSqlite(db);
    }

    // A write-ahead log synced at every commit: a result costs one append and
    // one sync (not three), and a crash or power loss never leaves half a
    // result nor loses a saved one. Only for a file of our own schema, and
    // only SQLite's.
    static void tuneSqlite(QSqlDatabase& db)
    {
        if (db.driverName() != QLatin1String("QSQLITE"))
            return;
        QSqlQuery query(db);
        query.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        query.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    }

    static inline QAtomicInt s_next;
    QString m_path;
    QString m_connection;
    QString m_problem;
    bool m_readable = false;
    int m_version = 0;
};

class SqlResultStoreFactory final : public ResultStoreFactory {
public:
    std::unique_ptr<ResultStore> Open(const QString& path, int busyMs) const override
    {
        return std::make_unique<SqlResultStore>(path, busyMs, false);
    }
    std::unique_ptr<ResultStore> OpenToRead(const QString& path, int busyMs) const override
    {
        return std::make_unique<SqlResultStore>(path, busyMs, true);
    }
};

}  // namespace

}  // namespace practice::history

extern "C" __attribute__((visibility("default"))) const practice::history::ResultStoreFactory* wordwell_result_store_4()
{
    static const practice::history::SqlResultStoreFactory factory;
    return &factory;
}
