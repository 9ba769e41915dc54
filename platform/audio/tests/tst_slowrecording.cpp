// Recording through a device of long latency: one that hands over its samples
// seconds after it captured them. This suite runs its own sound server whose
// only recording device is such a device, so the other suites never see it.
#include "platform/audio/waveaudiodevice.h"

#include "audiotesting.h"
#include "privatesoundserver.h"
#include "testsupport/isolatedhome.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <thread>
#include <unistd.h>

using namespace platform::audio;
using namespace audiotesting;

namespace {

constexpr int kRate = kRecordingSampleRate;
constexpr int kBlockSeconds = 2;

// Plays the part of the device: from its construction it captures a tone and
// writes it into the server's pipe a whole block at a time, each at its end.
class LateDevice {
public:
    explicit LateDevice(const QString& pipe)
        : m_thread([this, name = QFile::encodeName(pipe)] {
              const QByteArray block = Tone(kBlockSeconds).samples;
              const int fd = ::open(name.constData(), O_WRONLY | O_CLOEXEC);
              if (fd < 0)
                  return;
              std::unique_lock lock(m_mutex);
              while (!m_done.wait_for(lock, std::chrono::seconds(kBlockSeconds), [this] { return m_stopping; })) {
                  if (::write(fd, block.constData(), size_t(block.size())) != block.size())
                      break;
              }
              ::close(fd);
          })
    {
    }
    ~LateDevice()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_done.notify_one();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_stopping = false;
    std::thread m_thread;
};

bool silentAt(const QByteArray& samples, qint64 frame)
{
    return reinterpret_cast<const qint16*>(samples.constData())[frame] == 0;
}

}  // namespace

class TestSlowRecording : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (ExpectNoAudioDevice())
            QSKIP("this run has no sound device");
        m_pipe = m_server.runtimePath() + "/late-source";
        QString why;
        QVERIFY2(m_server.start({"module-null-sink sink_name=late_sink",
                                 "module-pipe-source source_name=late_source file=" + m_pipe
                                     + " format=s16le rate=22050 channels=1"},
                                &why),
                 qPrintable(why));
        // The sound system is loaded by the first recording, after this.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_pipe), 10000);
    }

    void init() { m_home = std::make_unique<IsolatedHome>(); }
    void cleanup() { m_home.reset(); }

    // The device has handed over nothing of a 1.2-second recording when Stop is
    // pressed, and only the first two seconds of a 3-second one.
    void stopKeepsEverySampleCapturedBeforeIt_data()
    {
        QTest::addColumn<int>("ms");
        QTest::newRow("1.2 s") << 1200;
        QTest::newRow("3 s") << 3000;
    }

    void stopKeepsEverySampleCapturedBeforeIt()
    {
        QFETCH(int, ms);
        WaveAudioDevice device;
        device.New();
        device.Record();
        QCOMPARE(device.mode(), WaveAudioDevice::Mode::Recording);
        QElapsedTimer clock;
        clock.start();
        const LateDevice late(m_pipe);
        QTest::qWait(ms);
        const qint64 pressed = clock.elapsed() * kRate / 1000;
        device.Stop();
        QCOMPARE(device.mode(), WaveAudioDevice::Mode::Stopped);
        const qint64 kept = device.length();
        QVERIFY2(qAbs(kept - pressed) < kRate / 10,
                 qPrintable(QString("%1 frames kept of %2 recorded").arg(kept).arg(pressed)));
        // The tone to its end: what the device captured, nothing made up.
        const QByteArray& samples = device.clip().samples;
        QVERIFY(!silentAt(samples, kept - 2) || !silentAt(samples, kept - 3));

        QString reason;
        QVERIFY2(device.Save(m_home->path() + "/slow.wav", &reason), qPrintable(reason));
    }

private:
    PrivateSoundServer m_server;
    QString m_pipe;
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_GUILESS_MAIN(TestSlowRecording)
#include "tst_slowrecording.moc"
