#include "practice/ui/voicecommands.h"

#include "platform/framework/frame.h"
#include "platform/framework/messagebox.h"
#include "practice/document/commands.h"
#include "practice/document/wordwelldoc.h"
#include "practice/settings/wordwellapp.h"
#include "practice/voice/clipmaker.h"
#include "practice/voice/makeclipsdlg.h"
#include "practice/voice/voicedlg.h"
#include "practice/voice/voicesettings.h"

#include <QAction>

using namespace platform::framework;
using namespace practice;

namespace {

const MenuEntry kVoiceCommands[] = {
    {0, nullptr, nullptr},
    {ID_TOOLS_MAKECLIPS, "&Make Missing Clips...",
     "Speak every word that has no clip into its clip with the computer voice\nMake Missing Clips"},
    {ID_TOOLS_SPEAKUNRECORDED, "Speak &Unrecorded Words",
     "In a test, speak a word that has no clip with the computer voice\nSpeak Unrecorded Words"},
    {ID_TOOLS_VOICE, "Computer &Voice...", "Choose the language of the computer voice\nComputer Voice"},
};

}  // namespace

CVoiceCommands::CVoiceCommands(CFrameWnd& frame, QMenu* tools) : m_frame(frame)
{
    frame.AppendMenu(tools, kVoiceCommands);
    QAction* speak = frame.GetCommand(ID_TOOLS_SPEAKUNRECORDED);
    speak->setCheckable(true);
    speak->setChecked(voice::SpeakUnrecordedWords());

    frame.OnCommand(ID_TOOLS_MAKECLIPS, [this] { OnMakeMissingClips(); });
    frame.OnCommand(ID_TOOLS_SPEAKUNRECORDED, [this] { OnSpeakUnrecordedWords(); });
    frame.OnCommand(ID_TOOLS_VOICE, [this] { OnVoice(); });
    frame.OnUpdateCommandUI(ID_TOOLS_MAKECLIPS, [this](CCmdUI* ui) {
        const auto* doc = dynamic_cast<CWordwellDoc*>(m_frame.GetActiveDocument());
        ui->Enable(doc && !doc->m_wordList.isEmpty());
    });
}

void CVoiceCommands::OnMakeMissingClips()
{
    const auto* doc = dynamic_cast<CWordwellDoc*>(m_frame.GetActiveDocument());
    const CWordwellApp* app = GetWordwellApp();
    if (!doc || !app)
        return;
    const QStringList missing = voice::WordsWithoutClips(doc->m_wordList, app->m_strWordsPath);
    if (missing.isEmpty()) {
        AfxMessageBox(QStringLiteral("Every word of the list has a clip."), MB_OK | MB_ICONINFORMATION);
        return;
    }
    // Said once, before any word is spoken, rather than once for every word.
    if (const QString problem = voice::ClipFolderProblem(app->m_strWordsPath); !problem.isEmpty()) {
        AfxMessageBox(problem, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    voice::CClipMaker maker(missing, app->m_strWordsPath);
    CMakeClipsDlg progress(&maker, &m_frame);
    progress.DoModal();
    const unsigned icon = maker.Failures().isEmpty() ? MB_ICONINFORMATION : MB_ICONEXCLAMATION;
    AfxMessageBox(MakeClipsSummary(maker), MB_OK | icon);
}

void CVoiceCommands::OnSpeakUnrecordedWords()
{
    const bool on = !voice::SpeakUnrecordedWords();
    if (!voice::SetSpeakUnrecordedWords(on))
        AfxMessageBox(QStringLiteral("Unable to store the setting in the program's settings."),
                      MB_OK | MB_ICONEXCLAMATION);
    m_frame.GetCommand(ID_TOOLS_SPEAKUNRECORDED)->setChecked(voice::SpeakUnrecordedWords());
}

void CVoiceCommands::OnVoice()
{
    CVoiceDlg dialog(&m_frame);
    dialog.DoModal();
}
