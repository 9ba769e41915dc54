// The computer voice's commands on the Tools menu: Make Missing Clips, Speak
// Unrecorded Words and the voice's settings.
#include "practice/ui/mainframe.h"

#include "platform/framework/messagebox.h"
#include "practice/document/commands.h"
#include "practice/document/wordwelldoc.h"
#include "practice/settings/wordwellapp.h"
#include "practice/voice/clipmaker.h"
#include "practice/voice/makeclipsdlg.h"
#include "practice/voice/voicedlg.h"
#include "practice/voice/voicesettings.h"

#include <QAction>
#include <QMenu>

using namespace platform::framework;
using namespace practice;

void CMainFrame::appendVoiceCommands(QMenu* tools)
{
    tools->addSeparator();
    tools->addAction(AddCommand(ID_TOOLS_MAKECLIPS, QStringLiteral("&Make Missing Clips..."),
                                QStringLiteral("Speak every word that has no clip into its clip with the computer "
                                               "voice\nMake Missing Clips")));
    QAction* speak = AddCommand(ID_TOOLS_SPEAKUNRECORDED, QStringLiteral("Speak &Unrecorded Words"),
                                QStringLiteral("In a test, speak a word that has no clip with the computer "
                                               "voice\nSpeak Unrecorded Words"));
    speak->setCheckable(true);
    speak->setChecked(voice::SpeakUnrecordedWords());
    tools->addAction(speak);
    tools->addAction(AddCommand(ID_TOOLS_VOICE, QStringLiteral("Computer &Voice..."),
                                QStringLiteral("Choose the language of the computer voice\nComputer Voice")));

    OnCommand(ID_TOOLS_MAKECLIPS, [this] { OnMakeMissingClips(); });
    OnCommand(ID_TOOLS_SPEAKUNRECORDED, [this] { OnSpeakUnrecordedWords(); });
    OnCommand(ID_TOOLS_VOICE, [this] { OnVoice(); });
    OnUpdateCommandUI(ID_TOOLS_MAKECLIPS, [this](CCmdUI* ui) {
        const auto* doc = dynamic_cast<CWordwellDoc*>(GetActiveDocument());
        ui->Enable(doc && !doc->m_wordList.isEmpty());
    });
}

void CMainFrame::OnMakeMissingClips()
{
    const auto* doc = dynamic_cast<CWordwellDoc*>(GetActiveDocument());
    const CWordwellApp* app = GetWordwellApp();
    if (!doc || !app)
        return;
    const QStringList missing = voice::WordsWithoutClips(doc->m_wordList, app->m_strWordsPath);
    if (missing.isEmpty()) {
        AfxMessageBox(QStringLiteral("Every word of the list has a clip."), MB_OK | MB_ICONINFORMATION);
        return;
    }
    voice::CClipMaker maker(missing, app->m_strWordsPath);
    CMakeClipsDlg progress(&maker, this);
    progress.DoModal();
    const unsigned icon = maker.Failures().isEmpty() ? MB_ICONINFORMATION : MB_ICONEXCLAMATION;
    AfxMessageBox(MakeClipsSummary(maker), MB_OK | icon);
}

void CMainFrame::OnSpeakUnrecordedWords()
{
    const bool on = !voice::SpeakUnrecordedWords();
    if (!voice::SetSpeakUnrecordedWords(on))
        AfxMessageBox(QStringLiteral("Unable to store the setting in the program's settings."),
                      MB_OK | MB_ICONEXCLAMATION);
    GetCommand(ID_TOOLS_SPEAKUNRECORDED)->setChecked(voice::SpeakUnrecordedWords());
}

void CMainFrame::OnVoice()
{
    CVoiceDlg dialog(this);
    dialog.DoModal();
}
