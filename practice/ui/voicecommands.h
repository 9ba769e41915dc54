#pragma once

class QMenu;

namespace platform::framework {
class CFrameWnd;
}

// The computer voice's commands on the Tools menu: Make Missing Clips, Speak
// Unrecorded Words and the voice's settings.
class CVoiceCommands {
public:
    CVoiceCommands(platform::framework::CFrameWnd& frame, QMenu* tools);

private:
    void OnMakeMissingClips();
    void OnSpeakUnrecordedWords();
    void OnVoice();

    platform::framework::CFrameWnd& m_frame;
};
