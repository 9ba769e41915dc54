#include "practice/history/resultkeeper.h"
#include "testsupport/isolatedhome.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

#include <memory>

using practice::review::CTestRecord;

namespace {

CTestRecord makeTest(const QString& learner, bool practice, bool stop)
{
    CTestRecord r;
    r.Start(learner, "/lists/Animals.spl", 3, practice, QDateTime(QDate(2026, 3, 1), QTime(9, 30, 5)));
    r.Answer("cat", "cat", true);
    r.Answer("owl", "oul", false);
    stop ? r.Stop() : r.Finish();
    return r;
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A connection of the test's own to the database file, closed with it.
class Peek {
public:
    explicit Peek(const QString& path) : m_name(QStringLiteral("peek%1").arg(++s_count))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", m_name);
        db.setDatabaseName(path);
        if (!db.open())
            qFatal("the test could not open %s", qPrintable(path));
    }
    ~Peek()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    QStringList rows(const QString& select) const
    {
        QSqlQuery q(QSqlDatabase::database(m_name));
        if (!q.exec(select))
            return {q.lastError().text()};
        QStringList out;
        while (q.next()) {
            QStringList cells;
            for (int i = 0; i < q.record().count(); ++i)
                cells << q.value(i).toString();
            out << cells.join(u'|');
        }
        return out;
    }
    bool exec(const QString& sql) const { return QSqlQuery(QSqlDatabase::database(m_name)).exec(sql); }

private:
    static inline int s_count = 0;
    QString m_name;
};

}  // namespace

class TestResultKeeper : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_home = std::make_unique<IsolatedHome>();
        m_path = m_home->dataHome() + "/Tolvane/Wordwell Practice/History.sqlite";
    }
    void cleanup() { m_home.reset(); }

    void everyResultIsSavedWithItsAnswers()
    {
        QCOMPARE(CResultKeeper::DefaultPath(), m_path);
        CResultKeeper keeper;
        QString error;
        QVERIFY2(keeper.Keep(makeTest("Ann", false, false), &error), qPrintable(error));
        QVERIFY2(keeper.Keep(makeTest("Ben", true, true), &error), qPrintable(error));
        QCOMPARE(keeper.Held(), 0);
        Peek peek(m_path);
        QCOMPARE(peek.rows("SELECT version FROM schema_info"), QStringList{"2"});
        QCOMPARE(peek.rows("SELECT id, learner, list_name, list_path, taken_at, words, right_answers, score, stopped,"
                           " practice FROM tests ORDER BY id"),
                 (QStringList{"1|Ann|Animals.spl|/lists/Animals.spl|2026-03-01T09:30:05|3|1|33.333333333333336|0|0",
                              "2|Ben|Animals.spl|/lists/Animals.spl|2026-03-01T09:30:05|3|1|33.333333333333336|1|1"}));
        QCOMPARE(peek.rows("SELECT test_id, position, word, answer, right_answer FROM answers ORDER BY test_id, position"),
                 (QStringList{"1|1|cat|cat|1", "1|2|owl|oul|0", "2|1|cat|cat|1", "2|2|owl|oul|0"}));
    }

    void anOlderSchemaIsMigratedWithItsResults()
    {
        QVERIFY(QDir().mkpath(QFileInfo(m_path).absolutePath()));
        {
            Peek old(m_path);
            QVERIFY(old.exec("CREATE TABLE schema_info (version INTEGER NOT NULL)"));
            QVERIFY(old.exec("INSERT INTO schema_info (version) VALUES (1)"));
            QVERIFY(old.exec("CREATE TABLE tests (id INTEGER PRIMARY KEY, learner TEXT NOT NULL, list_name TEXT NOT NULL,"
                             " list_path TEXT NOT NULL, taken_at TEXT NOT NULL, words INTEGER NOT NULL,"
                             " right_answers INTEGER NOT NULL, score REAL NOT NULL, stopped INTEGER NOT NULL)"));
            QVERIFY(old.exec("CREATE TABLE answers (test_id INTEGER NOT NULL, position INTEGER NOT NULL,"
                             " word TEXT NOT NULL, answer TEXT NOT NULL, right_answer INTEGER NOT NULL)"));
            QVERIFY(old.exec("INSERT INTO tests VALUES (1, 'Old', 'a.spl', '/a.spl', '2025-01-01T08:00:00', 1, 1, 100, 0)"));
        }
        CResultKeeper keeper;
        QString error;
        QVERIFY2(keeper.Keep(makeTest("Ann", true, false), &error), qPrintable(error));
        Peek peek(m_path);
        QCOMPARE(peek.rows("SELECT version FROM schema_info"), QStringList{"2"});
        QCOMPARE(peek.rows("SELECT learner, practice FROM tests ORDER BY id"), (QStringList{"Old|0", "Ann|1"}));
    }

    void aDatabaseThatCannotTakeResultsKeepsThemForARetry_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("said");
        QTest::newRow("newer version") << "newer" << "was written by a newer version of Wordwell; it is only read";
        QTest::newRow("damaged") << "damaged" << "(file is not a database)";
        QTest::newRow("another program's") << "foreign" << "is not one of Wordwell's";
        QTest::newRow("folder is a file") << "folder" << "could not be made";
    }

    void aDatabaseThatCannotTakeResultsKeepsThemForARetry()
    {
        QFETCH(QString, kind);
        QFETCH(QString, said);
        const QString folder = QFileInfo(m_path).absolutePath();
        QVERIFY(QDir().mkpath(QFileInfo(folder).absolutePath()));
        if (kind == "folder") {
            QFile blocker(folder);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        } else if (kind == "damaged") {
            QVERIFY(QDir().mkpath(folder));
            QFile f(m_path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(4096, '\x5a'));
        } else {
            QVERIFY(QDir().mkpath(folder));
            Peek other(m_path);
            if (kind == "newer") {
                QVERIFY(other.exec("CREATE TABLE schema_info (version INTEGER NOT NULL)"));
                QVERIFY(other.exec("INSERT INTO schema_info (version) VALUES (3)"));
            } else {
                QVERIFY(other.exec("CREATE TABLE notes (text TEXT)"));
            }
        }
        const QByteArray before = fileBytes(kind == "folder" ? folder : m_path);

        CResultKeeper keeper;
        QString error;
        QVERIFY(!keeper.Keep(makeTest("Ann", false, false), &error));
        QVERIFY2(error.contains(said), qPrintable(error));
        QVERIFY2(error.contains(kind == "folder" ? folder : m_path), qPrintable(error));
        QVERIFY(!keeper.Keep(makeTest("Ben", false, true), &error));
        QCOMPARE(keeper.Held(), 2);
        QCOMPARE(fileBytes(kind == "folder" ? folder : m_path), before);

        // Once the database is out of the way, both are saved, in order.
        QVERIFY(QFile::remove(kind == "folder" ? folder : m_path));
        QVERIFY2(keeper.Retry(&error), qPrintable(error));
        QCOMPARE(keeper.Held(), 0);
        Peek peek(m_path);
        QCOMPARE(peek.rows("SELECT learner, stopped FROM tests ORDER BY id"), (QStringList{"Ann|0", "Ben|1"}));
    }

    // Another writer's lock makes a save wait, then fail with the result kept;
    // nothing half-written is left, and the next save brings it in.
    void aLockedDatabaseKeepsTheResultWhole()
    {
        CResultKeeper keeper(m_path, 50);
        QString error;
        QVERIFY2(keeper.Keep(makeTest("Ann", false, false), &error), qPrintable(error));
        {
            Peek writer(m_path);
            QVERIFY(writer.exec("BEGIN EXCLUSIVE"));
            QVERIFY(!keeper.Keep(makeTest("Ben", false, false), &error));
            QVERIFY2(error.contains("locked") && error.contains(m_path), qPrintable(error));
            QCOMPARE(keeper.Held(), 1);
            QVERIFY(writer.exec("ROLLBACK"));
        }
        Peek peek(m_path);
        QCOMPARE(peek.rows("SELECT COUNT(*) FROM answers"), QStringList{"2"});
        QVERIFY2(keeper.Keep(makeTest("Cy", false, false), &error), qPrintable(error));
        QCOMPARE(peek.rows("SELECT learner FROM tests ORDER BY id"), (QStringList{"Ann", "Ben", "Cy"}));
        QCOMPARE(peek.rows("SELECT COUNT(*) FROM answers"), QStringList{"6"});
    }

    // Two Wordwell windows finishing tests one after the other on one file.
    void twoKeepersOnOneDatabaseBothKeepTheirResults()
    {
        CResultKeeper first;
        CResultKeeper second;
        QString error;
        for (int i = 0; i < 5; ++i) {
            QVERIFY2(first.Keep(makeTest("One", false, false), &error), qPrintable(error));
            QVERIFY2(second.Keep(makeTest("Two", false, false), &error), qPrintable(error));
        }
        Peek peek(m_path);
        QCOMPARE(peek.rows("SELECT learner, COUNT(*) FROM tests GROUP BY learner ORDER BY learner"),
                 (QStringList{"One|5", "Two|5"}));
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
    QString m_path;
};

QTEST_MAIN(TestResultKeeper)
#include "tst_resultkeeper.moc"
