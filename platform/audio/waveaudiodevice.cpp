#include "platform/audio/waveaudiodevice.h"

#include "platform/audio/audiomodule.h"

#include <QTimer>

namespace platform::audio {

namespace {

QString playMessage(const QString& reason)
{
    return QStringLiteral("Unable to play the sound clip: %1.").arg(reason);
}

QString recordMessage(const QString& reason)
{
    return QStringLiteral("Unable to record: %1.").arg(reason);
}

}  // namespace

WaveAudioDevice::WaveAudioDevice(QObject* parent) : QObject(parent) {}

// The streams go first, while the callbacks they hold still have a device to call.
WaveAudioDevice::~WaveAudioDevice()
{
    m_playback.reset();
    m_capture.reset();
}

PlaybackStream* WaveAudioDevice::playback(QString* reason)
{
    if (!m_playback) {
        const AudioBackend* backend = Backend(reason);
        if (!backend)
            return nullptr;
        m_playback = backend->createPlayback({
            [this] { emit playbackStarted(); },
            [this] { onPlaybackFinished(); },
            [this](const QString& why) { onPlaybackFailed(why); },
        });
    }
    return m_playback.get();
}

CaptureStream* WaveAudioDevice::capture(QString* reason)
{
    if (!m_capture) {
        const AudioBackend* backend = Backend(reason);
        if (!backend)
            return nullptr;
        m_capture = backend->createCapture([this](const QString& why) { onCaptureFailed(why); });
    }
    return m_capture.get();
}

void WaveAudioDevice::New()
{
    Close();
    m_clip = EmptyRecording();
    setMode(Mode::Stopped);
    emit clipChanged();
}

void WaveAudioDevice::NewFrom(const WaveData& clip)
{
    stopStreams();
    m_clip = clip;
    m_fileName.clear();
    m_position = 0;
    setMode(Mode::Stopped);
    emit clipChanged();
}

WaveFileError WaveAudioDevice::Open(const QString& path, QString* reason)
{
    Close();
    WaveData data;
    const WaveFileError error = ReadWaveFile(path, &data, reason);
    if (error == WaveFileError::NoSoundModule) {
        // Held with its sound unread; Play and Save name the module.
        m_fileName = path;
        setMode(Mode::Stopped);
        emit clipChanged();
        return WaveFileError::None;
    }
    if (error != WaveFileError::None)
        return error;
    m_clip = data;
    m_fileName = path;
    setMode(Mode::Stopped);
    emit clipChanged();
    return WaveFileError::None;
}

void WaveAudioDevice::Play()
{
    if (m_mode == Mode::NotReady || m_mode == Mode::Playing)
        return;
    if (m_mode == Mode::Recording)
        finishRecording();
    QString reason;
    PlaybackStream* stream = playback(&reason);
    if (!stream) {
        emit deviceError(playMessage(reason));
        return;
    }
    if (m_clip.frameCount() == 0) {
        // Nothing to play: it ends at once, but never inside the caller's Play.
        QTimer::singleShot(0, this, [this] {
            if (m_mode == Mode::Stopped)
                emit playbackEnded();
        });
        return;
    }
    if (m_position >= m_clip.frameCount())
        m_position = 0;
    if (!stream->start(m_clip, m_position, &reason)) {
        emit deviceError(playMessage(reason));
        return;
    }
    setMode(Mode::Playing);
}

void WaveAudioDevice::Record()
{
    if (m_mode == Mode::NotReady || m_mode == Mode::Recording)
        return;
    Stop();
    QString reason;
    CaptureStream* stream = capture(&reason);
    if (!stream || !stream->start(m_recordingDevice, m_clip.sampleRate, m_clip.channels, &reason)) {
        emit deviceError(recordMessage(reason));
        return;
    }
    setMode(Mode::Recording);
}

void WaveAudioDevice::Stop()
{
    if (m_mode == Mode::Playing) {
        m_playback->stop();
        m_position = m_playback->position();
        setMode(Mode::Stopped);
    } else if (m_mode == Mode::Recording) {
        finishRecording();
        setMode(Mode::Stopped);
    }
}

bool WaveAudioDevice::Save(const QString& path, QString* reason)
{
    if (m_mode == Mode::Recording)
        Stop();
    if (m_mode == Mode::NotReady) {
        *reason = QStringLiteral("there is no sound clip to save");
        return false;
    }
    if (!Backend(reason))
        return false;
    if (m_clip.frameCount() == 0) {
        *reason = QStringLiteral("nothing has been recorded");
        return false;
    }
    if (!WriteWaveFile(path, m_clip, reason))
        return false;
    m_fileName = path;
    emit clipChanged();
    return true;
}

void WaveAudioDevice::Seek(qint64 frame)
{
    if (m_mode == Mode::Stopped)
        m_position = qBound<qint64>(0, frame, m_clip.frameCount());
}

void WaveAudioDevice::Close()
{
    stopStreams();
    m_clip = WaveData();
    m_fileName.clear();
    m_position = 0;
    setMode(Mode::NotReady);
    emit clipChanged();
}

qint64 WaveAudioDevice::position() const
{
    switch (m_mode) {
    case Mode::Playing: return m_playback->position();
    case Mode::Recording: return m_position + m_capture->capturedFrames();
    default: return m_position;
    }
}

double WaveAudioDevice::inputLevel() const
{
    return m_mode == Mode::Recording ? m_capture->level() : 0.0;
}

qint64 WaveAudioDevice::length() const
{
    return m_clip.frameCount() + (m_mode == Mode::Recording ? m_capture->capturedFrames() : 0);
}

void WaveAudioDevice::stopStreams()
{
    if (m_playback)
        m_playback->stop();
    if (m_capture)
        m_capture->stop();
}

void WaveAudioDevice::setMode(Mode mode)
{
    if (m_mode == mode)
        return;
    m_mode = mode;
    emit modeChanged(mode);
}

void WaveAudioDevice::finishRecording()
{
    const QByteArray recorded = m_capture->stop();
    const qint64 at = qMin(m_position, m_clip.frameCount()) * m_clip.bytesPerFrame();
    m_clip.samples.insert(at, recorded);
    m_position += recorded.size() / m_clip.bytesPerFrame();
    emit clipChanged();
}

void WaveAudioDevice::onPlaybackFinished()
{
    m_position = m_clip.frameCount();
    setMode(Mode::Stopped);
    emit playbackEnded();
}

void WaveAudioDevice::onPlaybackFailed(const QString& reason)
{
    m_position = m_playback->position();
    setMode(Mode::Stopped);
    emit deviceError(playMessage(reason));
}

void WaveAudioDevice::onCaptureFailed(const QString& reason)
{
    Stop();
    emit deviceError(recordMessage(reason));
}

}  // namespace platform::audio
