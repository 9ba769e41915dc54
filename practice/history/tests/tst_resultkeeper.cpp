#include "historydb.h"

#include "practice/history/historyreader.h"
#include "practice/history/resultkeeper.h"
#include "testsupport/filetree.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/modulefolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <memory>

#include <sys/stat.h>

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
        QCOMPARE(peek.rows("SELECT version FROM schema_info"), QStringList{"3"});
        // The score as the form rounds it, single precision, not 100.0 / 3.
        QCOMPARE(peek.rows("SELECT id, learner, list_name, list_path, taken_at, words, right_answers, score, stopped,"
                           " practice FROM tests ORDER BY id"),
                 (QStringList{"1|Ann|Animals.spl|/lists/Animals.spl|2026-03-01T09:30:05|3|1|33.33333206176758|0|0",
                              "2|Ben|Animals.spl|/lists/Animals.spl|2026-03-01T09:30:05|3|1|33.33333206176758|1|1"}));
        QCOMPARE(peek.rows("SELECT test_id, position, word, answer, right_answer FROM answers ORDER BY test_id, position"),
                 (QStringList{"1|1|cat|cat|1", "1|2|owl|oul|0", "2|1|cat|cat|1", "2|2|owl|oul|0"}));
    }

    void anOlderSchemaIsMigratedWithItsResults_data()
    {
        QTest::addColumn<int>("version");
        QTest::newRow("1: no practice rounds") << 1;
        QTest::newRow("2: no index of learners") << 2;
    }

    void anOlderSchemaIsMigratedWithItsResults()
    {
        QFETCH(int, version);
        QString error;
        QVERIFY2(CResultKeeper().Keep(makeTest("Old", false, false), &error), qPrintable(error));
        QVERIFY(Peek(m_path).makeVersion(version));
        CResultKeeper keeper;
        QVERIFY2(keeper.Keep(makeTest("Ann", true, false), &error), qPrintable(error));
        Peek peek(m_path);
        QCOMPARE(peek.rows("SELECT version FROM schema_info"), QStringList{"3"});
        QCOMPARE(peek.rows("SELECT name FROM sqlite_master WHERE type = 'index' ORDER BY name"),
                 (QStringList{"answers_by_test", "tests_by_learner"}));
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
            WriteFileForTest(folder, {});
        } else if (kind == "damaged") {
            WriteFileForTest(m_path, QByteArray(4096, '\x5a'));
        } else {
            QVERIFY(QDir().mkpath(folder));
            Peek other(m_path);
            if (kind == "newer") {
                QVERIFY(other.exec("CREATE TABLE schema_info (version INTEGER NOT NULL)"));
                QVERIFY(other.exec("INSERT INTO schema_info (version) VALUES (4)"));
            } else {
                QVERIFY(other.exec("CREATE TABLE notes (text TEXT)"));
            }
        }
        const QByteArray before = ReadFileForTest(kind == "folder" ? folder : m_path);

        CResultKeeper keeper;
        QString error;
        QVERIFY(!keeper.Keep(makeTest("Ann", false, false), &error));
        QVERIFY2(error.contains(said), qPrintable(error));
        QVERIFY2(error.contains(kind == "folder" ? folder : m_path), qPrintable(error));
        QVERIFY(!keeper.Keep(makeTest("Ben", false, true), &error));
        QCOMPARE(keeper.Held(), 2);
        QCOMPARE(ReadFileForTest(kind == "folder" ? folder : m_path), before);

        // Once the database is out of the way, both are saved, in order.
        QVERIFY(QFile::remove(kind == "folder" ? folder : m_path));
        QVERIFY2(keeper.Retry(&error), qPrintable(error));
        QCOMPARE(keeper.Held(), 0);
        Peek peek(m_path);
        QCOMPARE(peek.rows("SELECT learner, stopped FROM tests ORDER BY id"), (QStringList{"Ann|0", "Ben|1"}));
    }

    // Nothing is written through a link, not even the file a dangling link
    // names; a pipe is not waited on. The result is held, as for a locked
    // database, and saved once a file of its own can stand there.
    void aHistoryThatIsNotAFileIsNotWrittenThrough_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("said");
        QTest::newRow("a link to an empty file") << "link" << "" << "(it is a symbolic link, not a file).";
        QTest::newRow("a dangling link") << "dangling" << "" << "(it is a symbolic link, not a file).";
        QTest::newRow("its write-ahead log a link") << "link" << "-wal" << "-wal\" is a symbolic link, not a file).";
        QTest::newRow("a pipe") << "pipe" << "" << "(it is not a regular file).";
    }

    void aHistoryThatIsNotAFileIsNotWrittenThrough()
    {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QString, said);
        const QString elsewhere = m_home->path() + "/elsewhere";
        QVERIFY(QDir().mkpath(elsewhere));
        QVERIFY(QDir().mkpath(QFileInfo(m_path).absolutePath()));
        const QString planted = m_path + name;
        if (kind == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(planted).constData(), 0600), 0);
        else
            QVERIFY(QFile::link(elsewhere + "/History.sqlite" + name, planted));
        if (kind == "link")
            WriteFileForTest(elsewhere + "/History.sqlite" + name, {});
        const QStringList before = TreeSnapshot(m_home->path());

        CResultKeeper keeper;
        QString error;
        QVERIFY(!keeper.Keep(makeTest("Ann", false, false), &error));
        QVERIFY2(error.startsWith(QStringLiteral("The history database \"%1\" could not be opened (").arg(m_path))
                     && error.endsWith(said),
                 qPrintable(error));
        QCOMPARE(keeper.Held(), 1);
        QCOMPARE(TreeSnapshot(m_home->path()), before);

        QVERIFY(QFile::remove(planted));
        QVERIFY2(keeper.Retry(&error), qPrintable(error));
        QCOMPARE(Peek(m_path).rows("SELECT learner FROM tests"), QStringList{"Ann"});
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

    // Two Wordwell processes finishing tests at the same moments on a
    // history neither has made yet: both keep every result.
    // Without the history module nothing is read and a result is held, not
    // lost, until the module is there again.
    void withoutItsModuleTheHistoryIsNeitherReadNorLost()
    {
        QVERIFY(QDir().mkpath(QFileInfo(m_path).absolutePath()));
        WriteFileForTest(m_path, {});
        CResultKeeper keeper;
        QString error;
        {
            ScopedModuleFolder withoutTheModule(m_home->path());
            const QString module = QStringLiteral(": the history module \"%1/").arg(m_home->path());
            QVERIFY(!keeper.Keep(makeTest("Ann", false, false), &error));
            QVERIFY2(error.startsWith("The result could not be saved" + module), qPrintable(error));
            QCOMPARE(keeper.Held(), 1);
            CHistoryReader reader(m_path);
            QString notice;
            QVERIFY(!reader.Open(&error, &notice));
            QVERIFY2(error.startsWith("The history could not be read" + module), qPrintable(error));
        }
        QVERIFY2(keeper.Retry(&error), qPrintable(error));
        QCOMPARE(Peek(m_path).rows("SELECT learner FROM tests"), QStringList{"Ann"});
    }

    // A name the system refuses is said in the system's words.
    void aNameTheSystemRefusesIsSaidSo()
    {
        const QString path = QFileInfo(m_path).absolutePath() + "/" + QString(300, u'h');
        CResultKeeper keeper(path, 50);
        QString error;
        QVERIFY(!keeper.Keep(makeTest("Ann", false, false), &error));
        QVERIFY2(error.endsWith("\" could not be opened (File name too long)."), qPrintable(error));
    }

    void twoProcessesOnOneDatabaseBothKeepTheirResults()
    {
        const QString path = m_home->path() + "/History.sqlite";
        QProcess one, two;
        one.start(WW_HISTORY_SAVER, {path, "One", "25"});
        two.start(WW_HISTORY_SAVER, {path, "Two", "25"});
        for (QProcess* p : {&one, &two}) {
            QVERIFY(p->waitForFinished(60000));
            QVERIFY2(p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0, p->readAllStandardError().constData());
        }
        Peek peek(path);
        QCOMPARE(peek.rows("SELECT learner, COUNT(*) FROM tests GROUP BY learner ORDER BY learner"),
                 (QStringList{"One|25", "Two|25"}));
        QCOMPARE(peek.rows("SELECT COUNT(*) FROM answers"), QStringList{"1000"});
    }

    // A writer killed at random moments: the database opens intact and holds
    // every result the writer said was committed, each whole.
    void aKilledWriterLeavesEveryCommittedResultWhole()
    {
        const QString path = m_home->path() + "/History.sqlite";
        const quint32 seed = QRandomGenerator::global()->generate();
        qInfo("seed %u", seed);
        QRandomGenerator random(seed);
        int reported = 0;
        for (int round = 1; round <= 6; ++round) {
            const QString learner = QStringLiteral("Run %1").arg(round);
            QProcess writer;
            writer.start(WW_HISTORY_SAVER, {path, learner, "0"});
            QVERIFY(writer.waitForReadyRead(30000));
            QTest::qWait(static_cast<int>(random.bounded(0, 150)));
            writer.kill();
            QVERIFY(writer.waitForFinished(10000));
            QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
            // Only whole lines: the kill may cut one short.
            const QList<QByteArray> lines = writer.readAllStandardOutput().split('\n');
            const int committed = static_cast<int>(lines.size()) - 1;
            QCOMPARE(lines[committed - 1], QByteArray("committed ") + QByteArray::number(committed));
            reported += committed;

            Peek peek(path);
            QCOMPARE(peek.rows("PRAGMA integrity_check"), QStringList{"ok"});
            const QStringList kept = peek.rows(
                QStringLiteral("SELECT COUNT(*), MIN(list_path), MAX(id) - MIN(id) + 1 FROM tests WHERE learner = '%1'")
                    .arg(learner));
            const QStringList cells = kept.first().split(u'|');
            // One more than said is a result committed just before the kill.
            const int stored = cells[0].toInt();
            QVERIFY2(stored == committed || stored == committed + 1, qPrintable(kept.first()));
            if (stored > 0) {
                QCOMPARE(cells[1], QString("/lists/1.spl"));
                QCOMPARE(cells[2].toInt(), stored);
            }
            QCOMPARE(peek.rows("SELECT COUNT(*) FROM tests t WHERE words <> 20"
                               " OR (SELECT COUNT(*) FROM answers a WHERE a.test_id = t.id) <> 20"),
                     QStringList{"0"});
        }
        qInfo("%d results said to be committed before the kills", reported);
        QVERIFY2(reported > 0, "no writer got as far as one result before it was killed");
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
    QString m_path;
};

QTEST_MAIN(TestResultKeeper)
#include "tst_resultkeeper.moc"
