#include "historydb.h"

#include "practice/history/historycsv.h"
#include "practice/history/historyreader.h"
#include "practice/history/historytable.h"
#include "practice/history/historywindow.h"
#include "practice/history/resultkeeper.h"
#include "practice/history/scorechart.h"
#include "testsupport/filetree.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using namespace practice::history;
using practice::review::CTestRecord;

namespace {

struct Asked {
    const char* word;
    const char* answer;
};

CTestRecord test(const QString& learner, const QDateTime& when, int words, const QList<Asked>& asked,
                 bool practice = false, bool stop = false)
{
    CTestRecord r;
    r.Start(learner, QStringLiteral("/lists/Animals.spl"), words, practice, when);
    for (const Asked& a : asked)
        r.Answer(QString::fromUtf8(a.word), QString::fromUtf8(a.answer), qstrcmp(a.word, a.answer) == 0);
    stop ? r.Stop() : r.Finish();
    return r;
}

QDateTime at(int day, int hour = 9)
{
    return QDateTime(QDate(2026, 3, day), QTime(hour, 30));
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
    for (const CTestRecord& t : tests) {
        if (!keeper.Keep(t, &error))
            qFatal("%s", qPrintable(error));
    }
}

void makeNewerDatabase(const QString& path)
{
    Peek db(path);
    QVERIFY(db.exec("UPDATE schema_info SET version = 7"));
    QVERIFY(db.exec("ALTER TABLE tests ADD COLUMN mood TEXT"));
}

QStringList missedTexts(const QList<MissedWord>& words)
{
    QStringList out;
    for (const MissedWord& w : words)
        out << QStringLiteral("%1 %2/%3").arg(w.word).arg(w.missed).arg(w.asked);
    return out;
}

QStringList treeTexts(const QTreeWidget* tree)
{
    QStringList out;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        out << tree->topLevelItem(i)->text(0) + u' ' + tree->topLevelItem(i)->text(1) + u'/'
                   + tree->topLevelItem(i)->text(2);
    return out;
}

QStringList tableRow(const QTableView* view, int row)
{
    QStringList out;
    for (int c = 0; c < view->model()->columnCount(); ++c)
        out << view->model()->index(row, c).data().toString();
    return out;
}

}  // namespace

class TestHistory : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_home = std::make_unique<IsolatedHome>();
        m_path = m_home->path() + "/History.sqlite";
    }
    void cleanup() { m_home.reset(); }

    void aTextCellIsGuardedAndQuoted_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("cell");
        // Commas, quotes, line feeds, = and - first are in the whole file's bytes below.
        QTest::newRow("empty") << "" << "";
        QTest::newRow("plus and comma") << "+1,2" << "\"'+1,2\"";
        QTest::newRow("at") << "@SUM(A1)" << "'@SUM(A1)";
        QTest::newRow("tab first") << "\tx" << "'\tx";
        QTest::newRow("carriage return first") << "\rx" << "\"'\rx\"";
        QTest::newRow("formula sign later") << "a=b" << "a=b";
    }

    void aTextCellIsGuardedAndQuoted()
    {
        QFETCH(QString, text);
        QFETCH(QString, cell);
        QCOMPARE(CsvTextCell(text), cell);
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

        const QString file = m_home->path() + "/out.csv";
        QString error;
        QVERIFY2(SaveCsv(file, expected, &error), qPrintable(error));
        QCOMPARE(ReadFileForTest(file), expected);
        const QString nowhere = m_home->path() + "/no folder/out.csv";
        QVERIFY(!SaveCsv(nowhere, expected, &error));
        QVERIFY2(error.startsWith(QStringLiteral("The history could not be saved to \"%1\": ").arg(nowhere))
                     && error.contains("No such file or directory"),
                 qPrintable(error));
    }

    void theMostMissedWordsAreRankedPerLearner()
    {
        keepGroupedHistory(m_path);
        CHistoryReader reader(m_path);
        QString error, notice;
        QVERIFY2(reader.Open(&error, &notice), qPrintable(error));
        QCOMPARE(notice, QString());
        QStringList learners;
        QVERIFY(reader.Learners(&learners, &error));
        QCOMPARE(learners, (QStringList{"Ann", "Ben"}));
        QList<MissedWord> words;
        QVERIFY2(reader.MostMissed("Ann", 10, &words, &error), qPrintable(error));
        QCOMPARE(missedTexts(words), (QStringList{"owl 3/5", "bee 1/1", "house 1/2", "cat 1/4", "tree 1/4"}));
        QVERIFY(reader.MostMissed("Ann", 2, &words, &error));
        QCOMPARE(missedTexts(words), (QStringList{"owl 3/5", "bee 1/1"}));
        QVERIFY(reader.MostMissed("Nobody", 10, &words, &error));
        QVERIFY(words.isEmpty());
    }

    void theChartDescribesTheFirstTriesInWords()
    {
        keepGroupedHistory(m_path);
        CHistoryReader reader(m_path);
        QString error, notice;
        QVERIFY(reader.Open(&error, &notice));
        QList<StoredTest> tests;
        QVERIFY(reader.Tests("Ann", &tests, &error));
        CScoreChart chart;
        chart.SetTests(tests);
        // The practice round and the stopped test are not first tries that finished.
        QCOMPARE(QAccessible::queryAccessibleInterface(&chart)->text(QAccessible::Description),
                 QString("3 finished first tries from 1 March 2026 to 22 March 2026. First score 50 %, last 75 %, "
                         "lowest 50 %, highest 75 %, average 58 %. Each: 1 March 2026, 50 %; 8 March 2026, 50 %; "
                         "22 March 2026, 75 %."));
        QCOMPARE(CScoreChart::Describe({}), QString("No finished first tries yet."));
        QCOMPARE(CScoreChart::Describe(tests.mid(0, 1)), QString("One finished first try, on 1 March 2026: 50 %."));
        QList<StoredTest> many;
        for (int i = 1; i <= 7; ++i)
            many.append({at(i), "a.spl", "/a.spl", 10, i, false, false});
        QVERIFY(CScoreChart::Describe(many).endsWith(
            "The latest 5: 3 March 2026, 30 %; 4 March 2026, 40 %; 5 March 2026, 50 %; 6 March 2026, 60 %; "
            "7 March 2026, 70 %."));
    }

    // The window by keys: the learner chosen first, the table newest first,
    // another learner by the chooser, the most missed words and Alt+P.
    void theWindowWorksByKeys()
    {
        keepGroupedHistory(m_path);
        CHistoryReader reader(m_path);
        CHistoryWindow window(reader, "Ann", "Ann");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.Notice()->isVisible());
        QCOMPARE(window.LearnerChooser()->currentText(), QString("Ann"));
        QCOMPARE(QApplication::focusWidget(), window.TestsView());
        QTableView* table = window.TestsView();
        QCOMPARE(table->model()->rowCount(), 5);
        QCOMPARE(tableRow(table, 0), (QStringList{"2026-03-22 09:30", "Animals.spl", "4", "3", "75.00 %", "finished",
                                                  "first try"}));
        QCOMPARE(tableRow(table, 1), (QStringList{"2026-03-15 09:30", "Animals.spl", "5", "1", "20.00 %", "stopped",
                                                  "first try"}));
        QCOMPARE(tableRow(table, 2)[6], QString("practice round"));

        QTest::keyClick(&window, Qt::Key_L, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), window.LearnerChooser());
        QTest::keyClick(window.LearnerChooser(), Qt::Key_Down);
        QCOMPARE(window.LearnerChooser()->currentText(), QString("Ben"));
        QCOMPARE(table->model()->rowCount(), 1);
        QCOMPARE(treeTexts(window.MissedWords()), (QStringList{"owl 1/1", "yak 1/1", "zebra 1/1"}));
        // A screen reader reads the words as the list is reached, and a row's figures by what they count.
        QAccessibleInterface* missed = QAccessible::queryAccessibleInterface(window.MissedWords());
        QCOMPARE(missed->text(QAccessible::Description),
                 QString("owl: missed 1, asked 1; yak: missed 1, asked 1; zebra: missed 1, asked 1."));
        QCOMPARE(missed->tableInterface()->cellAt(1, 2)->text(QAccessible::Name), QString("asked 1"));
        // Ben's words are not for a round recorded as Ann's.
        QVERIFY(!window.PractiseButton()->isEnabled());
        QTest::keyClick(window.LearnerChooser(), Qt::Key_Up);
        QCOMPARE(table->model()->rowCount(), 5);

        QTest::keyClick(&window, Qt::Key_M, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), window.MissedWords());
        QCOMPARE(treeTexts(window.MissedWords()).first(), QString("owl 3/5"));
        QVERIFY(window.PractiseButton()->isEnabled());
        QTest::keyClick(&window, Qt::Key_P, Qt::AltModifier);
        // A mnemonic clicks the button a moment later, as a mouse press would.
        QTRY_COMPARE(window.result(), int(CHistoryWindow::kPractise));
        QCOMPARE(window.WordsToPractise(), (QStringList{"owl", "bee", "house", "cat", "tree"}));
    }

    // A learner with no tests yet is offered and said to have none; the
    // chosen learner's tests are exported; during a test no round starts.
    void theWindowExportsTheChosenLearnerAndEscapeCloses()
    {
        keepGroupedHistory(m_path);
        CHistoryReader reader(m_path);
        CHistoryWindow window(reader, "Cy", QString());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.LearnerChooser()->count(), 3);
        QCOMPARE(window.Notice()->text(), QString("No tests of Cy are kept yet."));
        QVERIFY(!window.ExportButton()->isEnabled());
        window.LearnerChooser()->setCurrentText("Ben");
        QVERIFY(!window.PractiseButton()->isEnabled());
        QVERIFY(window.ExportButton()->isEnabled());
        const QString file = m_home->path() + "/Ben.csv";
        QVERIFY(window.ExportTo(file));
        const QList<QByteArray> lines = ReadFileForTest(file).split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY2(lines[1].startsWith("Ben,2026-03-02 09:30:00,"), lines[1].constData());
        MessageBoxRecorder boxes;
        const QString blocked = file + "/inside.csv";
        QVERIFY(!window.ExportTo(blocked));
        QCOMPARE(boxes.texts().size(), 1);
        QVERIFY2(boxes.texts().first().contains(blocked) && boxes.texts().first().contains("Not a directory"),
                 qPrintable(boxes.texts().first()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!window.isVisible());
        QCOMPARE(window.result(), int(QDialog::Rejected));
    }

    // Looking makes and changes nothing: not a history not made yet, not
    // through a link, not an empty file, not an older history (migrated when
    // a result is saved). What cannot be read is said, naming the file.
    void lookingChangesNothingAndSaysWhatItCannotRead_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("said");  // empty: the file is not named
        const QString link = "could not be opened (it is a symbolic link, not a file).";
        QTest::newRow("not made yet") << "none" << 0 << "";
        QTest::newRow("a link to an empty file") << "link" << 0 << link;
        QTest::newRow("a dangling link") << "dangling" << 0 << link;
        QTest::newRow("an empty file") << "empty" << 0 << "";
        QTest::newRow("damaged") << "damaged" << 0 << "(file is not a database)";
        QTest::newRow("a folder in its place") << "folder" << 0 << "could not be opened";
        QTest::newRow("an older history") << "older" << 5 << "";
        QTest::newRow("a newer history") << "newer" << 5 << "was written by a newer version of Wordwell";
    }

    void lookingChangesNothingAndSaysWhatItCannotRead()
    {
        QFETCH(QString, kind);
        QFETCH(int, rows);
        QFETCH(QString, said);
        const QString elsewhere = m_home->path() + "/elsewhere/History.sqlite";
        if (kind == "link")
            WriteFileForTest(elsewhere, {});
        if (kind == "link" || kind == "dangling")
            QVERIFY(QFile::link(elsewhere, m_path));
        else if (kind == "empty")
            WriteFileForTest(m_path, {});
        else if (kind == "damaged")
            WriteFileForTest(m_path, QByteArray(4096, '\x5a'));
        else if (kind == "folder")
            QVERIFY(QDir().mkpath(m_path));
        if (kind == "older" || kind == "newer") {
            keepGroupedHistory(m_path);
            if (kind == "older")
                QVERIFY(Peek(m_path).makeVersion(1));
            else
                makeNewerDatabase(m_path);
        }
        const QStringList before = TreeSnapshot(m_home->path());
        {
            CHistoryReader reader(m_path);
            CHistoryWindow window(reader, "Ann", "Ann");
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QCOMPARE(window.TestsView()->model()->rowCount(), rows);
            const QString notice = window.Notice()->text();
            if (said.isEmpty())
                QVERIFY2(!notice.contains(m_path), qPrintable(notice));
            else
                QVERIFY2(notice.startsWith(QStringLiteral("The history database \"%1\" ").arg(m_path))
                             && notice.contains(said),
                         qPrintable(notice));
            QCOMPARE(window.ExportButton()->isEnabled(), rows > 0);
        }
        QCOMPARE(TreeSnapshot(m_home->path()), before);
    }

    // Another Wordwell in the middle of saving holds the write lock: the
    // window reads what is committed and does not wait for it.
    void aHistoryBeingWrittenIsReadAsCommitted()
    {
        keepGroupedHistory(m_path);
        Peek writer(m_path);
        QVERIFY(writer.exec("BEGIN EXCLUSIVE"));
        QVERIFY(writer.exec("INSERT INTO tests (learner, list_name, list_path, taken_at, words, right_answers, score,"
                            " stopped, practice) VALUES ('Ann', 'half.spl', '/half.spl', '2026-04-01T09:00:00', 1, 1,"
                            " 100, 0, 0)"));
        CHistoryReader reader(m_path);
        CHistoryWindow window(reader, "Ann", "Ann");
        QVERIFY2(!window.Notice()->isVisible() && window.Notice()->text().isEmpty(), qPrintable(window.Notice()->text()));
        QCOMPARE(window.TestsView()->model()->rowCount(), 5);
        QVERIFY(writer.exec("ROLLBACK"));
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
    QString m_path;
};

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
