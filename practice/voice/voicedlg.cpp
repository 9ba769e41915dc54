#include "practice/voice/voicedlg.h"

#include "platform/framework/messagebox.h"
#include "practice/voice/speech.h"

#include <QLabel>
#include <QListWidget>

namespace fw = platform::framework;
using namespace practice::voice;

namespace {

enum : int { IDD_VOICE = 300, IDC_VOICELIST = 1301, IDC_VOICENOTE = 1302 };

fw::DialogTemplate voiceTemplate()
{
    using fw::ControlKind;
    fw::DialogTemplate t;
    t.id = IDD_VOICE;
    t.fontFamily = QStringLiteral("MS Sans Serif");
    t.size = {200, 150};
    t.items = {
        {fw::IDC_STATIC, ControlKind::Label, QStringLiteral("&Language of the computer voice:"), {7, 7, 186, 8}, 0, 0, {}},
        {IDC_VOICELIST, ControlKind::ListBox, QString(), {7, 18, 186, 90}, fw::CS_TABSTOP, 0,
         QStringLiteral("Language of the computer voice")},
        {IDC_VOICENOTE, ControlKind::Label, QString(), {7, 111, 186, 16}, 0, 0, {}},
        {fw::IDOK, ControlKind::DefPushButton, QStringLiteral("OK"), {89, 129, 50, 14}, fw::CS_TABSTOP, 0, {}},
        {fw::IDCANCEL, ControlKind::PushButton, QStringLiteral("Cancel"), {143, 129, 50, 14}, fw::CS_TABSTOP, 0, {}},
    };
    return t;
}

}  // namespace

CVoiceDlg::CVoiceDlg(QWidget* parent) : CDialog(voiceTemplate(), parent)
{
    setWindowTitle(QStringLiteral("Computer Voice"));
    m_listVoices = static_cast<QListWidget*>(GetDlgItem(IDC_VOICELIST));
}

bool CVoiceDlg::OnInitDialog()
{
    CVoiceList* list = VoiceList();
    const bool asking = m_voices.isEmpty() && list && !list->IsKnown();
    if (asking) {
        connect(
            list, &CVoiceList::listed, this,
            [this, list] {
                m_voices = list->Voices();
                fillList(false);
            },
            Qt::SingleShotConnection);
        list->Fetch();
    } else if (m_voices.isEmpty() && list) {
        m_voices = list->Voices();
    }
    fillList(asking);
    CDialog::OnInitDialog();
    return true;
}

void CVoiceDlg::fillList(bool asking)
{
    const QString current = VoiceLanguage(m_voices);
    m_listVoices->clear();
    for (const VoiceChoice& voice : m_voices) {
        auto* item = new QListWidgetItem(QStringLiteral("%1 (%2)").arg(voice.name, voice.language), m_listVoices);
        item->setData(Qt::UserRole, voice.language);
        if (voice.language.compare(current, Qt::CaseInsensitive) == 0)
            m_listVoices->setCurrentItem(item);
    }
    auto* note = static_cast<QLabel*>(GetDlgItem(IDC_VOICENOTE));
    note->setWordWrap(true);
    note->setText(m_voices.isEmpty() && !asking
                      ? QStringLiteral("The speech program \"%1\" could not be run: no voice can be chosen.")
                            .arg(SpeechProgram())
                      : QString());
}

void CVoiceDlg::OnOK()
{
    // Only a voice the user selected is stored: the list's focus alone makes a
    // row current, and a voice that follows the locale goes on following it.
    const QList<QListWidgetItem*> selected = m_listVoices->selectedItems();
    const QString chosen = selected.isEmpty() ? QString() : selected.first()->data(Qt::UserRole).toString();
    if (!chosen.isEmpty() && chosen.compare(VoiceLanguage(m_voices), Qt::CaseInsensitive) != 0) {
        if (!SetVoiceLanguage(chosen))
            fw::AfxMessageBox(QStringLiteral("Unable to store the voice in the program's settings."),
                              fw::MB_OK | fw::MB_ICONEXCLAMATION);
    }
    CDialog::OnOK();
}
