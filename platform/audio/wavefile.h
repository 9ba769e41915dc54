#pragma once

#include "platform/audio/wavedata.h"

#include <QString>

// Wave files, read and written with libsndfile (through the sound module,
// audiomodule.h). Any sound file the library
// understands is read (8/16/24/32-bit and float PCM, ADPCM, mu-law, A-law...) and
// converted to 16-bit samples; files are always written as 16-bit PCM WAV.
namespace platform::audio {

// Files larger than this, or sound that decodes to more than this, is refused
// rather than read into memory: a word's clip lasts seconds.
inline constexpr qint64 kMaxWaveBytes = qint64(256) * 1024 * 1024;
// More channels than this is no recording of a word.
inline constexpr int kMaxChannels = 8;

enum class WaveFileError {
    None = 0,
    NotFound,       // nothing has that name
    NotAFile,       // a folder, a device or a pipe has that name
    CannotRead,     // the file is there but cannot be read
    NotPlayable,    // not a sound file, damaged, or in a shape no device takes
    TooLong,        // larger than kMaxWaveBytes
    NoSoundModule,  // a readable file, but the sound module that decodes it cannot be loaded
};

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
