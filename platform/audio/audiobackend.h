#pragma once

#include "platform/audio/wavecodec.h"
#include "platform/audio/wavedata.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

// The sound module's side: everything that needs the sound system or the wave
// codec library. It lives in a module of its own, loaded on first use, so the
// program starts without mapping the sound stack (audiomodule.h). The classes
// here carry no signals of their own: the module's objects report through the
// callbacks they are given, always from the event loop.
namespace platform::audio {

struct PlaybackEvents {
    std::function<void()> started;   // the first samples went to the device
    std::function<void()> finished;  // the device played the sound to its end
    std::function<void(const QString& reason)> failed;
};

// Plays sound held in memory on the default output device (see module/playback.h).
class PlaybackStream {
public:
    virtual ~PlaybackStream() = default;
    virtual bool start(const WaveData& sound, qint64 fromFrame, QString* reason) = 0;
    virtual void stop() = 0;
    virtual qint64 position() const = 0;
};

// A device to record from: the sound server's name for it, and what the user reads.
struct RecordingDevice {
    QByteArray id;
    QString description;
};

// Records from an input device into memory (see module/capture.h).
class CaptureStream {
public:
    virtual ~CaptureStream() = default;
    // From the device of that id, or from the default one when the id is
    // empty or names no device there is now.
    virtual bool start(const QByteArray& deviceId, int sampleRate, int channels, QString* reason) = 0;
    virtual QByteArray stop() = 0;
    virtual qint64 capturedFrames() const = 0;
    // How loud the latest samples were, 0 (silence) to 1 (full scale).
    virtual double level() const = 0;
};

class AudioBackend {
public:
    virtual ~AudioBackend() = default;
    // The whole of a sound file in memory, decoded to 16-bit samples.
    virtual WaveFileError decode(const QByteArray& bytes, WaveData* data, QString* reason) const = 0;
    // A 16-bit PCM WAV file's bytes; empty when the encoder refuses.
    virtual QByteArray encode(const WaveData& data) const = 0;
    virtual std::unique_ptr<PlaybackStream> createPlayback(PlaybackEvents events) const = 0;
    virtual std::unique_ptr<CaptureStream> createCapture(std::function<void(const QString& reason)> failed) const = 0;
    // The devices one can record from, the default first; no monitors of outputs.
    virtual QList<RecordingDevice> recordingDevices() const = 0;
};

// The module's one exported function, `extern "C"`; the number changes
// whenever the classes above do, so a module built for another version is
// refused instead of called.
inline constexpr char kBackendEntryPoint[] = "wordwell_audio_backend_3";
using BackendEntryPoint = const AudioBackend* (*)();

}  // namespace platform::audio
