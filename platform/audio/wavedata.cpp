#include "platform/audio/wavedata.h"

namespace platform::audio {

QAudioFormat WaveData::format() const
{
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(channels);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

WaveData EmptyRecording()
{
    return {kRecordingSampleRate, kRecordingChannels, {}};
}

}  // namespace platform::audio
