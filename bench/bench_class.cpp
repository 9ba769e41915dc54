// A class on a PostgreSQL server: sending the 1,000 results that waited
// through an outage, and the teacher's class view over 100,000 results of 30
// learners. scripts/bench starts a private cluster and leaves libpq's PG*
// variables pointing at it as its administrator.
#include "benchsupport.h"
#include "practice/classroom/classpassword.h"
#include "practice/classroom/classresults.h"
#include "practice/classroom/classresultspage.h"
#include "practice/classroom/classsender.h"
#include "practice/history/resultkeeper.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

using namespace practice::history;

namespace {

QString admin(const QStringList& args, const QString& program = QStringLiteral(WW_SOURCE_DIR "/scripts/class-server"))
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(600000) || process.exitCode() != 0)
        qFatal("%s failed: %s", qPrintable(args.join(' ')), process.readAllStandardError().constData());
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct Member {
    ClassConnection where;
    QString password;
};

Member addMember(const QString& cls, const QString& role, bool teacher)
{
    const QString said = admin({teacher ? QStringLiteral("add-teacher") : QStringLiteral("add-learner"), cls, role, role});
    return {{QString(), qEnvironmentVariable("PGHOST"), qEnvironmentVariable("PGPORT").toInt(), cls, role},
            QRegularExpression(QStringLiteral("password=(\\S+)")).match(said).captured(1)};
}

QString newClass()
{
    static int next = 0;
    const QString cls = QStringLiteral("bench%1_%2").arg(QCoreApplication::applicationPid()).arg(++next);
    admin({QStringLiteral("create"), cls});
    return cls;
}

void BM_SendAfterOutage(benchmark::State& state)
{
    const QString cls = newClass();
    const Member learner = addMember(cls, cls + QStringLiteral("_l"), false);
    QTemporaryDir dir;
    const QString history = dir.filePath(QStringLiteral("History.sqlite"));
    {
        CResultKeeper keeper(history);
        keeper.SetClass(learner.where.Key());
        QString error;
        for (int n = 0; n < state.range(0); ++n) {
            practice::review::CTestRecord test;
            test.Start(QStringLiteral("Learner"), QStringLiteral("/lists/Week %1.spl").arg(n % 40), 10, false);
            for (int w = 0; w < 10; ++w)
                test.Answer(QStringLiteral("word%1").arg(w), QStringLiteral("wrod%1").arg(w), (w + n) % 3 != 0);
            test.Finish();
            if (!keeper.Keep(test, &error))
                qFatal("%s", qPrintable(error));
        }
    }
    QSqlDatabase local = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("outbox"));
    local.setDatabaseName(history);
    local.open();
    for (auto _ : state) {
        state.PauseTiming();
        // The same results waiting again, under new ids, as after an outage.
        QSqlQuery(QStringLiteral("UPDATE tests SET uid = lower(hex(randomblob(16)))"), local);
        QSqlQuery(QStringLiteral("INSERT OR IGNORE INTO outbox (test_id, class) SELECT id, '%1' FROM tests")
                      .arg(learner.where.Key()),
                  local);
        practice::classroom::CClassSender sender(history, learner.where);
        sender.SetPassword(learner.password);
        QEventLoop loop;
        int left = -1;
        QObject::connect(&sender, &practice::classroom::CClassSender::Waiting, &loop, [&](int count) {
            left = count;
            loop.quit();
        });
        state.ResumeTiming();
        sender.SendNow();
        loop.exec();
        if (left != 0)
            state.SkipWithError("results were left waiting");
    }
    state.counters["results"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_SendAfterOutage)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The teacher's view, from asking for it to its first paint with the rows:
// connected, the class's results read and grouped, the table drawn. The
// most missed words, read from every answer, come after.
void BM_ClassView(benchmark::State& state)
{
    const QString cls = newClass();
    const Member teacher = addMember(cls, cls + QStringLiteral("_t"), true);
    admin({QStringLiteral("-XqA"), QStringLiteral("-d"), cls, QStringLiteral("-c"),
           QStringLiteral("INSERT INTO members (role, name) SELECT 'l' || n, 'Learner ' || n FROM generate_series(1, 30) n;"
                          "INSERT INTO results SELECT gen_random_uuid(), 'l' || (1 + i % 30), 'Week ' || (i % 40),"
                          " now() - i * interval '1 minute', 10, i % 11, false, i % 7 = 0"
                          " FROM generate_series(1, %1) i;"
                          "INSERT INTO answers SELECT r.uid, w, r.learner, 'word' || (w * 7 + length(r.list_name)),"
                          " 'x', w % 3 <> 0 FROM results r, generate_series(1, 10) w; ANALYZE;")
               .arg(state.range(0))},
          QStringLiteral("psql"));
    practice::classroom::KeepRunPassword(teacher.password);
    for (auto _ : state) {
        CClassResultsPage page(teacher.where, 10, false);
        page.resize(800, 600);
        page.show();
        page.Load();
        QEventLoop loop;
        QObject::connect(page.Results(), &QAbstractItemModel::modelReset, &loop, &QEventLoop::quit);
        loop.exec();
        page.grab();
        state.counters["rows"] = page.Results()->rowCount();
        // Untimed: the missed words' read, which would otherwise go on into
        // the next view's time (and past the program's end).
        state.PauseTiming();
        const QDeadlineTimer deadline(120000);
        QEventLoop settle;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &settle, [&] {
            if (page.MissedWords()->topLevelItemCount() > 0 || deadline.hasExpired())
                settle.quit();
        });
        poll.start(20);
        settle.exec();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ClassView)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    PrivateHome home;
    QApplication app(argc, argv);
    return RunBenchmarks(argc, argv);
}
