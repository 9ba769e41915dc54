#include "platform/audio/waveaudiodevice.h"

#include "platform/audio/audiobackend.h"
#include "platform/audio/audiomodule.h"
#include "platform/audio/wavefile.h"

#include "audiotesting.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/modulefolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <limits>
#include <memory>
#include <sys/stat.h>

using namespace platform::audio;
using namespace audiotesting;
using Mode = WaveAudioDevice::Mode;

Q_DECLARE_METATYPE(platform::audio::WaveFileError)

namespace {

constexpr int kRate = kRecordingSampleRate;

// Longer than any clip here takes to play out through the null sink.
constexpr int kPlayTimeoutMs = 15000;

}  // namespace

// The wave codec on bytes and files, and the device that plays and records clips.
class TestWaveAudioDevice : public QObject {
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<IsolatedHome>(); }
    void cleanup() { m_home.reset(); }

    void encodesPlainPcmWave_data()
    {
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("channels");
        QTest::addColumn<QByteArray>("samples");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("mono 22050")
            << 22050 << 1 << Samples({0, 1, -1})
            << QByteArray::fromHex("52494646" "2a000000" "57415645" "666d7420" "10000000" "0100" "0100"
                                   "22560000" "44ac0000" "0200" "1000" "64617461" "06000000" "0000" "0100" "ffff");
    }

    void encodesPlainPcmWave()
    {
        QFETCH(int, rate);
        QFETCH(int, channels);
        QFETCH(QByteArray, samples);
        QFETCH(QByteArray, expected);
        QCOMPARE(EncodeWave({rate, channels, samples}).toHex(), expected.toHex());
    }

    void decodesEveryCommonSampleFormat_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("channels");
        QTest::addColumn<QByteArray>("expected");

        WaveHeader stereo;
        stereo.channels = 2;
        QTest::newRow("16-bit stereo") << WaveFileBytes(stereo, Samples({100, -100, 7, -7}))
                                       << 2 << Samples({100, -100, 7, -7});
        // Beyond full scale saturates instead of wrapping round to the other sign.
        WaveHeader float32;
        float32.formatTag = 3;
        float32.bitsPerSample = 32;
        const float floats[] = {0.0f, 0.25f, 2.0f, -2.0f, std::numeric_limits<float>::quiet_NaN(),
                                -std::numeric_limits<float>::infinity()};
        QTest::newRow("float, clipped")
            << WaveFileBytes(float32, QByteArray(reinterpret_cast<const char*>(floats), sizeof floats))
            << 1 << Samples({0, 8192, 32767, -32768, 0, -32768});
        // Never more than the file holds, whatever the header says.
        WaveHeader lyingData, lyingRiff;
        lyingData.dataSize = 0xFFFFFFF0;
        lyingRiff.riffSize = 0xFFFFFFF0;
        QTest::newRow("data claims 4 GB") << WaveFileBytes(lyingData, Samples({1, 2, 3, 4})) << 1
                                          << Samples({1, 2, 3, 4});
        QTest::newRow("riff claims 4 GB") << WaveFileBytes(lyingRiff, Samples({1, 2, 3, 4})) << 1
                                          << Samples({1, 2, 3, 4});
    }

    void decodesEveryCommonSampleFormat()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, channels);
        QFETCH(QByteArray, expected);
        WaveData data;
        QString reason;
        QCOMPARE(DecodeWave(file, &data, &reason), WaveFileError::None);
        QCOMPARE(data.sampleRate, 22050);
        QCOMPARE(data.channels, channels);
        QCOMPARE(data.samples.toHex(), expected.toHex());
    }

    // What is not a clip is refused with the reason, the data left as it was.
    void badFilesAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");  // of bad.wav
        QTest::addColumn<WaveFileError>("error");
        QTest::newRow("missing") << "missing.wav" << QByteArray() << WaveFileError::NotFound;
        QTest::newRow("a file as folder") << "plain.txt/cat.wav" << QByteArray() << WaveFileError::NotFound;
        QTest::newRow("folder") << "folder.wav" << QByteArray() << WaveFileError::NotAFile;
        QTest::newRow("pipe") << "pipe.wav" << QByteArray() << WaveFileError::NotAFile;
        QTest::newRow("too long") << "huge.wav" << QByteArray() << WaveFileError::TooLong;
        QTest::newRow("empty") << "bad.wav" << QByteArray() << WaveFileError::NotPlayable;
        QTest::newRow("text") << "bad.wav" << QByteArray("cat\r\ndog\r\n") << WaveFileError::NotPlayable;
        const QByteArray good = WaveFileBytes({}, Samples({1, 2, 3, 4}));
        QTest::newRow("cut inside fmt") << "bad.wav" << good.left(28) << WaveFileError::NotPlayable;
        WaveHeader none, many;
        none.channels = 0;
        many.channels = 200;
        QTest::newRow("no channels") << "bad.wav" << WaveFileBytes(none, Samples({1})) << WaveFileError::NotPlayable;
        QTest::newRow("200 channels") << "bad.wav" << WaveFileBytes(many, QByteArray(800, '\0'))
                                      << WaveFileError::NotPlayable;
    }

    void badFilesAreRefused()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(WaveFileError, error);
        const QString dir = m_home->path();
        WriteFileForTest(dir + "/plain.txt", "x");
        WriteFileForTest(dir + "/bad.wav", bytes);
        QVERIFY(QDir(dir).mkdir("folder.wav"));
        // A pipe would block a plain read for ever.
        QCOMPARE(::mkfifo(QFile::encodeName(dir + "/pipe.wav").constData(), 0600), 0);
        QFile huge(dir + "/huge.wav");
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(kMaxWaveBytes + 1));  // sparse: costs no disk
        huge.close();

        WaveData data{1, 1, "kept"};
        QString reason;
        QCOMPARE(ReadWaveFile(dir + "/" + name, &data, &reason), error);
        QVERIFY(!reason.isEmpty());
        QCOMPARE(data.samples, QByteArray("kept"));
    }

    void soundlessDataIsNotWritten()
    {
        const QString path = m_home->path() + "/cat.wav";
        WriteFileForTest(path, "earlier clip");
        QString reason;
        QVERIFY(!WriteWaveFile(path, WaveData{}, &reason));
        QCOMPARE(ReadFileForTest(path), QByteArray("earlier clip"));
    }

    // Stopped part way, the play goes on from there to the end, and the
    // monitor of the default output hears what was played to it; a recording
    // goes in at the position.
    void playStopAndRecordAtThePosition()
    {
        WW_REQUIRE_AUDIO();
        QProcess listener;
        listener.start("parec", {"--device=@DEFAULT_MONITOR@", "--raw", "--format=s16le", "--rate=22050",
                                 "--channels=1", "--latency-msec=20"});
        QVERIFY2(listener.waitForStarted(), qPrintable(listener.errorString()));

        WaveAudioDevice device;
        QSignalSpy ended(&device, &WaveAudioDevice::playbackEnded);
        QVERIFY(openTone(device, 1.5));
        device.Play();
        QTest::qWait(500);
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
        listener.terminate();
        QVERIFY(listener.waitForFinished());
        const QByteArray heard = listener.readAllStandardOutput();
        const auto* samples = reinterpret_cast<const qint16*>(heard.constData());
        int loud = 0;
        for (qsizetype i = 0; i < heard.size() / 2; ++i)
            loud += std::abs(samples[i]) > 4000 ? 1 : 0;
        QVERIFY2(loud > kRate / 4, qPrintable(QString::number(loud)));
        // At the end, Play starts over.
        device.Play();
        QCOMPARE(device.mode(), Mode::Playing);
        QVERIFY(device.position() < device.length() / 2);

        // The tone's first half, the silence of the null source, the tone's second half.
        device.Stop();
        const WaveData tone = Tone(1.5);
        const qint64 half = tone.frameCount() / 2;
        device.Seek(half);
        device.Record();
        QTest::qWait(300);
        device.Stop();
        const qint64 inserted = device.length() - tone.frameCount();
        QVERIFY2(inserted > kRate / 10, qPrintable(QString::number(inserted)));
        QCOMPARE(device.position(), half + inserted);
        const QByteArray& clip = device.clip().samples;
        QCOMPARE(clip.left(half * 2), tone.samples.left(half * 2));
        QCOMPARE(clip.mid(half * 2, inserted * 2), QByteArray(inserted * 2, '\0'));
        QCOMPARE(clip.mid((half + inserted) * 2), tone.samples.mid(half * 2));
        // A new recording discards the clip and its file name.
        device.New();
        QCOMPARE(device.length(), 0);
        QVERIFY(device.fileName().isEmpty());
    }

    // An empty recording plays nothing and ends, but never inside Play
    // itself; after a failed open there is no clip to play, record into or save.
    void emptyOrFailedClipsPlayNothing()
    {
        WaveAudioDevice device;
        QSignalSpy ended(&device, &WaveAudioDevice::playbackEnded);
        device.New();
        device.Play();
        QCOMPARE(ended.count(), 0);
        QTRY_COMPARE(ended.count(), 1);
        QCOMPARE(device.mode(), Mode::Stopped);

        QVERIFY(openTone(device, 0.5));
        QString reason;
        QCOMPARE(device.Open(m_home->path() + "/missing.wav", &reason), WaveFileError::NotFound);
        QCOMPARE(device.mode(), Mode::NotReady);
        QCOMPARE(device.length(), 0);
        QSignalSpy errors(&device, &WaveAudioDevice::deviceError);
        device.Play();
        device.Record();
        QCOMPARE(device.mode(), Mode::NotReady);
        QVERIFY(!device.Save(m_home->path() + "/copy.wav", &reason));
        QTest::qWait(50);
        QCOMPARE(ended.count(), 1);
        QCOMPARE(errors.count(), 0);
    }

    // Without the module a readable file opens and each use says why; the
    // module is loaded once, and tried again after a run without it.
    void withoutTheSoundModuleEachUseSaysWhyAndItIsTriedAgain()
    {
        const QString tone = m_home->path() + "/tone.wav";
        QVERIFY(WriteTone(tone, 0.5));
        QString reason;
        {
            ScopedModuleFolder withoutTheModule(m_home->path());
            const QString why = QStringLiteral("the sound module \"%1/wordwell-audio.so\" could not be loaded "
                                               "(cannot open shared object file: No such file or directory)")
                                    .arg(m_home->path());
            QCOMPARE(Backend(&reason), nullptr);
            QCOMPARE(reason, why);
            WaveAudioDevice device;
            QSignalSpy errors(&device, &WaveAudioDevice::deviceError);
            QCOMPARE(device.Open(tone, &reason), WaveFileError::None);
            device.Record();
            QCOMPARE(device.mode(), Mode::Stopped);
            QCOMPARE(errors.count(), 1);
            QCOMPARE(errors.at(0).at(0).toString(), "Unable to record: " + why + ".");
            const QByteArray before = ReadFileForTest(tone);
            QVERIFY(!device.Save(tone, &reason));
            QCOMPARE(reason, why);
            QCOMPARE(ReadFileForTest(tone), before);
        }
        const AudioBackend* backend = Backend(&reason);
        QVERIFY2(backend, qPrintable(reason));
        QCOMPARE(Backend(&reason), backend);
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
