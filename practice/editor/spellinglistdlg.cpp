#include "practice/editor/spellinglistdlg.h"

#include "platform/framework/announce.h"
#include "platform/framework/dataexchange.h"
#include "platform/help/controlhelp.h"
#include "platform/framework/doctemplate.h"
#include "platform/framework/document.h"
#include "platform/framework/messagebox.h"
#include "platform/framework/winapp.h"
#include "practice/editor/editorforms.h"
#include "practice/editor/wordlistowner.h"
#include "practice/sound/clippath.h"
#include "practice/sound/playbar.h"
#include "practice/voice/speech.h"

#include <QListWidget>

using namespace platform::framework;
using namespace practice::editor;
using practice::sound::CSoundClipPlayer;

CSpellingListDlg::CSpellingListDlg(QWidget* parent) : CDialog(SpellingListTemplate(), parent)
{
    setWindowTitle(QStringLiteral("Spelling List"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    OnCommand(IDC_RECORD, [this] { OnRecord(); });
    OnCommand(IDC_STOPREC, [this] { OnStopRecording(); });
    OnCommand(IDC_PLAY, [this] { OnPlay(); });
    OnCommand(IDC_SAVEADD, [this] { OnSaveAndAdd(); });
    OnCommand(IDC_NEWWORD, [this] { OnNewWord(); });
    auto* list = static_cast<QListWidget*>(GetDlgItem(IDC_WORDLIST));
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Only a list that overflows shows its scroll bar.
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(list, &QListWidget::itemDoubleClicked, this, [this] { OnDblclkWordList(); });
    connect(&m_speaker, &practice::voice::CWordSpeaker::spoken, this, &CSpellingListDlg::onWordSpoken);
}

void CSpellingListDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_WORDLIST, m_listWords);
    DDX_Text(pDX, IDC_WORD, m_strWord);
}

bool CSpellingListDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_clrBack = kDialogBackColor;
    m_brBack = QBrush(m_clrBack);
    SetBackgroundColor(m_brBack.color());

    m_player.Create(GetDlgItem(IDC_PLAYERFRAME), CSoundClipPlayer::kEditorStyle);
    m_player.NewRecording();
    connect(m_player.Window()->playBar(), &practice::sound::CPlayBar::speakRequested, this, [this] { OnSpeak(); });

    if (m_pWordList)
        m_listWords->addItems(*m_pWordList);
    return true;
}

void CSpellingListDlg::OnRecord()
{
    m_player.Record();
}

void CSpellingListDlg::OnStopRecording()
{
    m_player.Stop();
}

void CSpellingListDlg::OnPlay()
{
    m_player.Play();
}

void CSpellingListDlg::OnSpeak()
{
    UpdateData(true);
    m_speaker.Speak(m_strWord);
}

void CSpellingListDlg::onWordSpoken(const QString& word, const platform::audio::WaveData& clip, const QString& reason)
{
    // Another word typed meanwhile: this one's sound is not its recording.
    UpdateData(true);
    if (word != m_strWord)
        return;
    if (!reason.isEmpty()) {
        AfxMessageBox(practice::voice::UnableToSpeakMessage(word, reason), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_player.NewRecording(clip);
    m_player.Play();
}

void CSpellingListDlg::OnSaveAndAdd()
{
    UpdateData(true);
    if (m_strWord.isEmpty()) {
        AfxMessageBox(QStringLiteral("No Word Entered"), MB_OK);
        return;
    }
    m_listWords->addItem(m_strWord);
    // A clip that cannot be written is reported by the player; the word is listed all the same.
    if (m_player.Save(practice::sound::MakeClipPath(m_strWord)))
        Announce(this, QStringLiteral("%1 added to the list, with its recording.").arg(m_strWord));
    else
        Announce(this, QStringLiteral("%1 added to the list.").arg(m_strWord));
}

void CSpellingListDlg::OnNewWord()
{
    m_player.NewRecording();
    // Five steps back along the tab order land on the word box, text selected.
    for (int step = 0; step < 5; ++step)
        focusNextPrevChild(false);
}

void CSpellingListDlg::OnDblclkWordList()
{
    const int selected = m_listWords->currentRow();
    if (selected >= 0 && m_listWords->currentItem()->isSelected())
        delete m_listWords->takeItem(selected);
}

QStringList* CSpellingListDlg::confirmedList() const
{
    const CWinApp* app = AfxGetApp();
    const CSingleDocTemplate* docTemplate = app ? app->GetDocTemplate() : nullptr;
    if (auto* owner = docTemplate ? dynamic_cast<CWordListOwner*>(docTemplate->GetDocument()) : nullptr)
        return &owner->WordList();
    return m_pWordList;
}

void CSpellingListDlg::OnOK()
{
    m_player.Close();
    const int count = m_listWords->count();
    if (QStringList* target = confirmedList()) {
        target->clear();
        target->reserve(count);
        for (int i = 0; i < count; ++i)
            target->append(m_listWords->item(i)->text());
    }
    CDialog::OnOK();
}

bool CSpellingListDlg::OnHelpInfo(HELPINFO* info)
{
    platform::help::ShowControlHelp(this, info);
    return true;
}
