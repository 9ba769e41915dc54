#include "practice/history/historycsv.h"
#include "practice/history/historyreader.h"
#include "practice/history/historytable.h"
#include "practice/history/historywindow.h"
#include "practice/history/resultkeeper.h"
#include "practice/history/scorechart.h"
#include "testsupport/dialogdriver.h"
#include "testsupport/filetree.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"
#include "testsupport/modulefolder.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include <memory>

#include <sys/stat.h>

using namespace practice::history;
using practice::review::CTestRecord;

namespace {

// A connection of the test's own to a history database file, closed with it.
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
    // The error's text when the query fails.
    QStringList rows(const QString& select) const
    {
        QSqlQueryModel model;
        model.setQuery(select, QSqlDatabase::database(m_name));
        return model.lastError().isValid() ? QStringList{model.lastError().text()} : RowTexts(&model);
    }
    bool exec(const QString& sql) const { return QSqlQuery(QSqlDatabase::database(m_name)).exec(sql); }

private:
    static inline int s_count = 0;
    QString m_name;
};

// Each word asked with the answer typed.
CTestRecord test(const QString& learner, const QDateTime& when, int words,
                 const QList<std::pair<const char*, const char*>>& asked, bool practice = false, bool stop = false)
{
    CTestRecord r;
    r.Start(learner, QStringLiteral("/lists/Animals.spl"), words, practice, when);
    for (const auto& [word, answer] : asked)
        r.Answer(QString::fromUtf8(word), QString::fromUtf8(answer), qstrcmp(word, answer) == 0);
    stop ? r.Stop() : r.Finish();
    return r;
}

QDateTime at(int day, int hour = 9)
{
    return QDateTime(QDate(2026, 3, day), QTime(hour, 30, 5));
}

// Ann: owl missed 3 times of 4, bee 1 of 1, house 1 of 2, tree 1 of 3, cat
// 1 of 4, in first tries, a practice round and a stopped test. Ben misses
// other words, which never count for Ann.
void keepGroupedHistory(const QString& path)
{
    CResultKeeper keeper(path);
    QString error;
    const QList<CTestRecord> tests{
        test("Ann", at(1), 4, {{"cat", "cat"}, {"owl", "oul"}, {"house", "hose"}, {"tree", "tree"}}),
        test("Ben", at(2), 3, {{"zebra", "zebr"}, {"owl", "ow"}, {"yak", "yac"}}),
        test("Ann", at(8), 4, {{"cat", "kat"}, {"owl", "owel"}, {"house", "house"}, {"tree", "tree"}}),
        test("Ann", at(8, 10), 2, {{"owl", "oll"}, {"cat", "cat"}}, true),
        test("Ann", at(15), 5, {{"owl", "owl"}, {"tree", "tre"}, {"bee", "be"}}, false, true),
        test("Ann", at(22), 4, {{"cat", "cat"}, {"tree", "tree"}, {"owl", "owl"}}),
    };
    for (const CTestRecord& t : tests)
        if (!keeper.Keep(t, &error))
            qFatal("%s", qPrintable(error));
}

// Of three words, cat right and owl missed.
CTestRecord makeTest(const QString& learner, bool practice, bool stop)
{
    return test(learner, at(1), 3, {{"cat", "cat"}, {"owl", "oul"}}, practice, stop);
}

}  // namespace

class TestHistory : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_home = std::make_unique<IsolatedHome>();
        m_path = m_home->dataHome() + "/Tolvane/Wordwell Practice/History.sqlite";
    }
    void cleanup() { m_home.reset(); }

    // What stands in the history's place, looked at in the window and then
    // given results: nothing is made or changed by looking, what cannot be
    // read is said naming the file, an older history is migrated when a
    // result is saved. Where results cannot go (a newer or another program's
    // database, a damaged file, a file where its folder goes, a link, through
    // which nothing is written, a pipe, not waited on) each is held, nothing
    // changes, and once it is out of the way both are saved, in order.
    void aHistoryInTheWayIsLookedAtAndKeepsResultsForARetry_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");  // what is planted beside the database, or empty: the database
        QTest::addColumn<int>("rows");  // the window's
        QTest::addColumn<QString>("seen");  // the window's notice; empty: the file is not named
        QTest::addColumn<QString>("said");  // why a result is held; empty: it is saved
        const QString link = "could not be opened (it is a symbolic link, not a file).";
        const QString newer = "was written by a newer version of Wordwell";
        QTest::newRow("not made yet") << "none" << "" << 0 << "" << "";
        QTest::newRow("an empty file") << "empty" << "" << 0 << "" << "";
        QTest::newRow("version 1: no practice rounds") << "1" << "" << 5 << "" << "";
        QTest::newRow("version 2: no index of learners") << "2" << "" << 5 << "" << "";
        QTest::newRow("version 3: no outbox") << "3" << "" << 5 << "" << "";
        QTest::newRow("newer version") << "newer" << "" << 5 << newer << newer + "; it is only read";
        QTest::newRow("damaged") << "damaged" << "" << 0 << "(file is not a database)" << "(file is not a database)";
        QTest::newRow("another program's") << "foreign" << "" << 0 << "is not one of Wordwell's"
                                           << "is not one of Wordwell's";
        QTest::newRow("folder is a file") << "folder" << "" << 0 << "" << "could not be made";
        QTest::newRow("a folder in its place") << "dir" << "" << 0 << "could not be opened" << "could not be opened";
        QTest::newRow("a link to an empty file") << "link" << "" << 0 << link << link;
        QTest::newRow("a dangling link") << "dangling" << "" << 0 << link << link;
        QTest::newRow("its write-ahead log a link") << "link" << "-wal" << 0 << "" << "-wal\" is a symbolic link, not a file).";
        QTest::newRow("a pipe") << "pipe" << "" << 0 << "(it is not a regular file)." << "(it is not a regular file).";
    }

    void aHistoryInTheWayIsLookedAtAndKeepsResultsForARetry()
    {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(int, rows);
        QFETCH(QString, seen);
        QFETCH(QString, said);
        const QString folder = QFileInfo(m_path).absolutePath();
        const QString planted = kind == "folder" ? folder : m_path + name;
        const QString elsewhere = m_home->path() + "/elsewhere/History.sqlite" + name;
        QVERIFY(QDir().mkpath(QFileInfo(planted).absolutePath()));
        if (kind == "folder" || kind == "damaged" || kind == "empty") {
            WriteFileForTest(planted, kind == "damaged" ? QByteArray(4096, '\x5a') : QByteArray());
        } else if (kind == "dir") {
            QVERIFY(QDir().mkpath(planted));
        } else if (kind == "pipe") {
            QCOMPARE(::mkfifo(QFile::encodeName(planted).constData(), 0600), 0);
        } else if (kind == "link" || kind == "dangling") {
            // The dangling link's folder is there: only the link keeps a file from being made.
            QVERIFY(QDir().mkpath(QFileInfo(elsewhere).absolutePath()));
            if (kind == "link")
                WriteFileForTest(elsewhere, {});
            QVERIFY(QFile::link(elsewhere, planted));
        } else if (kind == "foreign") {
            QVERIFY(Peek(m_path).exec("CREATE TABLE notes (text TEXT)"));
        } else if (kind != "none") {
            keepGroupedHistory(m_path);
            // Back to an older schema: version 3 had no outbox, version 2 no index
            // of learners, version 1 no practice rounds nor index of answers.
            const Peek db(m_path);
            QVERIFY(kind == "newer"
                        ? db.exec("UPDATE schema_info SET version = 7") && db.exec("ALTER TABLE tests ADD COLUMN mood TEXT")
                        : db.exec("DROP TABLE outbox") && db.exec("ALTER TABLE tests DROP COLUMN uid")
                              && (kind == "3" || db.exec("DROP INDEX tests_by_learner"))
                              && (kind != "1" || (db.exec("DROP INDEX answers_by_test")
                                                  && db.exec("ALTER TABLE tests DROP COLUMN practice")))
                              && db.exec("UPDATE schema_info SET version = " + kind));
        }
        const QStringList before = TreeSnapshot(m_home->path());
        {
            CHistoryReader reader(m_path);
            CHistoryWindow window(reader, "Ann", "Ann");
            QCOMPARE(window.TestsView()->model()->rowCount(), rows);
            const QString notice = window.Notice()->text();
            QVERIFY2(seen.isEmpty() ? !notice.contains(m_path)
                                    : notice.startsWith(QStringLiteral("The history database \"%1").arg(m_path))
                                          && notice.contains(seen),
                     qPrintable(notice));
            QCOMPARE(window.ExportButton()->isEnabled(), rows > 0);
        }
        QCOMPARE(TreeSnapshot(m_home->path()), before);

        CResultKeeper keeper;
        QString error;
        for (bool stop : {false, true}) {
            QCOMPARE(keeper.Keep(makeTest("Zed", false, stop), &error), said.isEmpty());
            QVERIFY2(said.isEmpty() ? error.isEmpty()
                                    : error.contains(kind == "folder" ? folder : m_path) && error.contains(said),
                     qPrintable(error));
        }
        if (!said.isEmpty()) {
            QCOMPARE(keeper.Held(), 2);
            QCOMPARE(TreeSnapshot(m_home->path()), before);
            QVERIFY(QFile::remove(planted) || QDir().rmdir(planted));
            QVERIFY2(keeper.Retry(&error), qPrintable(error));
        }
        QCOMPARE(keeper.Held(), 0);
        Peek peek(m_path);
        QCOMPARE(peek.rows("SELECT stopped FROM tests WHERE learner = 'Zed' ORDER BY id"), (QStringList{"0", "1"}));
        QCOMPARE(peek.rows("SELECT version FROM schema_info"), QStringList{"4"});
        QCOMPARE(peek.rows("SELECT name FROM sqlite_master WHERE type = 'index' ORDER BY name"),
                 (QStringList{"answers_by_test", "outbox_by_class", "tests_by_learner"}));
    }

    // Another writer's lock makes a save wait, then fail with the result kept;
    // nothing half-written is left, and the next save brings it in. The
    // window meanwhile reads what is committed and does not wait.
    void aLockedDatabaseKeepsTheResultWhole()
    {
        CResultKeeper keeper(m_path, 50);
        QString error;
        QVERIFY2(keeper.Keep(makeTest("Ann", false, false), &error), qPrintable(error));
        {
            Peek writer(m_path);
            QVERIFY(writer.exec("BEGIN EXCLUSIVE") && writer.exec("DELETE FROM tests"));
            QVERIFY(!keeper.Keep(makeTest("Ben", true, true), &error));
            QVERIFY2(error.contains("locked") && error.contains(m_path), qPrintable(error));
            QCOMPARE(keeper.Held(), 1);
            CHistoryReader reader(m_path);
            CHistoryWindow window(reader, "Ann", "Ann");
            QVERIFY2(window.Notice()->text().isEmpty(), qPrintable(window.Notice()->text()));
            QCOMPARE(window.TestsView()->model()->rowCount(), 1);
            QVERIFY(writer.exec("ROLLBACK"));
        }
        QVERIFY2(keeper.Keep(makeTest("Cy", false, false), &error), qPrintable(error));
        Peek peek(m_path);
        // The score as the form rounds it, single precision, not 100.0 / 3.
        const QString row = "|Animals.spl|/lists/Animals.spl|2026-03-01T09:30:05|3|1|33.33333206176758|";
        QCOMPARE(peek.rows("SELECT id, learner, list_name, list_path, taken_at, words, right_answers, score, stopped,"
                           " practice FROM tests ORDER BY id"),
                 (QStringList{"1|Ann" + row + "0|0", "2|Ben" + row + "1|1", "3|Cy" + row + "0|0"}));
        QCOMPARE(peek.rows("SELECT test_id, position, word, answer, right_answer FROM answers ORDER BY test_id, position"),
                 (QStringList{"1|1|cat|cat|1", "1|2|owl|oul|0", "2|1|cat|cat|1", "2|2|owl|oul|0", "3|1|cat|cat|1",
                              "3|2|owl|oul|0"}));
    }

    // Without the history module nothing is read and a result is held, not
    // lost, until the module is there again. A name the system refuses is said
    // in the system's words.
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
        CResultKeeper refused(QFileInfo(m_path).absolutePath() + "/" + QString(300, u'h'), 50);
        QVERIFY(!refused.Keep(makeTest("Ann", false, false), &error));
        QVERIFY2(error.endsWith("\" could not be opened (File name too long)."), qPrintable(error));
    }

    // Two Wordwell processes finishing tests at the same moments on a
    // history neither has made yet: both keep every result. Others, killed
    // while they write, leave the file intact and no result cut short.
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
        for (int round = 0; round < 8; ++round) {
            QProcess killed;
            killed.start(WW_HISTORY_SAVER, {path, "Killed", "0"});
            QTest::qWait(QRandomGenerator::global()->bounded(50, 150));
            killed.kill();
            QVERIFY(killed.waitForFinished(10000));
            QCOMPARE(killed.exitStatus(), QProcess::CrashExit);
        }
        Peek peek(path);
        QCOMPARE(peek.rows("PRAGMA integrity_check"), QStringList{"ok"});
        QCOMPARE(peek.rows("SELECT learner, COUNT(*) FROM tests WHERE learner <> 'Killed' GROUP BY learner"
                           " ORDER BY learner"),
                 (QStringList{"One|25", "Two|25"}));
        QCOMPARE(peek.rows("SELECT COUNT(*) FROM tests t WHERE words <> 20"
                           " OR (SELECT COUNT(*) FROM answers a WHERE a.test_id = t.id) <> 20"),
                 QStringList{"0"});
    }

    void theCsvIsByteExact()
    {
        const QList<StoredTest> tests{
            {QDateTime(QDate(2026, 3, 1), QTime(9, 30, 5)), "=SUM(A1:A3)", "/lists/=SUM(A1:A3)", 3, 1, false, false},
            {QDateTime(QDate(2026, 3, 2), QTime(18, 0)), QString::fromUtf8("V\xC3\xB6gel, \"wild\".spl"),
             QString::fromUtf8("/lists/two\nlines/V\xC3\xB6gel, \"wild\".spl"), 4, 4, true, true},
            {QDateTime(QDate(2026, 3, 3), QTime(7, 5, 9)), "-2 +1 @x", "", 0, 0, false, false},
        };
        const QByteArray expected =
            "\xEF\xBB\xBF"
            "Learner,Date and time,List,List path,Words,Right answers,Score (%),Finished or stopped,"
            "First try or practice\r\n"
            "\"Zo\xC3\xAB \"\"Z\"\"\",2026-03-01 09:30:05,'=SUM(A1:A3),/lists/=SUM(A1:A3),3,1,33.33,finished,"
            "first try\r\n"
            "\"Zo\xC3\xAB \"\"Z\"\"\",2026-03-02 18:00:00,\"V\xC3\xB6gel, \"\"wild\"\".spl\","
            "\"/lists/two\nlines/V\xC3\xB6gel, \"\"wild\"\".spl\",4,4,100.00,stopped,practice round\r\n"
            "\"Zo\xC3\xAB \"\"Z\"\"\",2026-03-03 07:05:09,'-2 +1 @x,,0,0,0.00,finished,first try\r\n";
        QCOMPARE(HistoryCsv(QString::fromUtf8("Zo\xC3\xAB \"Z\""), tests), expected);
        // The other signs a spreadsheet takes for a formula, and a carriage return.
        QStringList cells;
        for (const char* text : {"+1,2", "@SUM(A1)", "\tx", "\rx", "a=b"})
            cells << CsvTextCell(text);
        QCOMPARE(cells, (QStringList{"\"'+1,2\"", "'@SUM(A1)", "'\tx", "\"'\rx\"", "a=b"}));
    }

    // A learner with no tests yet is offered and said to have none; during a
    // test (no learner for a round) no round starts. The window by keys: the
    // learner chosen first, the table newest first, another learner by the
    // chooser, the most missed words and Alt+P.
    void theWindowWorksByKeys()
    {
        keepGroupedHistory(m_path);
        CHistoryReader reader(m_path);
        {
            CHistoryWindow cy(reader, "Cy", QString());
            QCOMPARE(cy.LearnerChooser()->count(), 3);
            QCOMPARE(cy.Notice()->text(), QString("No tests of Cy are kept yet."));
            QVERIFY(!cy.ExportButton()->isEnabled());
            cy.LearnerChooser()->setCurrentText("Ann");
            QVERIFY(cy.ExportButton()->isEnabled());
            QVERIFY(!cy.PractiseButton()->isEnabled());
        }
        CHistoryWindow window(reader, "Ann", "Ann");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.Notice()->isVisible());
        QCOMPARE(QApplication::focusWidget(), window.TestsView());
        QTableView* table = window.TestsView();
        QCOMPARE(RowTexts(table->model()),
                 (QStringList{"2026-03-22 09:30|Animals.spl|4|3|75.00 %|finished|first try",
                              "2026-03-15 09:30|Animals.spl|5|1|20.00 %|stopped|first try",
                              "2026-03-08 10:30|Animals.spl|2|1|50.00 %|finished|practice round",
                              "2026-03-08 09:30|Animals.spl|4|2|50.00 %|finished|first try",
                              "2026-03-01 09:30|Animals.spl|4|2|50.00 %|finished|first try"}));
        // The practice round and the stopped test are not first tries that finished.
        QCOMPARE(QAccessible::queryAccessibleInterface(window.findChild<CScoreChart*>())->text(QAccessible::Description),
                 QString("3 finished first tries from 1 March 2026 to 22 March 2026. First score 50 %, last 75 %, "
                         "lowest 50 %, highest 75 %, average 58 %. Each: 1 March 2026, 50 %; 8 March 2026, 50 %; "
                         "22 March 2026, 75 %."));

        QTest::keyClick(&window, Qt::Key_L, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), window.LearnerChooser());
        QTest::keyClick(window.LearnerChooser(), Qt::Key_Down);
        QCOMPARE(window.LearnerChooser()->currentText(), QString("Ben"));
        QCOMPARE(table->model()->rowCount(), 1);
        QCOMPARE(RowTexts(window.MissedWords()->model()), (QStringList{"owl|1|1", "yak|1|1", "zebra|1|1"}));
        // A screen reader reads the words as the list is reached, and a row's figures by what they count.
        QAccessibleInterface* missed = QAccessible::queryAccessibleInterface(window.MissedWords());
        QCOMPARE(missed->text(QAccessible::Description),
                 QString("owl: missed 1, asked 1; yak: missed 1, asked 1; zebra: missed 1, asked 1."));
        QCOMPARE(missed->tableInterface()->cellAt(1, 2)->text(QAccessible::Name), QString("asked 1"));
        // Ben's words are not for a round recorded as Ann's; his tests are what is exported.
        QVERIFY(!window.PractiseButton()->isEnabled());
        const QString file = m_home->path() + "/Ben.csv";
        QVERIFY(window.ExportTo(file));
        QCOMPARE(ReadFileForTest(file).split('\n').mid(1),
                 (QList<QByteArray>{"Ben,2026-03-02 09:30:05,Animals.spl,/lists/Animals.spl,3,0,0.00,finished,first try\r", ""}));
        MessageBoxRecorder boxes;
        const QString blocked = file + "/inside.csv";
        QVERIFY(!window.ExportTo(blocked));
        QCOMPARE(boxes.texts(), QStringList{"The history could not be saved to \"" + blocked + "\": Not a directory."});
        QTest::keyClick(window.LearnerChooser(), Qt::Key_Up);

        QTest::keyClick(&window, Qt::Key_M, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), window.MissedWords());
        QCOMPARE(RowTexts(window.MissedWords()->model()),
                 (QStringList{"owl|3|5", "bee|1|1", "house|1|2", "cat|1|4", "tree|1|4"}));
        QVERIFY(window.PractiseButton()->isEnabled());
        QTest::keyClick(&window, Qt::Key_P, Qt::AltModifier);
        // A mnemonic clicks the button a moment later, as a mouse press would.
        QTRY_COMPARE(window.result(), int(CHistoryWindow::kPractise));
        QCOMPARE(window.WordsToPractise(), (QStringList{"owl", "bee", "house", "cat", "tree"}));
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
    QString m_path;
};

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
