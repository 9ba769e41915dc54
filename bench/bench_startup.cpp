// Process start to the main window shown, and resident memory at idle:
// Wordwell with the sample list open beside a bare Qt main window with a
// menu, a toolbar and a status bar, measured in pairs in one run. The run
// fails when Wordwell's start-up takes more than kTimeRatioLimit times the
// bare window's, as the median of the pairs: the machine's other work slows
// single starts at random, and a pair meets the same load.
//
// A start is quicker right after a program that used the same library code
// (Wordwell's start uses all the bare window's and more), so the pairs take
// turns at going first: in a fixed order the bare window would always follow
// Wordwell and Wordwell never follow itself.
#include "benchsupport.h"
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <ctime>
#include <vector>

namespace {

constexpr double kTimeRatioLimit = 1.25;

long long monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

struct Run {
    double seconds = 0;
    double rssKilobytes = 0;
};

// Starts the probe and reads when it showed its window and its memory at idle.
bool runProbe(const QString& program, const QStringList& arguments, const QProcessEnvironment& env, Run* run)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    const long long started = monotonicNanoseconds();
    process.start(program, arguments);
    if (!process.waitForFinished(30000))
        return false;
    const QList<QByteArray> lines = process.readAllStandardOutput().split('\n');
    long long shown = 0;
    for (const QByteArray& line : lines) {
        if (line.startsWith("shown "))
            shown = line.mid(6).toLongLong();
        else if (line.startsWith("rss "))
            run->rssKilobytes = line.mid(4).toDouble();
    }
    if (shown == 0)
        return false;
    run->seconds = static_cast<double>(shown - started) / 1e9;
    return true;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// A private home whose words path points at the sample clips.
QProcessEnvironment benchEnvironment(const QTemporaryDir& home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.path() + "/.config");
    env.insert("XDG_DATA_HOME", home.path() + "/.local/share");
    env.insert("XDG_CACHE_HOME", home.path() + "/.cache");
    if (!env.contains("QT_QPA_PLATFORM"))
        env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
}

void seedSettings(const QProcessEnvironment& env)
{
    QProcess seed;
    seed.setProcessEnvironment(env);
    seed.start(QStringLiteral(WW_SAMPLE_SETTINGS), {QStringLiteral(WW_SOURCE_DIR "/samples")});
    seed.waitForFinished();
}

void BM_StartupSideBySide(benchmark::State& state)
{
    QTemporaryDir home;
    const QProcessEnvironment env = benchEnvironment(home);
    seedSettings(env);
    const QStringList sample{QStringLiteral(WW_SOURCE_DIR "/samples/Sample.spl")};
    double bareSeconds = 0;
    double wordwellSeconds = 0;
    double bareRss = 0;
    double wordwellRss = 0;
    std::vector<double> ratios;
    bool bareFirst = true;
    for (auto _ : state) {
        Run bare;
        Run wordwell;
        const auto runBare = [&] { return runProbe(QStringLiteral(WW_STARTUP_BARE), {}, env, &bare); };
        const auto runWordwell = [&] {
            return runProbe(QStringLiteral(WW_STARTUP_WORDWELL), sample, env, &wordwell);
        };
        const bool ran = bareFirst ? runBare() && runWordwell() : runWordwell() && runBare();
        bareFirst = !bareFirst;
        if (!ran) {
            state.SkipWithError("a probe did not show its window");
            return;
        }
        state.SetIterationTime(wordwell.seconds);
        ratios.push_back(wordwell.seconds / bare.seconds);
        bareSeconds += bare.seconds;
        wordwellSeconds += wordwell.seconds;
        bareRss += bare.rssKilobytes;
        wordwellRss += wordwell.rssKilobytes;
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["bare_ms"] = bareSeconds / n * 1000.0;
    state.counters["wordwell_ms"] = wordwellSeconds / n * 1000.0;
    state.counters["time_ratio"] = wordwellSeconds / bareSeconds;
    const double medianRatio = median(ratios);
    state.counters["time_ratio_median"] = medianRatio;
    state.counters["bare_rss_kB"] = bareRss / n;
    state.counters["wordwell_rss_kB"] = wordwellRss / n;
    state.counters["rss_ratio"] = wordwellRss / bareRss;
    if (medianRatio > kTimeRatioLimit) {
        const QString message =
            QStringLiteral("Wordwell took %1 times as long as a bare Qt window to show (the limit is %2)")
                .arg(medianRatio, 0, 'f', 2)
                .arg(kTimeRatioLimit, 0, 'f', 2);
        state.SkipWithError(qPrintable(message));
    }
}

}  // namespace

// Each iteration starts both programs, one right after the other, so both meet the same machine load.
BENCHMARK(BM_StartupSideBySide)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(40);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return RunBenchmarks(argc, argv);
}
