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

    void encodesPlainPcmWave()
    {
        QCOMPARE(EncodeWave({22050, 1, Samples({0, 1, -1})}).toHex(),
                 QByteArray("52494646" "2a000000" "57415645" "666d7420" "10000000" "0100" "0100"
                            "22560000" "44ac0000" "0200" "1000" "64617461" "06000000" "0000" "0100" "ffff"));
    }

    // Every common sample format is read; what is not a clip is refused with
    // the reason, the data left as it was.
    void readsCommonFormatsAndRefusesTheRest_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");  // of clip.wav
        QTest::addColumn<WaveFileError>("error");
        QTest::addColumn<int>("channels");
        QTest::addColumn<QByteArray>("samples");
        const auto read = [](const char* row, const QByteArray& bytes, int channels, const QByteArray& samples) {
            QTest::newRow(row) << "clip.wav" << bytes << WaveFileError::None << channels << samples;
        };
        const auto refused = [](const char* row, const QString& name, const QByteArray& bytes, WaveFileError error) {
            QTest::newRow(row) << name << bytes << error << 1 << QByteArray("kept");
        };
        const QByteArray four = Samples({1, 2, 3, 4});
        const QByteArray stereo = Samples({100, -100, 7, -7});
        read("16-bit stereo", WaveFileBytes({.channels = 2}, stereo), 2, stereo);
        // Beyond full scale saturates instead of wrapping round to the other sign.
        const float floats[] = {0.0f, 0.25f, 2.0f, -2.0f, std::numeric_limits<float>::quiet_NaN(),
                                -std::numeric_limits<float>::infinity()};
        read("float, clipped",
             WaveFileBytes({.formatTag = 3, .bitsPerSample = 32},
                           QByteArray(reinterpret_cast<const char*>(floats), sizeof floats)),
             1, Samples({0, 8192, 32767, -32768, 0, -32768}));
        // Never more than the file holds, whatever the header says.
        read("data claims 4 GB", WaveFileBytes({.dataSize = 0xFFFFFFF0}, four), 1, four);
        read("riff claims 4 GB", WaveFileBytes({.riffSize = 0xFFFFFFF0}, four), 1, four);
        refused("missing", "missing.wav", {}, WaveFileError::NotFound);
        refused("a file as folder", "plain.txt/cat.wav", {}, WaveFileError::NotFound);
        refused("folder", "folder.wav", {}, WaveFileError::NotAFile);
        refused("pipe", "pipe.wav", {}, WaveFileError::NotAFile);
        refused("too long", "huge.wav", {}, WaveFileError::TooLong);
        refused("empty", "clip.wav", {}, WaveFileError::NotPlayable);
        refused("text", "clip.wav", "cat\r\ndog\r\n", WaveFileError::NotPlayable);
        refused("cut inside fmt", "clip.wav", WaveFileBytes({}, four).left(28), WaveFileError::NotPlayable);
        refused("no channels", "clip.wav", WaveFileBytes({.channels = 0}, Samples({1})), WaveFileError::NotPlayable);
        refused("200 channels", "clip.wav", WaveFileBytes({.channels = 200}, QByteArray(800, '\0')),
                WaveFileError::NotPlayable);
    }

    void readsCommonFormatsAndRefusesTheRest()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(WaveFileError, error);
        QFETCH(int, channels);
        QFETCH(QByteArray, samples);
        const QString dir = m_home->path();
        WriteFileForTest(dir + "/plain.txt", "x");
        WriteFileForTest(dir + "/clip.wav", bytes);
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
        QCOMPARE(reason.isEmpty(), error == WaveFileError::None);
        QCOMPARE(std::tuple(data.sampleRate, data.channels, data.samples.toHex()),
                 std::tuple(error == WaveFileError::None ? 22050 : 1, channels, samples.toHex()));
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
        QVERIFY2(device.mode() == Mode::Stopped && stoppedAt > 0 && stoppedAt < device.length(),
                 qPrintable(QString::number(stoppedAt)));
        QTest::qWait(200);
        QCOMPARE(std::tuple(ended.count(), device.position()), std::tuple(0, stoppedAt));

        device.Play();
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, kPlayTimeoutMs);
        QCOMPARE(device.position(), device.length());
        listener.terminate();
        QVERIFY(listener.waitForFinished());
        const QByteArray heard = listener.readAllStandardOutput();
        const auto* samples = reinterpret_cast<const qint16*>(heard.constData());
        const auto loud = std::count_if(samples, samples + heard.size() / 2, [](qint16 s) { return qAbs(s) > 4000; });
        QVERIFY2(loud > kRate / 4, qPrintable(QString::number(loud)));
        // At the end, Play starts over.
        device.Play();
        QVERIFY(device.mode() == Mode::Playing && device.position() < device.length() / 2);

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
        QCOMPARE(device.clip().samples,
                 tone.samples.left(half * 2) + QByteArray(inserted * 2, '\0') + tone.samples.mid(half * 2));
        // A new recording discards the clip and its file name.
        device.New();
        QCOMPARE(std::tuple(device.length(), device.fileName()), std::tuple(0, QString()));
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
        QCOMPARE(std::tuple(device.mode(), device.length()), std::tuple(Mode::NotReady, 0));
        QSignalSpy errors(&device, &WaveAudioDevice::deviceError);
        device.Play();
        device.Record();
        QCOMPARE(device.mode(), Mode::NotReady);
        QVERIFY(!device.Save(m_home->path() + "/copy.wav", &reason));
        QTest::qWait(50);
        QCOMPARE(std::tuple(ended.count(), errors.count()), std::tuple(1, 0));
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
            QCOMPARE(errors, QList<QVariantList>{{"Unable to record: " + why + "."}});
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
