#include "platform/audio/module/capture.h"

#include "platform/audio/module/defaultdevices.h"
#include "platform/audio/teardown.h"

#include <QAudioDevice>
#include <QAudioSource>
#include <QThread>

#include <utility>

namespace platform::audio {

namespace {

// The longest Stop waits for the samples still on their way: a device that
// holds back more than this is taken to have stopped.
constexpr qint64 kMaxDrainMs = 4000;
constexpr unsigned long kDrainPollMs = 5;

}  // namespace

AudioCapture::AudioCapture(std::function<void(const QString& reason)> failed)
    : m_failed(std::move(failed)), m_watch([this] { onDeviceRemoved(); })
{
}

AudioCapture::~AudioCapture()
{
    stop();
    CancelDeferredDeletes(this);
}

bool AudioCapture::start(const QByteArray& deviceId, int sampleRate, int channels, QString* reason)
{
    stop();
    const QAudioDevice device = deviceId.isEmpty() ? DefaultInput() : InputOrDefault(deviceId);
    if (device.isNull()) {
        *reason = QStringLiteral("there is no recording device");
        return false;
    }
    m_format = QAudioFormat();
    m_format.setSampleRate(sampleRate);
    m_format.setChannelCount(channels);
    m_format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(m_format)) {
        *reason = QStringLiteral("the recording device \"%1\" cannot record %2 channels at %3 samples a second")
                      .arg(device.description())
                      .arg(channels)
                      .arg(sampleRate);
        return false;
    }
    m_source = new QAudioSource(device, m_format, this);
    connect(m_source, &QAudioSource::stateChanged, this, &AudioCapture::onStateChanged);
    // Read by us rather than written to a buffer by the source: Stop can then
    // take what arrives after it was pressed.
    m_input = m_source->start();
    if (!m_input || m_source->error() != QAudio::NoError) {
        stop();
        *reason = QStringLiteral("the recording device \"%1\" could not be opened").arg(device.description());
        return false;
    }
    m_clock.start();
    m_deviceName = device.description();
    m_recordedBeforeRemoval = -1;
    m_watch.watch(device);
    connect(m_input, &QIODevice::readyRead, this, &AudioCapture::takeSamples);
    return true;
}

QByteArray AudioCapture::stop()
{
    if (m_source && m_input)
        drain();
    release();
    m_level = 0;
    QByteArray recorded = std::exchange(m_recorded, QByteArray());
    // Whole frames only: a device may stop in the middle of one.
    const qint64 frameBytes = m_format.bytesPerFrame();
    if (frameBytes > 0)
        recorded.truncate(recorded.size() - recorded.size() % frameBytes);
    return recorded;
}

qint64 AudioCapture::capturedFrames() const
{
    const qint64 frameBytes = m_format.bytesPerFrame();
    return frameBytes > 0 ? m_recorded.size() / frameBytes : 0;
}

void AudioCapture::takeSamples()
{
    if (!m_input)
        return;
    if (!m_watch.removalPending())
        m_recordedBeforeRemoval = -1;
    else if (m_recordedBeforeRemoval < 0)
        m_recordedBeforeRemoval = m_recorded.size();
    const QByteArray samples = m_input->readAll();
    if (samples.isEmpty())
        return;
    m_recorded.append(samples);
    // The loudest of what just came, which is a few hundredths of a second.
    const auto* s = reinterpret_cast<const qint16*>(samples.constData());
    int peak = 0;
    for (qsizetype i = 0; i < samples.size() / 2; ++i)
        peak = qMax(peak, qAbs(int(s[i])));
    m_level = peak / 32768.0;
}

// What was captured before Stop may still be on its way: in the device, in
// the sound server, in the source's stream. A device of long latency hands
// over seconds at once. So the recording is read on until it holds as much
// sound as there was time to capture, by the wall clock since the start and
// by the stream's own clock, and then cut there: what came after Stop is not
// kept. Neither clock cuts what had already arrived.
void AudioCapture::drain()
{
    takeSamples();
    const qint64 byClock = m_format.bytesForDuration(m_clock.nsecsElapsed() / 1000);
    const qint64 byStream = m_format.bytesForDuration(m_source->processedUSecs());
    const qint64 captured = qMax<qint64>(m_recorded.size(), qMax(byClock, byStream));
    QElapsedTimer waited;
    waited.start();
    // Polled without an event loop, so nothing else can happen meanwhile.
    while (m_recorded.size() < captured && waited.elapsed() < kMaxDrainMs && m_source->error() == QAudio::NoError
           && m_source->state() != QAudio::StoppedState) {
        QThread::msleep(kDrainPollMs);
        takeSamples();
    }
    if (m_recorded.size() > captured)
        m_recorded.truncate(captured);
}

void AudioCapture::release()
{
    m_watch.watch(QAudioDevice());
    if (!m_source)
        return;
    m_source->disconnect(this);
    // Stopping the source deletes its device.
    m_input = nullptr;
    m_source->stop();
    // This may run inside the source's own signal.
    m_source->deleteLater();
    m_source = nullptr;
}

// The server moved the stream to another device as it removed this one, and
// the removal may have been checked long after it was heard (the event loop was
// busy): what was read since it was heard, or was left unread, may be the other
// device's sound, which is not wanted. What came before is kept, and nothing
// more is waited for.
void AudioCapture::onDeviceRemoved()
{
    if (m_recordedBeforeRemoval >= 0)
        m_recorded.truncate(m_recordedBeforeRemoval);
    release();
    m_failed(QStringLiteral("the recording device \"%1\" was disconnected; what was recorded until then is kept")
                 .arg(m_deviceName));
}

void AudioCapture::onStateChanged()
{
    if (!m_source)
        return;
    const QAudio::Error error = m_source->error();
    if (error == QAudio::IOError || error == QAudio::FatalError || error == QAudio::OpenError)
        m_failed(QStringLiteral("the recording device stopped working"));
}

}  // namespace platform::audio
