#include "platform/audio/module/playback.h"

#include "platform/audio/module/defaultdevices.h"
#include "platform/audio/teardown.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>

namespace platform::audio {

// The samples handed to the device, telling when the first of them goes.
class PcmSource : public QBuffer {
    Q_OBJECT

public:
    using QBuffer::QBuffer;

signals:
    void firstRead();

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 n = QBuffer::readData(data, maxSize);
        if (n > 0 && !m_read) {
            m_read = true;
            emit firstRead();
        }
        return n;
    }

private:
    bool m_read = false;
};

namespace {

// How often, and how many times at most, to look whether the device has played
// what it holds after the last samples went to it.
constexpr int kDrainIntervalMs = 10;
constexpr int kMaxDrainChecks = 300;

}  // namespace

QAudioFormat FormatOf(const WaveData& sound)
{
    QAudioFormat format;
    format.setSampleRate(sound.sampleRate);
    format.setChannelCount(sound.channels);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

AudioPlayback::AudioPlayback(PlaybackEvents events)
    : m_events(std::move(events)), m_watch([this] { onDeviceRemoved(); })
{
    m_drainTimer.setInterval(kDrainIntervalMs);
    connect(&m_drainTimer, &QTimer::timeout, this, &AudioPlayback::checkDrained);
}

AudioPlayback::~AudioPlayback()
{
    release();
    CancelDeferredDeletes(this);
}

bool AudioPlayback::start(const WaveData& sound, qint64 fromFrame, QString* reason)
{
    stop();
    const QAudioDevice device = DefaultOutput();
    if (device.isNull()) {
        *reason = QStringLiteral("there is no sound output device");
        return false;
    }
    const QAudioFormat format = FormatOf(sound);
    if (!device.isFormatSupported(format)) {
        *reason = QStringLiteral("the sound output device \"%1\" cannot play %2 channels at %3 samples a second")
                      .arg(device.description())
                      .arg(sound.channels)
                      .arg(sound.sampleRate);
        return false;
    }
    m_startFrame = qBound<qint64>(0, fromFrame, sound.frameCount());
    m_frameCount = sound.frameCount();
    m_sampleRate = sound.sampleRate;

    m_source = new PcmSource(this);
    m_source->setData(sound.samples.mid(m_startFrame * sound.bytesPerFrame()));
    m_source->open(QIODevice::ReadOnly);
    connect(m_source, &PcmSource::firstRead, this, [this] { m_events.started(); });

    m_sink = new QAudioSink(device, format, this);
    connect(m_sink, &QAudioSink::stateChanged, this, &AudioPlayback::onStateChanged);
    m_sink->start(m_source);
    if (m_sink->error() != QAudio::NoError) {
        release();
        *reason = QStringLiteral("the sound output device \"%1\" could not be opened").arg(device.description());
        return false;
    }
    m_deviceName = device.description();
    m_watch.watch(device);
    return true;
}

void AudioPlayback::stop()
{
    release();
}

qint64 AudioPlayback::position() const
{
    if (!m_sink)
        return m_startFrame;
    const qint64 played = m_sink->processedUSecs() * m_sampleRate / 1000000;
    return qMin(m_frameCount, m_startFrame + played);
}

void AudioPlayback::onStateChanged()
{
    if (!m_sink)
        return;
    const QAudio::Error error = m_sink->error();
    if (error == QAudio::IOError || error == QAudio::FatalError
        || (m_sink->state() == QAudio::StoppedState && error == QAudio::OpenError)) {
        release();
        m_events.failed(QStringLiteral("the sound output device stopped working"));
        return;
    }
    // Idle with every sample taken: the end is near, once the device has played
    // what it still holds.
    if (m_sink->state() == QAudio::IdleState && m_source->atEnd() && !m_drainTimer.isActive()) {
        m_drainChecks = 0;
        m_drainTimer.start();
    }
}

void AudioPlayback::onDeviceRemoved()
{
    release();
    m_events.failed(QStringLiteral("the sound output device \"%1\" was disconnected").arg(m_deviceName));
}

void AudioPlayback::checkDrained()
{
    if (!m_sink)
        return;
    const bool drained = m_sink->bytesFree() >= m_sink->bufferSize();
    if (!drained && ++m_drainChecks < kMaxDrainChecks)
        return;
    release();
    m_startFrame = m_frameCount;
    m_events.finished();
}

void AudioPlayback::release()
{
    m_drainTimer.stop();
    m_watch.watch(QAudioDevice());
    if (m_sink) {
        m_startFrame = position();
        m_sink->disconnect(this);
        m_sink->stop();
        // This may run inside the sink's own signal.
        m_sink->deleteLater();
        m_sink = nullptr;
    }
    if (m_source) {
        m_source->deleteLater();
        m_source = nullptr;
    }
}

}  // namespace platform::audio

#include "playback.moc"
