#pragma once

#include "platform/audio/wavecodec.h"
#include "platform/audio/wavedata.h"

#include <QString>

// Wave files, read and written with libsndfile (through the sound module,
// audiomodule.h). Any sound file the library
// understands is read (8/16/24/32-bit and float PCM, ADPCM, mu-law, A-law...) and
// converted to 16-bit samples; files are always written as 16-bit PCM WAV.
namespace platform::audio {

// Reads the file at `path` (case-blind, '\' or '/' separators). On failure
// `data` is untouched and `reason` says why, in words for the user.
WaveFileError ReadWaveFile(const QString& path, WaveData* data, QString* reason);
// The same for a whole file already in memory.
WaveFileError DecodeWave(const QByteArray& bytes, WaveData* data, QString* reason);

// The bytes of a 16-bit PCM WAV file holding `data`; empty without the sound module.
QByteArray EncodeWave(const WaveData& data);
// Writes `data` to `path` as a 16-bit PCM WAV file, replacing a file of that name
// (in any letter case) only once the new one is complete.
bool WriteWaveFile(const QString& path, const WaveData& data, QString* reason);

}  // namespace platform::audio
