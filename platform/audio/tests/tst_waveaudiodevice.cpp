#include "platform/audio/waveaudiodevice.h"

#include "audiotesting.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/modulefolder.h"

#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace platform::audio;
using namespace audiotesting;
using Mode = WaveAudioDevice::Mode;

namespace {

constexpr int kRate = kRecordingSampleRate;

// Longer than any clip here takes to play out through the null sink.
constexpr int kPlayTimeoutMs = 15000;

}  // namespace

class TestWaveAudioDevice : public QObject {
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<IsolatedHome>(); }
    void cleanup() { m_home.reset(); }

    void playedSoundReachesTheOutput()
    {
        WW_REQUIRE_AUDIO();
        // The monitor of the default output hears what is played to it.
        QProcess listener;
        listener.start("parec", {"--device=@DEFAULT_MONITOR@", "--raw", "--format=s16le", "--rate=22050",
                                 "--channels=1", "--latency-msec=20"});
        QVERIFY2(listener.waitForStarted(), qPrintable(listener.errorString()));

        WaveAudioDevice device;
        QSignalSpy ended(&device, &WaveAudioDevice::playbackEnded);
        QVERIFY(openTone(device, 1.0));
        device.Play();
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, kPlayTimeoutMs);
        listener.terminate();
        QVERIFY(listener.waitForFinished());

        const QByteArray heard = listener.readAllStandardOutput();
        const auto* samples = reinterpret_cast<const qint16*>(heard.constData());
        int loud = 0;
        for (qsizetype i = 0; i < heard.size() / 2; ++i)
            loud += std::abs(samples[i]) > 4000 ? 1 : 0;
        QVERIFY2(loud > kRate / 10, qPrintable(QString::number(loud)));
    }

    void stopKeepsThePositionAndPlayGoesOnFromIt()
    {
        WW_REQUIRE_AUDIO();
        WaveAudioDevice device;
        QSignalSpy ended(&device, &WaveAudioDevice::playbackEnded);
        QVERIFY(openTone(device, 3.0));
        device.Play();
        QTest::qWait(800);
        device.Stop();
        const qint64 stoppedAt = device.position();
        QCOMPARE(device.mode(), Mode::Stopped);
        QVERIFY2(stoppedAt > 0 && stoppedAt < device.length(), qPrintable(QString::number(stoppedAt)));
        QTest::qWait(200);
        QCOMPARE(ended.count(), 0);
        QCOMPARE(device.position(), stoppedAt);

        device.Play();
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, kPlayTimeoutMs);
        QCOMPARE(device.position(), device.length());
        // At the end, Play starts over.
        device.Play();
        QCOMPARE(device.mode(), Mode::Playing);
        QVERIFY(device.position() < device.length() / 2);
    }

    void recordingIsInsertedAtThePosition()
    {
        WW_REQUIRE_AUDIO();
        const WaveData tone = Tone(1.0);
        WaveAudioDevice device;
        QVERIFY(openTone(device, 1.0));
        const qint64 half = tone.frameCount() / 2;
        device.Seek(half);
        device.Record();
        QTest::qWait(300);
        device.Stop();
        const qint64 inserted = device.length() - tone.frameCount();
        QVERIFY2(inserted > kRate / 10, qPrintable(QString::number(inserted)));
        QCOMPARE(device.position(), half + inserted);

        // The tone's first half, the silence of the null source, the tone's second half.
        const QByteArray& clip = device.clip().samples;
        QCOMPARE(clip.left(half * 2), tone.samples.left(half * 2));
        QCOMPARE(clip.mid(half * 2, inserted * 2), QByteArray(inserted * 2, '\0'));
        QCOMPARE(clip.mid((half + inserted) * 2), tone.samples.mid(half * 2));

        // A new recording discards the clip and its file name.
        device.New();
        QCOMPARE(device.length(), 0);
        QCOMPARE(device.position(), 0);
        QCOMPARE(device.mode(), Mode::Stopped);
        QVERIFY(device.fileName().isEmpty());
    }

    void emptyRecordingPlaysNothing()
    {
        WaveAudioDevice device;
        QSignalSpy ended(&device, &WaveAudioDevice::playbackEnded);
        device.New();
        device.Play();
        // It ends, but never inside Play itself.
        QCOMPARE(ended.count(), 0);
        QTRY_COMPARE(ended.count(), 1);
        QCOMPARE(device.mode(), Mode::Stopped);
    }

    void failedOpenLeavesNoClip()
    {
        WaveAudioDevice device;
        QVERIFY(openTone(device, 0.5));
        QString reason;
        QCOMPARE(device.Open(m_home->path() + "/missing.wav", &reason), WaveFileError::NotFound);
        QCOMPARE(device.mode(), Mode::NotReady);
        QCOMPARE(device.length(), 0);
        QSignalSpy ended(&device, &WaveAudioDevice::playbackEnded);
        QSignalSpy errors(&device, &WaveAudioDevice::deviceError);
        device.Play();
        device.Record();
        QCOMPARE(device.mode(), Mode::NotReady);
        QVERIFY(!device.Save(m_home->path() + "/copy.wav", &reason));
        QTest::qWait(50);
        QCOMPARE(ended.count(), 0);
        QCOMPARE(errors.count(), 0);
    }

    // The messages are the sound clip player's suite's; the clip itself is intact.
    void withoutDevicesTheClipIsKept()
    {
        WW_REQUIRE_NO_AUDIO();
        WaveAudioDevice device;
        QSignalSpy errors(&device, &WaveAudioDevice::deviceError);
        QVERIFY(openTone(device, 0.5));
        device.Play();
        QCOMPARE(device.mode(), Mode::Stopped);
        device.Record();
        QCOMPARE(device.mode(), Mode::Stopped);
        QCOMPARE(errors.count(), 2);
        QString reason;
        QVERIFY2(device.Save(m_home->path() + "/copy.wav", &reason), qPrintable(reason));
    }

    void withoutTheSoundModuleAReadableFileOpensAndEachUseSaysWhy()
    {
        const QString tone = m_home->path() + "/tone.wav";
        QVERIFY(WriteTone(tone, 0.5));
        ScopedModuleFolder withoutTheModule(m_home->path());
        const QString why = QStringLiteral("the sound module \"%1/wordwell-audio.so\" could not be loaded "
                                           "(cannot open shared object file: No such file or directory)")
                                .arg(m_home->path());
        WaveAudioDevice device;
        QSignalSpy errors(&device, &WaveAudioDevice::deviceError);
        QString reason;
        // File faults are still the file's.
        QCOMPARE(device.Open(m_home->path() + "/missing.wav", &reason), WaveFileError::NotFound);
        QCOMPARE(device.Open(tone, &reason), WaveFileError::None);
        device.Record();
        QCOMPARE(device.mode(), Mode::Stopped);
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).toString(), "Unable to record: " + why + ".");
        const QByteArray before = ReadFileForTest(tone);
        QVERIFY(!device.Save(tone, &reason));
        QCOMPARE(reason, why);
        QCOMPARE(ReadFileForTest(tone), before);
        device.New();
        QVERIFY(!device.Save(m_home->path() + "/new.wav", &reason));
        QVERIFY(!QFileInfo::exists(m_home->path() + "/new.wav"));
    }

private:
    // Writes `seconds` of a tone into the test's home and opens it in `device`.
    bool openTone(WaveAudioDevice& device, double seconds)
    {
        const QString path = m_home->path() + "/tone.wav";
        QString reason;
        return WriteTone(path, seconds) && device.Open(path, &reason) == WaveFileError::None;
    }

    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_GUILESS_MAIN(TestWaveAudioDevice)
#include "tst_waveaudiodevice.moc"
