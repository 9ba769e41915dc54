#pragma once

#include <QByteArray>

namespace platform::audio {

// Sound held in memory: interleaved signed 16-bit samples in the machine's byte
// order. Every clip is kept this way whatever its file held, so playback,
// recording and saving deal with one sample format only.
struct WaveData {
    int sampleRate = 0;
    int channels = 0;
    QByteArray samples;

    qint64 bytesPerFrame() const { return 2 * qint64(channels); }
    qint64 frameCount() const { return channels > 0 ? samples.size() / bytesPerFrame() : 0; }
};

// Recordings are made as speech needs them: 22,050 frames a second, one channel.
inline constexpr int kRecordingSampleRate = 22050;
inline constexpr int kRecordingChannels = 1;

WaveData EmptyRecording();

}  // namespace platform::audio
