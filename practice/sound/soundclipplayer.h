#pragma once

#include "platform/audio/wavedata.h"
#include "practice/sound/clipstyle.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace practice::sound {

class CSoundClipWindow;

// What Open returns: CLIP_OPEN (0) when the clip is open and can be played,
// another value naming why not.
enum : int {
    CLIP_OPEN = 0,
    CLIP_NOT_FOUND,        // no file of that name
    CLIP_NOT_A_FILE,       // a folder (or a device, a pipe) has that name
    CLIP_CANNOT_READ,      // the file cannot be read
    CLIP_NOT_PLAYABLE,     // not a sound file, or damaged
    CLIP_TOO_LONG,         // far longer than any word's clip
    CLIP_OUTSIDE_FOLDER,   // the path climbs out of its folder with ".."
    CLIP_NO_PLAYER,        // Create was not called, or the player was closed
};

// The sound clip player: one window inside a control of its owner, holding at
// most one clip (a new recording, a recording made, or a clip file opened).
// The testing view plays word clips through it; the list editor records,
// replays and saves them.
//
// The two configurations:
//   kViewStyle   (0x000A) no controls of its own, playback only;
//   kEditorStyle (0x2018) a play bar with play, stop, record and the position,
//                         and the clip's name.
//
// Every operation runs on the user-interface thread and returns at once: Play
// and Record go on in the background until the clip ends or Stop. The window
// lives until Close or until its parent control is destroyed; after that every
// operation does nothing (Open returns CLIP_NO_PLAYER, Save false).
//
// Device errors (no sound device, a device that refuses or fails) are shown to
// the user in a message box by the player and signalled through deviceError().
// A failed Save is shown the same way; a failed Open is only returned, for the
// caller to report.
class CSoundClipPlayer : public QObject {
    Q_OBJECT

public:
    static constexpr unsigned kViewStyle = MCIWNDF_NOPLAYBAR | MCIWNDF_NOMENU;
    static constexpr unsigned kEditorStyle = MCIWNDF_RECORD | MCIWNDF_SHOWNAME | MCIWNDF_NOMENU;

    explicit CSoundClipPlayer(QObject* parent = nullptr);
    ~CSoundClipPlayer() override;
    CSoundClipPlayer(const CSoundClipPlayer&) = delete;
    CSoundClipPlayer& operator=(const CSoundClipPlayer&) = delete;

    // Makes the player's window inside `parentControl`; a window made before is closed first.
    void Create(QWidget* parentControl, unsigned style);
    // Discards the current clip, unsaved, and starts an empty recording.
    void NewRecording();
    // Discards the current clip, unsaved, and holds `clip` as a new recording,
    // as though it had been recorded.
    void NewRecording(const platform::audio::WaveData& clip);
    // Replaces the current clip with the wave file at `path` (names matched
    // case-blind). 0 when it is open; otherwise no clip is held.
    int Open(const QString& path);
    // Plays the clip from its position (from the start once it has been played to the end).
    void Play();
    // Records at the clip's position; more Record and Stop cycles extend the recording.
    void Record();
    // Ends playing or recording.
    void Stop();
    // Writes the clip to `path` as a wave file, replacing a clip of that name in
    // any letter case; the clip stays current. A failure is shown to the user
    // and nothing is written: an empty recording, a path that climbs out of its
    // folder, a missing or unwritable folder.
    bool Save(const QString& path);
    // Stops all sound and destroys the window; an unsaved recording is lost.
    void Close();

    // The window, or null before Create and after Close.
    CSoundClipWindow* Window() const;

signals:
    // Play reached the end of the clip.
    void playbackEnded();
    // A device error was shown to the user.
    void deviceError(const QString& message);

private:
    QPointer<CSoundClipWindow> m_window;
};

}  // namespace practice::sound
