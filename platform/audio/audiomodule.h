#pragma once

#include <QList>
#include <QString>

namespace platform::audio {

class AudioBackend;
struct RecordingDevice;

// The sound module's file name, in the program's module folder (platform/modules).
inline constexpr char kAudioModuleName[] = "wordwell-audio.so";

// The backend of the sound module, loaded on first use; null with the reason
// ("the sound module "<path>" could not be loaded (<why>)") when it cannot be.
// A failure is tried again next time, so a module installed meanwhile is found.
const AudioBackend* Backend(QString* reason);

// The devices one can record from, the default first, loading the sound module
// if need be; empty, with the reason when the module cannot be loaded.
QList<RecordingDevice> RecordingDevices(QString* reason);

}  // namespace platform::audio
