// The computer voice: clips made for a whole list, and Speak up to the moment
// the first samples reach the sound output device. Needs espeak-ng and, for
// the second, a sound server (scripts/bench starts one).
#include "benchsupport.h"
#include "practice/sound/soundclipplayer.h"
#include "practice/sound/soundclipwindow.h"
#include "practice/voice/clipmaker.h"
#include "practice/voice/speech.h"

#include <QApplication>
#include <QAudioDevice>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFrame>
#include <QMediaDevices>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A hundred words of 4 to 9 letters, as a spelling list holds.
QStringList hundredWords()
{
    static const char* const stems[] = {"garden", "river", "pencil", "window", "basket",
                                        "planet", "rabbit", "silver", "thunder", "winter"};
    static const char* const endings[] = {"", "s", "ing", "ed", "er", "y", "ful", "less", "ly", "ness"};
    QStringList words;
    for (const char* stem : stems)
        for (const char* ending : endings)
            words << QString::fromLatin1(stem) + QString::fromLatin1(ending);
    return words;
}

void BM_MakeClips100Words(benchmark::State& state)
{
    const QStringList words = hundredWords();
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        QDir().mkpath(dir.path() + QStringLiteral("/words"));
        practice::voice::CClipMaker maker(words, dir.path(), QStringLiteral("en"));
        bool finished = false;
        QObject::connect(&maker, &practice::voice::CClipMaker::finished, [&finished] { finished = true; });
        state.ResumeTiming();
        maker.Start();
        while (!finished)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        state.PauseTiming();
        if (maker.Made() != words.size()) {
            state.SkipWithError("not every clip was made");
            break;
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MakeClips100Words)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_SpeakToFirstAudio(benchmark::State& state)
{
    if (QMediaDevices::defaultAudioOutput().isNull()) {
        state.SkipWithError("no sound output device: run through scripts/bench, which starts a sound server");
        return;
    }
    QFrame frame;
    practice::sound::CSoundClipPlayer player;
    player.Create(&frame, practice::sound::CSoundClipPlayer::kEditorStyle);
    bool started = false;
    QObject::connect(player.Window()->device(), &platform::audio::WaveAudioDevice::playbackStarted,
                     [&started] { started = true; });
    practice::voice::CWordSpeaker speaker;
    QString failure;
    bool answered = false;
    QObject::connect(&speaker, &practice::voice::CWordSpeaker::spoken,
                     [&player, &failure, &answered](const QString&, const platform::audio::WaveData& clip,
                                                    const QString& reason) {
                         answered = true;
                         failure = reason;
                         if (reason.isEmpty()) {
                             player.NewRecording(clip);
                             player.Play();
                         }
                     });
    for (auto _ : state) {
        // A person presses Speak a moment after the last word at the soonest;
        // meanwhile the speech program for the next word gets ready.
        const QDeadlineTimer pause(300);
        while (!pause.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        started = false;
        QElapsedTimer clock;
        clock.start();
        answered = false;
        speaker.Speak(QStringLiteral("elephant"), QStringLiteral("en"));
        while (!answered)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        if (!failure.isEmpty()) {
            state.SkipWithError(qPrintable(failure));
            break;
        }
        while (!started && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        player.Stop();
        if (!started) {
            state.SkipWithError("no audio reached the device within 5 s");
            break;
        }
    }
}
BENCHMARK(BM_SpeakToFirstAudio)
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
