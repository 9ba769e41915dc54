#pragma once

#include <QAudioDevice>
#include <QByteArray>

#include <optional>

namespace platform::audio {

// The devices the sound server uses for sound that names none: the user's
// choice in the desktop's sound settings.
struct ServerDefaults {
    QByteArray sink;
    QByteArray source;
};

// Asks the sound server for its default sink and source, afresh each time
// (the user may change them at any moment). Nothing when the server cannot be
// reached within a short wait.
std::optional<ServerDefaults> AskServerDefaults();

// Whether the server still has `device`; nothing when it cannot be asked.
std::optional<bool> ServerHasDevice(const QAudioDevice& device);

// The device to play to and to record from: the server's defaults, found among
// the devices Qt lists (whose ids are the server's names), or Qt's own
// default when the server cannot say or names a device Qt does not list yet.
// Qt's default input is not to be trusted alone: some versions take the first
// input the server lists rather than its default.
QAudioDevice DefaultOutput();
QAudioDevice DefaultInput();

// The input of that id, or the default input when there is no such input now
// (a microphone unplugged since the user chose it).
QAudioDevice InputOrDefault(const QByteArray& id);

// The inputs to record from, the default first. The server's monitors of its
// outputs are left out: they record what the program plays, not the user.
QList<QAudioDevice> RecordingInputs();

}  // namespace platform::audio
