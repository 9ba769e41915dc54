#pragma once

#include "platform/audio/wavefile.h"

// The wave codec over libsndfile, working on whole files in memory.
namespace platform::audio {

WaveFileError SndfileDecode(const QByteArray& bytes, WaveData* data, QString* reason);
QByteArray SndfileEncode(const WaveData& data);

}  // namespace platform::audio
