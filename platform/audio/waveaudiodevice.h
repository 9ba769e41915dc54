#pragma once

#include "platform/audio/audiobackend.h"
#include "platform/audio/wavedata.h"
#include "platform/audio/wavefile.h"

#include <QObject>
#include <QString>

#include <memory>

namespace platform::audio {

// A wave audio device holding one clip: a new recording, a recording made, or
// a wave file opened. It records into the clip at its position, plays the clip
// from its position, and saves it as a wave file. Play and Record return at
// once and go on in the background until the clip ends or Stop.
//
// Device failures (no device, a device that refuses or stops working) are
// reported through deviceError() with a message for the user; file failures
// are returned to the caller.
//
// The sound module is loaded by the first operation that needs it. Without
// it, a readable file still opens (its sound unread) and Play, Record and
// Save report the module as they would a missing device or a failed write:
// the file is not to blame.
class WaveAudioDevice : public QObject {
    Q_OBJECT

public:
    enum class Mode {
        NotReady,  // no clip: never given one, or the last Open failed
        Stopped,
        Playing,
        Recording,
    };

    explicit WaveAudioDevice(QObject* parent = nullptr);
    ~WaveAudioDevice() override;

    // Discards the clip held, unsaved, and starts an empty recording.
    void New();
    // Discards the clip held, unsaved, and holds `clip` as a new recording
    // (spoken by the computer voice), to be played or saved. Goes straight from
    // one clip to the other, never through NotReady, so controls showing the
    // device stay enabled and keep the focus.
    void NewFrom(const WaveData& clip);
    // Replaces the clip held with the wave file at `path`. On failure no clip is
    // held. Never NoSoundModule: see above.
    WaveFileError Open(const QString& path, QString* reason);
    // Plays from the position to the end; from the start when the position is at the end.
    void Play();
    // Records at the position, inserting what is recorded into the clip.
    void Record();
    // Ends playing or recording; the position stays where it ended.
    void Stop();
    // Writes the clip to `path` as a 16-bit PCM wave file; recording stops first.
    // An empty recording is not written, so it never replaces a clip saved before.
    bool Save(const QString& path, QString* reason);
    // The input Record uses from now on, by its id (RecordingDevice); empty for
    // the default. An input that is not there when Record starts gives way to
    // the default. Nothing is loaded until Record.
    void SetRecordingDevice(const QByteArray& id) { m_recordingDevice = id; }
    const QByteArray& recordingDevice() const { return m_recordingDevice; }
    // Moves the position while stopped.
    void Seek(qint64 frame);
    // Ends all sound work and drops the clip.
    void Close();

    Mode mode() const { return m_mode; }
    qint64 position() const;
    qint64 length() const;
    int sampleRate() const { return m_clip.sampleRate; }
    // While recording, how loud the input is, 0 to 1; 0 otherwise.
    double inputLevel() const;
    // The file the clip was opened from or last saved to; empty for a new recording.
    const QString& fileName() const { return m_fileName; }
    const WaveData& clip() const { return m_clip; }

signals:
    void modeChanged(platform::audio::WaveAudioDevice::Mode mode);
    // The clip, its length or its file name changed.
    void clipChanged();
    // The first samples of a Play went to the output device.
    void playbackStarted();
    // Play reached the end of the clip.
    void playbackEnded();
    void deviceError(const QString& message);

private:
    PlaybackStream* playback(QString* reason);
    CaptureStream* capture(QString* reason);
    void setMode(Mode mode);
    void stopStreams();
    void finishRecording();
    void onPlaybackFinished();
    void onPlaybackFailed(const QString& reason);
    void onCaptureFailed(const QString& reason);

    // Made on first use, from the sound module.
    std::unique_ptr<PlaybackStream> m_playback;
    std::unique_ptr<CaptureStream> m_capture;
    WaveData m_clip;
    QString m_fileName;
    QByteArray m_recordingDevice;
    Mode m_mode = Mode::NotReady;
    qint64 m_position = 0;
};

}  // namespace platform::audio
