#pragma once

#include <QByteArray>
#include <QString>

// The recording device the user chose in the play bar, kept in the practice
// program's profile (section "Sound") by the sound server's name for it.
namespace practice::sound {

inline const QString kSoundSection = QStringLiteral("Sound");
inline const QString kRecordingDeviceEntry = QStringLiteral("RecordingDevice");

// Empty for the default device, which is also what is chosen until the user chooses.
QByteArray ChosenRecordingDevice();
bool SetChosenRecordingDevice(const QByteArray& id);

}  // namespace practice::sound
