#pragma once

#include <QString>

namespace platform::audio {

class AudioBackend;

// The file name of the sound module, installed beside the program.
inline constexpr char kAudioModuleName[] = "wordwell-audio.so";
// When set, the full path of the module to use instead (the build's tests and
// benchmarks run far from the folder the module is built into).
inline constexpr char kAudioModuleVariable[] = "WORDWELL_AUDIO_MODULE";

// Where the sound module is looked for: $WORDWELL_AUDIO_MODULE, or beside the program.
QString AudioModulePath();

// Loads the module at `path` and returns its backend, or null with the reason
// ("the sound module "<path>" could not be loaded (<loader's words>)"). A module
// once loaded stays loaded: objects it made may outlive any caller.
const AudioBackend* LoadAudioModule(const QString& path, QString* reason);

// The backend of the module at AudioModulePath(), loaded on first use; null
// with the reason when it cannot be. A failure is tried again next time, so a
// module installed meanwhile is found.
const AudioBackend* Backend(QString* reason);

}  // namespace platform::audio
