#include "practice/sound/recordingchoice.h"

#include "platform/framework/winapp.h"

namespace practice::sound {

QByteArray ChosenRecordingDevice()
{
    const auto* app = platform::framework::AfxGetApp();
    return app ? app->GetProfileString(kSoundSection, kRecordingDeviceEntry).toUtf8() : QByteArray();
}

bool SetChosenRecordingDevice(const QByteArray& id)
{
    auto* app = platform::framework::AfxGetApp();
    return app && app->WriteProfileString(kSoundSection, kRecordingDeviceEntry, QString::fromUtf8(id));
}

}  // namespace practice::sound
