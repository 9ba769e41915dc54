// How quickly a word's clip starts: Open of a clip file, Play up to the
// moment the first samples are handed to the sound output device, and Record
// up to the first samples captured. Needs a sound server (scripts/bench
// starts one).
#include "benchsupport.h"
#include "platform/audio/wavefile.h"
#include "practice/sound/soundclipplayer.h"
#include "practice/sound/soundclipwindow.h"

#include <QApplication>
#include <QAudioDevice>
#include <QDir>
#include <QElapsedTimer>
#include <QFrame>
#include <QMediaDevices>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>

using practice::sound::CSoundClipPlayer;

namespace {

// Two seconds of a tone, the length of a spoken word with room to spare.
QString makeClip(const QTemporaryDir& dir)
{
    platform::audio::WaveData tone = platform::audio::EmptyRecording();
    const int frames = 2 * tone.sampleRate;
    tone.samples.resize(frames * 2);
    auto* samples = reinterpret_cast<qint16*>(tone.samples.data());
    for (int i = 0; i < frames; ++i)
        samples[i] = static_cast<qint16>(8000.0 * std::sin(2.0 * M_PI * 440.0 * i / tone.sampleRate));
    const QString path = dir.path() + QStringLiteral("/words/cat.wav");
    QString reason;
    if (!QDir().mkpath(dir.path() + QStringLiteral("/words")) || !platform::audio::WriteWaveFile(path, tone, &reason))
        qFatal("cannot write the clip: %s", qPrintable(reason));
    return path;
}

struct Fixture {
    QTemporaryDir dir;
    QFrame frame;
    CSoundClipPlayer player;
    QString clip = makeClip(dir);

    Fixture() { player.Create(&frame, CSoundClipPlayer::kViewStyle); }
};

void BM_OpenClip(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state) {
        if (f.player.Open(f.clip) != 0) {
            state.SkipWithError("the clip did not open");
            break;
        }
    }
}
BENCHMARK(BM_OpenClip)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_PlayToFirstAudio(benchmark::State& state)
{
    if (QMediaDevices::defaultAudioOutput().isNull()) {
        state.SkipWithError("no sound output device: run through scripts/bench, which starts a sound server");
        return;
    }
    Fixture f;
    bool started = false;
    QObject::connect(f.player.Window()->device(), &platform::audio::WaveAudioDevice::playbackStarted,
                     [&started] { started = true; });
    for (auto _ : state) {
        if (f.player.Open(f.clip) != 0) {
            state.SkipWithError("the clip did not open");
            break;
        }
        started = false;
        QElapsedTimer clock;
        clock.start();
        f.player.Play();
        while (!started && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        f.player.Stop();
        if (!started) {
            state.SkipWithError("no audio reached the device within 5 s");
            break;
        }
    }
}
BENCHMARK(BM_PlayToFirstAudio)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// Includes asking the sound server for its default source, as every Record does.
void BM_RecordToFirstSamples(benchmark::State& state)
{
    if (QMediaDevices::defaultAudioInput().isNull()) {
        state.SkipWithError("no recording device: run through scripts/bench, which starts a sound server");
        return;
    }
    Fixture f;
    platform::audio::WaveAudioDevice* device = f.player.Window()->device();
    for (auto _ : state) {
        device->New();
        QElapsedTimer clock;
        clock.start();
        device->Record();
        while (device->length() == 0 && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        const bool captured = device->length() > 0;
        device->Stop();
        if (!captured) {
            state.SkipWithError("nothing was captured within 5 s");
            break;
        }
    }
}
BENCHMARK(BM_RecordToFirstSamples)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    return RunBenchmarks(argc, argv);
}
