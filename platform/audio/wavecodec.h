#pragma once

#include <QtGlobal>

// What the program's side and the sound module's codec agree on: the limits
// on what is decoded and the ways decoding fails. Apart from wavefile.h so the
// module's interface (audiobackend.h) does not depend on the file functions,
// which call the module.
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

}  // namespace platform::audio
