// Saving one result of a 20-word test into the history database, empty and
// holding 10,000 results, through the keeper and the history module: one
// transaction, written to disk (SQLite's default synchronous writes). The
// module is taken from $WORDWELL_MODULE_DIR, which scripts/bench sets.
#include "benchsupport.h"
#include "practice/history/resultkeeper.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

practice::review::CTestRecord makeTest(int n)
{
    practice::review::CTestRecord test;
    test.Start(QStringLiteral("Learner %1").arg(n % 3), QStringLiteral("/lists/Week %1.spl").arg(n % 40), 20, n % 4 == 0);
    for (int w = 0; w < 20; ++w)
        test.Answer(QStringLiteral("word%1").arg(w), QStringLiteral("wrod%1").arg(w), (w + n) % 3 != 0);
    test.Finish();
    return test;
}

void BM_SaveResult(benchmark::State& state)
{
    QTemporaryDir dir;
    CResultKeeper keeper(dir.filePath(QStringLiteral("History.sqlite")));
    QString error;
    for (int i = 0; i < state.range(0); ++i) {
        if (!keeper.Keep(makeTest(i), &error))
            qFatal("%s", qPrintable(error));
    }
    int n = 0;
    const practice::review::CTestRecord test = makeTest(n);
    for (auto _ : state) {
        if (!keeper.Keep(test, &error))
            state.SkipWithError(qPrintable(error));
        ++n;
    }
}
BENCHMARK(BM_SaveResult)->Arg(1)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return RunBenchmarks(argc, argv);
}
