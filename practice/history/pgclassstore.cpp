// The class's database on a PostgreSQL server, through Qt SQL's QPSQL driver.
// Every value is bound; what a member may read or write is the server's
// row-level security, so a refused statement is reported, never worked around.
#include "practice/history/classstore.h"
#include "practice/review/score.h"

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace practice::history {

namespace {

// How long a server that does not answer may hold up a round.
constexpr int kConnectTimeoutSeconds = 5;
// A dead server found in seconds, not the system's two hours (a round holds
// up only its own thread, and Wordwell's closing waits for it).
const QString kKeepAlive =
    QStringLiteral("keepalives_idle=10;keepalives_interval=5;keepalives_count=3;tcp_user_timeout=15000");
// A server that answers but holds a statement (a table locked by a migration
// or an open transaction) is bounded too, for the same reason.
const QString kStatementLimits = QStringLiteral("options='-c lock_timeout=5000 -c statement_timeout=60000'");

class PgClassStore final : public ClassStore {
public:
    PgClassStore(const ClassConnection& where, const QString& password)
        : m_connection(QStringLiteral("wordwell-class-%1").arg(s_next.fetchAndAddRelaxed(1)))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connection);
        if (!db.isValid()) {
            m_problem = QStringLiteral("The class cannot be reached: Qt's PostgreSQL driver is not installed.");
            return;
        }
        QString options = QStringLiteral("connect_timeout=%1;application_name=Wordwell;%2;%3")
                              .arg(kConnectTimeoutSeconds)
                              .arg(kKeepAlive, kStatementLimits);
        if (!where.service.isEmpty())
            options += QStringLiteral(";service=") + quoted(where.service);
        db.setConnectOptions(options);
        db.setHostName(where.host);
        if (where.port > 0)
            db.setPort(where.port);
        db.setDatabaseName(where.database);
        db.setUserName(where.user);
        db.setPassword(password);
        if (!db.open()) {
            const QString why = reason(db.lastError());
            m_needsPassword = why.contains(QLatin1String("no password supplied"));
            m_problem = refusal(why).arg(why);
        }
    }

    ~PgClassStore() override
    {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }

    QString Problem() const override { return m_problem; }
    bool NeedsPassword() const override { return m_needsPassword; }

    bool Me(ClassMember* me, QString* error) override
    {
        QSqlQuery query =
            select(QStringLiteral("SELECT role, name, teacher, current_database() FROM members WHERE role = current_user"),
                   {}, error);
        if (!query.isActive())
            return false;
        if (!query.next()) {
            *error = QStringLiteral("The class does not know you as a member.");
            return false;
        }
        *me = {query.value(0).toString(), query.value(1).toString(), query.value(2).toBool(),
               query.value(3).toString()};
        return true;
    }

    bool Send(const QList<OutgoingResult>& results, QString* error) override
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (!db.transaction()) {
            *error = failure(QStringLiteral("could not take the results"), db.lastError());
            return false;
        }
        // Many rows a statement: a round trip each would cost more than the
        // server's work. An answer already there belongs to a result already
        // there, sent before with it.
        QVariantList values;
        int rows = 0;
        bool ok = true;
        for (const OutgoingResult& sent : results) {
            values << sent.uid << sent.listName << sent.when << sent.words << sent.right << sent.stopped << sent.practice;
            if (++rows == kRowsPerStatement)
                ok = ok && insert(db, kResults, &values, &rows, error);
        }
        ok = ok && insert(db, kResults, &values, &rows, error);
        for (const OutgoingResult& sent : results) {
            for (qsizetype a = 0; a < sent.answers.size(); ++a) {
                values << sent.uid << static_cast<int>(a + 1) << sent.answers[a].word << sent.answers[a].answer
                       << sent.answers[a].right;
                if (++rows == kRowsPerStatement)
                    ok = ok && insert(db, kAnswers, &values, &rows, error);
            }
        }
        ok = ok && insert(db, kAnswers, &values, &rows, error);
        if (ok && db.commit())
            return true;
        if (ok)
            *error = failure(QStringLiteral("could not take the results"), db.lastError());
        db.rollback();
        return false;
    }

    bool Publish(const QString& title, const QDate& due, const QByteArray& archive, QString* error) override
    {
        QSqlQuery query(QSqlDatabase::database(m_connection, false));
        if (run(query, QStringLiteral("INSERT INTO lists (title, due, archive) VALUES (?, ?, ?)"),
                {title, due.isValid() ? QVariant(due) : QVariant(QMetaType(QMetaType::QDate)), archive}))
            return true;
        *error = failure(QStringLiteral("could not take the list"), query.lastError());
        return false;
    }

    bool Lists(QList<ClassList>* lists, QString* error) override
    {
        QSqlQuery query = select(
            QStringLiteral("SELECT id, title, due, published_at FROM lists ORDER BY published_at DESC, id DESC"), {},
            error);
        lists->clear();
        while (query.next())
            lists->append({query.value(0).toLongLong(), query.value(1).toString(), query.value(2).toDate(),
                           query.value(3).toDateTime()});
        return finished(query, error);
    }

    bool FetchList(qint64 id, QByteArray* archive, QString* error) override
    {
        QSqlQuery query = select(QStringLiteral("SELECT archive FROM lists WHERE id = ?"), {id}, error);
        if (query.isActive() && !query.next()) {
            *error = QStringLiteral("The list is no longer in the class.");
            return false;
        }
        *archive = query.value(0).toByteArray();
        return finished(query, error);
    }

    bool Results(QList<ClassResultRow>* rows, QString* error) override
    {
        // First tries only: a practice round is not a test of the list. The
        // latest and the best test are each the greatest of an array led by
        // what decides it: one pass over the rows, no sort. Only finished tests
        // have a score; a stopped one still counts as taken. The score is
        // worked out here, by the one rule every view shares.
        QSqlQuery query = select(
            QStringLiteral(
                "SELECT COALESCE(m.name, g.learner), g.list_name, g.latest[2], g.latest[3], g.best[2], g.best[3],"
                " g.taken, g.last FROM (SELECT learner, list_name, COUNT(*) AS taken, MAX(taken_at) AS last,"
                " MAX(ARRAY[EXTRACT(EPOCH FROM taken_at)::float8, right_answers, words])"
                " FILTER (WHERE NOT stopped) AS latest,"
                " MAX(ARRAY[right_answers::float8 / GREATEST(words, 1), right_answers, words])"
                " FILTER (WHERE NOT stopped) AS best"
                " FROM results WHERE NOT practice GROUP BY learner, list_name) g"
                " LEFT JOIN members m ON m.role = g.learner ORDER BY 1, g.learner, 2"),
            {}, error);
        const auto score = [&query](int right) -> std::optional<double> {
            if (query.isNull(right))
                return std::nullopt;
            return review::ScorePercent(query.value(right).toInt(), query.value(right + 1).toInt());
        };
        rows->clear();
        while (query.next())
            rows->append({query.value(0).toString(), query.value(1).toString(), score(2), score(4),
                          query.value(6).toInt(), query.value(7).toDateTime()});
        return finished(query, error);
    }

    bool MostMissed(int limit, QList<MissedWord>* words, QString* error) override
    {
        QSqlQuery query = select(QStringLiteral("SELECT word, SUM(CASE WHEN right_answer THEN 0 ELSE 1 END) AS missed,"
                                                " COUNT(*) AS asked FROM answers GROUP BY word"
                                                " HAVING SUM(CASE WHEN right_answer THEN 0 ELSE 1 END) > 0"
                                                " ORDER BY missed DESC, asked, word LIMIT ?"),
                                 {limit}, error);
        words->clear();
        while (query.next())
            words->append({query.value(0).toString(), query.value(1).toInt(), query.value(2).toInt()});
        return finished(query, error);
    }

private:
    struct Table {
        const char* insert;
        const char* row;
    };
    static constexpr Table kResults{
        "INSERT INTO results (uid, list_name, taken_at, words, right_answers, stopped, practice) VALUES ",
        "(CAST(? AS uuid), ?, ?, ?, ?, ?, ?)"};
    static constexpr Table kAnswers{"INSERT INTO answers (result_uid, position, word, answer, right_answer) VALUES ",
                                    "(CAST(? AS uuid), ?, ?, ?, ?)"};
    // Well under the protocol's 65,535 bound values a statement.
    static constexpr int kRowsPerStatement = 1000;

    // Inserts the `rows` rows whose values are queued, and empties the queue.
    static bool insert(QSqlDatabase& db, const Table& table, QVariantList* values, int* rows, QString* error)
    {
        if (*rows == 0)
            return true;
        QStringList placeholders(*rows, QLatin1String(table.row));
        QSqlQuery query(db);
        const bool ok = run(query,
                            QLatin1String(table.insert) + placeholders.join(QLatin1Char(','))
                                + QLatin1String(" ON CONFLICT DO NOTHING"),
                            *values);
        values->clear();
        *rows = 0;
        if (ok)
            return true;
        *error = failure(QStringLiteral("could not take the results"), query.lastError());
        return false;
    }

    // Prepares, binds and runs `sql`. A statement the server could not prepare
    // (a table locked past the limit) keeps the server's reason in the query's
    // error instead of being run under no name.
    static bool run(QSqlQuery& query, const QString& sql, const QVariantList& values)
    {
        if (!query.prepare(sql))
            return false;
        for (const QVariant& value : values)
            query.addBindValue(value);
        return query.exec();
    }

    // libpq takes a value in single quotes with \ and ' escaped.
    static QString quoted(QString value)
    {
        value.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('\''), QLatin1String("\\'"));
        return QLatin1Char('\'') + value + QLatin1Char('\'');
    }

    QSqlQuery select(const QString& sql, const QVariantList& values, QString* error) const
    {
        QSqlQuery query(QSqlDatabase::database(m_connection, false));
        query.setForwardOnly(true);
        if (!run(query, sql, values))
            *error = failure(QStringLiteral("could not be read"), query.lastError());
        return query;
    }

    bool finished(const QSqlQuery& query, QString* error) const
    {
        if (!query.isActive())
            return false;
        if (query.lastError().isValid()) {
            *error = failure(QStringLiteral("could not be read"), query.lastError());
            return false;
        }
        return true;
    }

    // What a failed connection means to the user, before the server's own
    // words: a refused password or certificate is no network fault.
    static QString refusal(const QString& why)
    {
        if (why.contains(QLatin1String("password authentication failed")))
            return QStringLiteral("The class's server did not take the password (%1).");
        if (why.contains(QLatin1String("certificate")))
            return QStringLiteral("The class's server and this computer did not accept each other's certificate (%1).");
        return QStringLiteral("The class could not be reached (%1).");
    }
    static QString reason(const QSqlError& why)
    {
        return (why.databaseText().isEmpty() ? why.text() : why.databaseText()).trimmed();
    }
    static QString failure(const QString& what, const QSqlError& why)
    {
        return QStringLiteral("The class %1 (%2).").arg(what, reason(why));
    }

    static inline QAtomicInt s_next;
    QString m_connection;
    QString m_problem;
    bool m_needsPassword = false;
};

class PgClassStoreFactory final : public ClassStoreFactory {
public:
    std::unique_ptr<ClassStore> Connect(const ClassConnection& where, const QString& password) const override
    {
        return std::make_unique<PgClassStore>(where, password);
    }
};

}  // namespace

}  // namespace practice::history

extern "C" __attribute__((visibility("default"))) const practice::history::ClassStoreFactory* wordwell_class_store_1()
{
    static const practice::history::PgClassStoreFactory factory;
    return &factory;
}
