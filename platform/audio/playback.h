#pragma once

#include "platform/audio/wavedata.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class QAudioSink;

namespace platform::audio {

class PcmSource;

// Plays sound held in memory on the default sound output device. start()
// returns at once; the device pulls the samples in the background.
class AudioPlayback : public QObject {
    Q_OBJECT

public:
    explicit AudioPlayback(QObject* parent = nullptr);
    ~AudioPlayback() override;

    // Plays `sound` from `fromFrame` to its end. False, with the reason, when
    // there is no output device or it will not play the sound's format.
    bool start(const WaveData& sound, qint64 fromFrame, QString* reason);
    // Ends playback at once; finished() is not emitted.
    void stop();
    bool isActive() const { return m_sink != nullptr; }
    // The frame of the sound the device has reached.
    qint64 position() const;

signals:
    // The first samples went to the device.
    void started();
    // The device played the sound to its end.
    void finished();
    // The device stopped working while playing.
    void failed(const QString& reason);

private:
    void onStateChanged();
    void checkDrained();
    void release();

    QAudioSink* m_sink = nullptr;
    PcmSource* m_source = nullptr;
    QTimer m_drainTimer;
    qint64 m_startFrame = 0;
    qint64 m_frameCount = 0;
    int m_sampleRate = 0;
    int m_drainChecks = 0;
};

}  // namespace platform::audio
