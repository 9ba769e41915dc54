#pragma once

#include "platform/framework/dialog.h"
#include "practice/sound/soundclipplayer.h"
#include "practice/sound/soundclipwindow.h"  // soundclipplayer.h needs it complete for Window()
#include "practice/voice/speech.h"

#include <QBrush>
#include <QColor>
#include <QStringList>

class QListWidget;

// The list editor: type a word, record it, replay it, save the recording as
// the word's clip and add the word; remove words by double-clicking them. It
// edits a copy of the list and writes it into the active document's list only
// on OK; clips are written the moment they are saved.
class CSpellingListDlg : public platform::framework::CDialog {
    Q_OBJECT
public:
    explicit CSpellingListDlg(QWidget* parent = nullptr);

    void DoDataExchange(platform::framework::CDataExchange* pDX) override;
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnHelpInfo(platform::framework::HELPINFO* info) override;

    void OnPlay();
    void OnRecord();
    void OnStopRecording();
    void OnSaveAndAdd();
    void OnNewWord();
    void OnDblclkWordList();
    // The play bar's Speak: the computer voice for the typed word becomes the recording.
    void OnSpeak();

    // The list handed in; null shows an empty list box.
    QStringList* m_pWordList = nullptr;
    QListWidget* m_listWords = nullptr;
    QString m_strWord;
    practice::sound::CSoundClipPlayer m_player;
    QColor m_clrBack;
    QBrush m_brBack;
    // Speaks in the background: a hung speech program never freezes the dialog.
    practice::voice::CWordSpeaker m_speaker;

private:
    void onWordSpoken(const QString& word, const platform::audio::WaveData& clip, const QString& reason);
    // Where OK writes: the active document's list, else the list handed in.
    QStringList* confirmedList() const;
};
