#include "platform/audio/module/capture.h"

#include "platform/audio/teardown.h"

#include <QAudioDevice>
#include <QAudioSource>
#include <QBuffer>
#include <QMediaDevices>

namespace platform::audio {

AudioCapture::AudioCapture(std::function<void(const QString& reason)> failed) : m_failed(std::move(failed)) {}

AudioCapture::~AudioCapture()
{
    stop();
    CancelDeferredDeletes(this);
}

bool AudioCapture::start(int sampleRate, int channels, QString* reason)
{
    stop();
    const QAudioDevice device = QMediaDevices::defaultAudioInput();
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
    m_buffer = new QBuffer(this);
    m_buffer->open(QIODevice::WriteOnly);
    m_source = new QAudioSource(device, m_format, this);
    connect(m_source, &QAudioSource::stateChanged, this, &AudioCapture::onStateChanged);
    m_source->start(m_buffer);
    if (m_source->error() != QAudio::NoError) {
        stop();
        *reason = QStringLiteral("the recording device \"%1\" could not be opened").arg(device.description());
        return false;
    }
    return true;
}

QByteArray AudioCapture::stop()
{
    QByteArray recorded;
    if (m_source) {
        m_source->disconnect(this);
        m_source->stop();
        // This may run inside the source's own signal.
        m_source->deleteLater();
        m_source = nullptr;
    }
    if (m_buffer) {
        recorded = m_buffer->data();
        // Whole frames only: a device may stop in the middle of one.
        const qint64 frameBytes = m_format.bytesPerFrame();
        if (frameBytes > 0)
            recorded.truncate(recorded.size() - recorded.size() % frameBytes);
        m_buffer->deleteLater();
        m_buffer = nullptr;
    }
    return recorded;
}

qint64 AudioCapture::capturedFrames() const
{
    const qint64 frameBytes = m_format.bytesPerFrame();
    return (m_buffer && frameBytes > 0) ? m_buffer->size() / frameBytes : 0;
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
