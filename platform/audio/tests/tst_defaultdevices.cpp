// Sound goes to the server's default sink and comes from its default source
// or the microphone the user chose, as they change; a device removed while in
// use ends what it was doing. The suite's own server has two sinks and two
// sources, as a desktop with speakers, a headset and two microphones has, so no
// other suite sees its defaults change. A pipe source stands for a device that
// hands over its samples seconds after it captured them.
#include "platform/audio/waveaudiodevice.h"

#include "audiotesting.h"
#include "privatesoundserver.h"
#include "testsupport/isolatedhome.h"

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <memory>

using namespace platform::audio;
using namespace audiotesting;
using Mode = WaveAudioDevice::Mode;

namespace {

constexpr int kRate = kRecordingSampleRate;

// The silent microphone is listed before the one that hears a tone, and both
// after the speakers' monitors: a program that takes the first input the
// server lists records silence whatever the user chose.
QStringList devices(const QString& latePipe)
{
    return {"module-null-sink sink_name=speakers", "module-null-sink sink_name=headset",
            "module-null-source source_name=silent_mic max_latency_msec=20",
            "module-sine-source source_name=tone_mic rate=22050 frequency=440",
            "module-pipe-source source_name=late_mic file=" + latePipe + " format=s16le rate=22050 channels=1"};
}

qint16 loudest(const QByteArray& samples)
{
    const auto* s = reinterpret_cast<const qint16*>(samples.constData());
    qint16 peak = 0;
    for (qsizetype i = 0; i < samples.size() / 2; ++i)
        peak = qMax<qint16>(peak, qint16(qAbs(s[i])));
    return peak;
}

}  // namespace

class TestDefaultDevices : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_latePipe = m_server.runtimePath() + "/late-source";
        QString why;
        QVERIFY2(m_server.start(devices(m_latePipe), &why), qPrintable(why));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_latePipe), 10000);
    }

    void init()
    {
        m_home = std::make_unique<IsolatedHome>();
        QVERIFY(m_server.pactl({"set-default-sink", "speakers"}));
        QVERIFY(m_server.pactl({"set-default-source", "silent_mic"}));
        m_device.SetRecordingDevice({});
    }

    void cleanup() { m_home.reset(); }

    // Rows run in order on one device, so the default changes between
    // recordings. Stop keeps every sample captured before it, also from the
    // late device, which has handed over nothing of a 1.2-second recording
    // when Stop is pressed, and only the first two seconds of a 3-second one.
    // The list of microphones, and one chosen but unplugged since, are tst_soundclipplayer's.
    void recordingUsesTheChosenDeviceOrTheDefault_data()
    {
        QTest::addColumn<QString>("defaultSource");
        QTest::addColumn<QByteArray>("chosen");
        QTest::addColumn<QString>("recordedFrom");
        QTest::addColumn<int>("ms");
        QTest::newRow("the tone") << "silent_mic" << QByteArray("tone_mic") << "tone_mic" << 500;
        QTest::newRow("the default, now the tone") << "tone_mic" << QByteArray() << "tone_mic" << 500;
        QTest::newRow("the silent default again") << "silent_mic" << QByteArray() << "silent_mic" << 500;
        QTest::newRow("late, 1.2 s") << "silent_mic" << QByteArray("late_mic") << "late_mic" << 1200;
        QTest::newRow("late, 3 s") << "silent_mic" << QByteArray("late_mic") << "late_mic" << 3000;
    }

    void recordingUsesTheChosenDeviceOrTheDefault()
    {
        QFETCH(QString, defaultSource);
        QFETCH(QByteArray, chosen);
        QFETCH(QString, recordedFrom);
        QFETCH(int, ms);
        QVERIFY(m_server.pactl({"set-default-source", defaultSource}));
        QSignalSpy errors(&m_device, &WaveAudioDevice::deviceError);
        m_device.SetRecordingDevice(chosen);
        m_device.New();
        m_device.Record();
        QElapsedTimer clock;
        clock.start();
        // The late device captures a tone from now on and writes it into the
        // server's pipe two seconds at a time, each block at its end.
        const QString block = m_home->path() + "/block";
        WriteFileForTest(block, Tone(2).samples);
        QProcess late;
        const bool isLate = recordedFrom == "late_mic";
        const bool heard = recordedFrom != "silent_mic";
        if (isLate)
            late.start("sh", {"-c", "while sleep 2; do cat \"$0\"; done > \"$1\"", block, m_latePipe});
        QVERIFY(m_server.streamOn(recordedFrom, false));
        QTest::qWait(ms - int(clock.elapsed()));
        const qint64 pressed = clock.elapsed() * kRate / 1000;
        m_device.Stop();
        late.kill();
        late.waitForFinished();
        const qint64 kept = m_device.length();
        // The late device lags the clock by seconds; a sine source runs ahead of it.
        QVERIFY2(isLate ? qAbs(kept - pressed) < kRate / 10 : kept > kRate / 4,
                 qPrintable(QString("%1 frames kept of %2 recorded").arg(kept).arg(pressed)));
        const QByteArray& samples = m_device.clip().samples;
        const qint16 peak = loudest(samples);
        QVERIFY2(heard ? peak > 1000 : peak == 0, qPrintable(QString("peak %1").arg(peak)));
        // What is heard goes on to the end: what the device captured, nothing made up.
        QCOMPARE(loudest(samples.right(6)) != 0, heard);
        QCOMPARE(errors.count(), 0);
    }

    // Speakers plugged in while the program runs are played to once they are
    // the default, and their removal ends the play; the next Play goes to the
    // default of then.
    void removedSinkEndsPlay()
    {
        const QString module = plugIn({"module-null-sink", "sink_name=usb_speakers"}, "usb_speakers");
        QVERIFY(!module.isEmpty());
        QVERIFY(m_server.pactl({"set-default-sink", "usb_speakers"}));
        QSignalSpy errors(&m_device, &WaveAudioDevice::deviceError);
        QVERIFY(playTone(5));
        QVERIFY(m_server.streamOn("usb_speakers"));
        QVERIFY(m_server.pactl({"unload-module", module}));
        QTRY_COMPARE_WITH_TIMEOUT(errors.count(), 1, 5000);
        QCOMPARE(m_device.mode(), Mode::Stopped);
        QVERIFY2(errors[0][0].toString().startsWith("Unable to play the sound clip: the sound output device \"")
                     && errors[0][0].toString().endsWith("\" was disconnected."),
                 qPrintable(errors[0][0].toString()));
        QVERIFY(m_server.pactl({"set-default-sink", "headset"}));
        QVERIFY(playTone(1));
        QVERIFY(m_server.streamOn("headset"));
        m_device.Stop();
    }

    // A microphone of its own for each row: Qt may list the one removed in the
    // row before for a moment yet. A program busy when the microphone goes
    // reads afterwards, at once, what came meanwhile from the device the server
    // moved the stream to.
    void removedSourceEndsRecordingAndKeepsIt_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<int>("busyMs");
        QTest::newRow("the default") << "usb_mic" << false << 0;
        QTest::newRow("chosen while the default is another") << "desk_mic" << true << 0;
        QTest::newRow("chosen, the program busy as it goes") << "headset_mic" << true << 300;
    }

    void removedSourceEndsRecordingAndKeepsIt()
    {
        QFETCH(QString, source);
        QFETCH(bool, chosen);
        QFETCH(int, busyMs);
        const QString module = plugIn({"module-sine-source", "source_name=" + source, "rate=22050"}, source);
        QVERIFY(!module.isEmpty());
        if (chosen)
            m_device.SetRecordingDevice(source.toUtf8());
        else
            QVERIFY(m_server.pactl({"set-default-source", source}));
        QSignalSpy errors(&m_device, &WaveAudioDevice::deviceError);
        m_device.New();
        m_device.Record();
        QTRY_VERIFY_WITH_TIMEOUT(m_device.length() > kRate / 2, 5000);
        QVERIFY(m_server.pactl({"unload-module", module}));
        QThread::msleep(static_cast<unsigned long>(busyMs));
        QTRY_COMPARE_WITH_TIMEOUT(errors.count(), 1, 5000);
        QCOMPARE(m_device.mode(), Mode::Stopped);
        QVERIFY2(errors[0][0].toString().startsWith("Unable to record: the recording device \"")
                     && errors[0][0].toString().endsWith("\" was disconnected; what was recorded until then is kept."),
                 qPrintable(errors[0][0].toString()));
        // What the microphone heard is kept, and nothing from the one the
        // server moved the stream to (the silent default now).
        QVERIFY(m_device.length() > kRate / 2);
        QVERIFY(loudest(m_device.clip().samples.right(kRate / 10)) > 1000);
        QString reason;
        QVERIFY2(m_device.Save(m_home->path() + "/kept.wav", &reason), qPrintable(reason));
    }

private:
    // Loads a module as a device plugged in while the program runs, and waits
    // until Qt lists it: until then the program takes it for a device that is
    // gone and falls back to the default, and a user too chooses only among the
    // devices listed. The module's index, or nothing.
    QString plugIn(const QStringList& module, const QString& device)
    {
        const QString index = m_server.pactl(QStringList{"load-module"} + module).value_or(QString()).trimmed();
        const auto listed = [&device] {
            const QList<QAudioDevice> devices = QMediaDevices::audioInputs() + QMediaDevices::audioOutputs();
            return std::any_of(devices.begin(), devices.end(),
                               [&device](const QAudioDevice& d) { return d.id() == device.toUtf8(); });
        };
        return !index.isEmpty() && QTest::qWaitFor(listed, 5000) ? index : QString();
    }

    bool playTone(double seconds)
    {
        const QString path = m_home->path() + "/tone.wav";
        QString reason;
        if (!WriteTone(path, seconds) || m_device.Open(path, &reason) != WaveFileError::None)
            return false;
        m_device.Play();
        return m_device.mode() == Mode::Playing;
    }

    PrivateSoundServer m_server;
    QString m_latePipe;
    WaveAudioDevice m_device;
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_GUILESS_MAIN(TestDefaultDevices)
#include "tst_defaultdevices.moc"
