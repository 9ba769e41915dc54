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

    // Filled by OnInitDialog from the speech program; tests may set it before.
    QList<practice::voice::VoiceChoice> m_voices;
    QListWidget* m_listVoices = nullptr;
};
