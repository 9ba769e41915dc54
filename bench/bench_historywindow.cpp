// Opening the History window over a history of 10,000 tests of 20 words, all
// the shown learner's: the module's queries, the table, the chart and the
// most missed words, up to the first paint. The first opening in a process
// also loads the history module and Qt SQL. The module is taken from
// $WORDWELL_MODULE_DIR, which scripts/bench sets.
#include "benchsupport.h"
#include "practice/history/historyreader.h"
#include "practice/history/historytable.h"
#include "practice/history/historywindow.h"
#include "practice/history/resultkeeper.h"

#include <QApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kTests = 10000;
constexpr int kWords = 20;

// The schema made by the keeper; the rest added in one transaction, which
// the keeper's one-per-result would take minutes over.
QString makeHistory(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("History.sqlite"));
    {
        CResultKeeper keeper(path);
        practice::review::CTestRecord first;
        first.Start(QStringLiteral("Ann"), QStringLiteral("/lists/Week 0.spl"), 1, false);
        first.Finish();
        QString error;
        if (!keeper.Keep(first, &error))
            qFatal("%s", qPrintable(error));
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        db.setDatabaseName(path);
        if (!db.open() || !db.transaction())
            qFatal("%s", qPrintable(db.lastError().text()));
        QSqlQuery test(db);
        test.prepare(QStringLiteral("INSERT INTO tests (id, learner, list_name, list_path, taken_at, words,"
                                    " right_answers, score, stopped, practice) VALUES (?, 'Ann', ?, ?, ?, ?, ?, ?, ?, ?)"));
        QSqlQuery answer(db);
        answer.prepare(QStringLiteral("INSERT INTO answers VALUES (?, ?, ?, ?, ?)"));
        const QDateTime start(QDate(2020, 1, 1), QTime(9, 0));
        for (int n = 2; n <= kTests; ++n) {
            int right = 0;
            for (int w = 0; w < kWords; ++w) {
                const bool ok = (w + n) % 3 != 0;
                right += ok ? 1 : 0;
                answer.addBindValue(n);
                answer.addBindValue(w + 1);
                answer.addBindValue(QStringLiteral("word%1").arg((w * 7 + n) % 300));
                answer.addBindValue(ok ? QStringLiteral("word") : QStringLiteral("wrod"));
                answer.addBindValue(ok ? 1 : 0);
                if (!answer.exec())
                    qFatal("%s", qPrintable(answer.lastError().text()));
            }
            for (const QVariant& v : {QVariant(n), QVariant(QStringLiteral("Week %1.spl").arg(n % 40)),
                                      QVariant(QStringLiteral("/lists/Week %1.spl").arg(n % 40)),
                                      QVariant(start.addSecs(3600LL * 7 * n).toString(Qt::ISODate)), QVariant(kWords),
                                      QVariant(right), QVariant(100.0 * right / kWords), QVariant(n % 9 == 0 ? 1 : 0),
                                      QVariant(n % 4 == 0 ? 1 : 0)})
                test.addBindValue(v);
            if (!test.exec())
                qFatal("%s", qPrintable(test.lastError().text()));
        }
        if (!db.commit())
            qFatal("%s", qPrintable(db.lastError().text()));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    return path;
}

QString s_path;

void openWindow()
{
    CHistoryReader reader(s_path);
    CHistoryWindow window(reader, QStringLiteral("Ann"), QStringLiteral("Ann"));
    window.show();
    window.repaint();
    if (window.TestsView()->model()->rowCount() != kTests)
        qFatal("the window shows %d tests", window.TestsView()->model()->rowCount());
}

void BM_OpenHistoryFirstTime(benchmark::State& state)
{
    for (auto _ : state)
        openWindow();
}
// First: the module is loaded once per process.
BENCHMARK(BM_OpenHistoryFirstTime)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_OpenHistory(benchmark::State& state)
{
    for (auto _ : state)
        openWindow();
}
BENCHMARK(BM_OpenHistory)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    s_path = makeHistory(dir);
    return RunBenchmarks(argc, argv);
}
