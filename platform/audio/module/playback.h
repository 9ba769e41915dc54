#pragma once

#include "platform/audio/audiobackend.h"
#include "platform/audio/module/devicewatch.h"

#include <QAudioFormat>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QAudioSink;

namespace platform::audio {

class PcmSource;

// The format a device is asked for to play or record `sound`.
QAudioFormat FormatOf(const WaveData& sound);

// Plays sound held in memory on the default sound output device. start()
// returns at once; the device pulls the samples in the background and the
// events tell how it goes.
class AudioPlayback : public QObject, public PlaybackStream {
    Q_OBJECT

public:
    explicit AudioPlayback(PlaybackEvents events);
    ~AudioPlayback() override;

    // Plays `sound` from `fromFrame` to its end. False, with the reason, when
    // there is no output device or it will not play the sound's format.
    bool start(const WaveData& sound, qint64 fromFrame, QString* reason) override;
    // Ends playback at once; `finished` is not called.
    void stop() override;
    // The frame of the sound the device has reached.
    qint64 position() const override;

private:
    void onStateChanged();
    void onDeviceRemoved();
    void checkDrained();
    void release();

    PlaybackEvents m_events;
    QAudioSink* m_sink = nullptr;
    PcmSource* m_source = nullptr;
    QTimer m_drainTimer;
    qint64 m_startFrame = 0;
    qint64 m_frameCount = 0;
    int m_sampleRate = 0;
    int m_drainChecks = 0;
    QString m_deviceName;
    DeviceWatch m_watch;
};

}  // namespace platform::audio
