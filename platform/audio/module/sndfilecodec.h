#pragma once

#include "platform/audio/wavecodec.h"
#include "platform/audio/wavedata.h"

#include <QByteArray>
#include <QString>

// The wave codec over libsndfile, working on whole files in memory.
namespace platform::audio {

WaveFileError SndfileDecode(const QByteArray& bytes, WaveData* data, QString* reason);
QByteArray SndfileEncode(const WaveData& data);

}  // namespace platform::audio
