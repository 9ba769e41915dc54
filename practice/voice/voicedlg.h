#pragma once

#include "platform/framework/dialog.h"
#include "practice/voice/voicesettings.h"

class QListWidget;

// Chooses the computer voice's language from those the speech program offers;
// OK stores the choice in the program's settings.
class CVoiceDlg : public platform::framework::CDialog {
    Q_OBJECT
public:
    explicit CVoiceDlg(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void OnOK() override;

    // Filled once the speech program has listed its voices (asked in the
    // background, so that a hung program never freezes the window); tests may set it before.
    QList<practice::voice::VoiceChoice> m_voices;
    QListWidget* m_listVoices = nullptr;

private:
    void fillList(bool asking);
};
