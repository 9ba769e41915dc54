#include "platform/audio/audiomodule.h"

#include "platform/audio/audiobackend.h"
#include "platform/modules/modules.h"

namespace platform::audio {

const AudioBackend* Backend(QString* reason)
{
    const modules::EntryPoint entry = modules::ModuleEntry(QLatin1String(kAudioModuleName), kBackendEntryPoint,
                                                           QStringLiteral("sound module"), reason);
    return entry ? reinterpret_cast<BackendEntryPoint>(entry)() : nullptr;
}

QList<RecordingDevice> RecordingDevices(QString* reason)
{
    const AudioBackend* backend = Backend(reason);
    return backend ? backend->recordingDevices() : QList<RecordingDevice>();
}

}  // namespace platform::audio
