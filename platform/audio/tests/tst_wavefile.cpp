#include "platform/audio/wavefile.h"

#include "platform/audio/audiobackend.h"
#include "platform/audio/audiomodule.h"

#include "audiotesting.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/modulefolder.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <limits>
#include <memory>
#include <sys/stat.h>

using namespace platform::audio;
using namespace audiotesting;

Q_DECLARE_METATYPE(platform::audio::WaveFileError)

namespace {

QList<qint16> samplesOf(const WaveData& data)
{
    QList<qint16> values(data.samples.size() / 2);
    std::memcpy(values.data(), data.samples.constData(), static_cast<size_t>(values.size()) * 2);
    return values;
}

}  // namespace

class TestWaveFile : public QObject {
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
        QTest::newRow("stereo 44100")
            << 44100 << 2 << Samples({32767, -32768})
            << QByteArray::fromHex("52494646" "28000000" "57415645" "666d7420" "10000000" "0100" "0200"
                                   "44ac0000" "10b10200" "0400" "1000" "64617461" "04000000" "ff7f" "0080");
        QTest::newRow("no frames")
            << 8000 << 1 << QByteArray()
            << QByteArray::fromHex("52494646" "24000000" "57415645" "666d7420" "10000000" "0100" "0100"
                                   "401f0000" "803e0000" "0200" "1000" "64617461" "00000000");
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
        QTest::addColumn<QList<qint16>>("expected");

        WaveHeader pcm8;
        pcm8.bitsPerSample = 8;
        QTest::newRow("8-bit unsigned") << WaveFileBytes(pcm8, QByteArray::fromHex("80ff00"))
                                        << 1 << QList<qint16>{0, 32512, -32768};
        WaveHeader pcm24;
        pcm24.bitsPerSample = 24;
        QTest::newRow("24-bit") << WaveFileBytes(pcm24, QByteArray::fromHex("ffff7f" "000080" "000100"))
                                << 1 << QList<qint16>{32767, -32768, 1};
        WaveHeader stereo;
        stereo.channels = 2;
        QTest::newRow("16-bit stereo") << WaveFileBytes(stereo, Samples({100, -100, 7, -7}))
                                       << 2 << QList<qint16>{100, -100, 7, -7};
        // Beyond full scale saturates instead of wrapping round to the other sign.
        WaveHeader float32;
        float32.formatTag = 3;
        float32.bitsPerSample = 32;
        const float floats[] = {0.0f, 0.25f, 2.0f, -2.0f, std::numeric_limits<float>::quiet_NaN(),
                                -std::numeric_limits<float>::infinity()};
        QTest::newRow("float, clipped")
            << WaveFileBytes(float32, QByteArray(reinterpret_cast<const char*>(floats), sizeof floats))
            << 1 << QList<qint16>{0, 8192, 32767, -32768, 0, -32768};
        WaveHeader mulaw;
        mulaw.formatTag = 7;
        mulaw.bitsPerSample = 8;
        QTest::newRow("mu-law silence") << WaveFileBytes(mulaw, QByteArray::fromHex("ffff")) << 1
                                        << QList<qint16>{0, 0};
    }

    void decodesEveryCommonSampleFormat()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, channels);
        QFETCH(QList<qint16>, expected);
        WaveData data;
        QString reason;
        QCOMPARE(DecodeWave(file, &data, &reason), WaveFileError::None);
        QCOMPARE(data.sampleRate, 22050);
        QCOMPARE(data.channels, channels);
        QCOMPARE(samplesOf(data), expected);
    }

    void headerSizesAreNotTrusted_data()
    {
        QTest::addColumn<qint64>("riffSize");
        QTest::addColumn<qint64>("dataSize");
        QTest::newRow("data claims 4 GB") << qint64(-1) << qint64(0xFFFFFFF0);
        QTest::newRow("riff claims 4 GB") << qint64(0xFFFFFFF0) << qint64(-1);
        QTest::newRow("both claim nothing") << qint64(0) << qint64(0);
    }

    void headerSizesAreNotTrusted()
    {
        QFETCH(qint64, riffSize);
        QFETCH(qint64, dataSize);
        WaveHeader lying;
        lying.riffSize = riffSize;
        lying.dataSize = dataSize;
        const QByteArray samples = Samples({1, 2, 3, 4});
        WaveData data;
        QString reason;
        QCOMPARE(DecodeWave(WaveFileBytes(lying, samples), &data, &reason), WaveFileError::None);
        // Never more than the file holds.
        QVERIFY(data.frameCount() <= 4);
        QVERIFY(samples.startsWith(data.samples));
    }

    void badFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QByteArray good = WaveFileBytes({}, Samples({1, 2, 3, 4}));
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("cat\r\ndog\r\n");
        QTest::newRow("RIFF only") << good.left(12);
        QTest::newRow("cut inside fmt") << good.left(28);
        WaveHeader none;
        none.channels = 0;
        QTest::newRow("no channels") << WaveFileBytes(none, Samples({1}));
        WaveHeader many;
        many.channels = 200;
        QTest::newRow("200 channels") << WaveFileBytes(many, QByteArray(800, '\0'));
        WaveHeader bogus;
        bogus.formatTag = 0x7777;
        QTest::newRow("unknown encoding") << WaveFileBytes(bogus, Samples({1, 2}));
    }

    void badFilesAreRefused()
    {
        QFETCH(QByteArray, file);
        WaveData data{1, 1, "kept"};
        QString reason;
        QCOMPARE(DecodeWave(file, &data, &reason), WaveFileError::NotPlayable);
        QVERIFY(!reason.isEmpty());
        QCOMPARE(data.samples, QByteArray("kept"));
    }

    void readFailuresAreNamed_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<WaveFileError>("error");
        QTest::newRow("missing") << "missing.wav" << WaveFileError::NotFound;
        QTest::newRow("missing folder") << "nowhere/cat.wav" << WaveFileError::NotFound;
        QTest::newRow("a file as folder") << "plain.txt/cat.wav" << WaveFileError::NotFound;
        QTest::newRow("folder") << "folder.wav" << WaveFileError::NotAFile;
        QTest::newRow("pipe") << "pipe.wav" << WaveFileError::NotAFile;
        QTest::newRow("too long") << "huge.wav" << WaveFileError::TooLong;
    }

    void readFailuresAreNamed()
    {
        QFETCH(QString, name);
        QFETCH(WaveFileError, error);
        const QString dir = m_home->path();
        WriteFileForTest(dir + "/plain.txt", "x");
        QVERIFY(QDir(dir).mkdir("folder.wav"));
        // A pipe would block a plain read for ever.
        QCOMPARE(::mkfifo(QFile::encodeName(dir + "/pipe.wav").constData(), 0600), 0);
        QFile huge(dir + "/huge.wav");
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(kMaxWaveBytes + 1));  // sparse: costs no disk
        huge.close();

        WaveData data;
        QString reason;
        QCOMPARE(ReadWaveFile(dir + "/" + name, &data, &reason), error);
        QVERIFY(!reason.isEmpty());
        QCOMPARE(data.frameCount(), 0);
    }

    void soundlessDataIsNotWritten()
    {
        const QString path = m_home->path() + "/cat.wav";
        WriteFileForTest(path, "earlier clip");
        QString reason;
        QVERIFY(!WriteWaveFile(path, WaveData{}, &reason));
        QCOMPARE(ReadFileForTest(path), QByteArray("earlier clip"));
    }

    // Loaded once, and tried again after a run without it.
    void theSoundModuleLoadsOnceAndIsTriedAgainWhenMissing()
    {
        QString reason;
        {
            ScopedModuleFolder empty{m_home->path()};
            QCOMPARE(Backend(&reason), nullptr);
            QCOMPARE(reason, QStringLiteral("the sound module \"%1/wordwell-audio.so\" could not be loaded "
                                            "(cannot open shared object file: No such file or directory)")
                                 .arg(m_home->path()));
        }
        const AudioBackend* backend = Backend(&reason);
        QVERIFY2(backend, qPrintable(reason));
        QCOMPARE(Backend(&reason), backend);
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_GUILESS_MAIN(TestWaveFile)
#include "tst_wavefile.moc"
