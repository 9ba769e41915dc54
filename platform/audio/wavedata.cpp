#include "platform/audio/wavedata.h"

namespace platform::audio {

WaveData EmptyRecording()
{
    return {kRecordingSampleRate, kRecordingChannels, {}};
}

}  // namespace platform::audio
