#include "practice/testview/wordwellview.h"

#include "platform/framework/announce.h"
#include "platform/framework/commandids.h"
#include "platform/framework/dataexchange.h"
#include "platform/framework/frame.h"
#include "platform/framework/messagebox.h"
#include "platform/framework/shellexecute.h"
#include "platform/framework/winapp.h"
#include "platform/help/controlhelp.h"
#include "platform/help/winhelp.h"
#include "practice/document/wordwelldoc.h"
#include "practice/sound/clippath.h"
#include "practice/document/commands.h"
#include "practice/review/learner.h"
#include "practice/testview/homepage.h"
#include "practice/testview/testform.h"
#include "practice/testview/testmessages.h"
#include "practice/voice/speech.h"
#include "practice/voice/voicesettings.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

using namespace platform::framework;
using namespace practice::testview;

CWordwellView::CWordwellView(QWidget* parent) : CFormView(TestFormTemplate(), parent)
{
    setAccessibleName(QStringLiteral("Spelling test"));
    registerCommands();
    connect(&m_speaker, &practice::voice::CWordSpeaker::spoken, this, &CWordwellView::onWordSpoken);
    connect(&m_player, &practice::sound::CSoundClipPlayer::playbackEnded, this, &CWordwellView::clipEnded);
    connect(&m_player, &practice::sound::CSoundClipPlayer::deviceError, this, &CWordwellView::clipEnded);
}

CWordwellView::~CWordwellView()
{
    m_player.Close();
}

void CWordwellView::registerCommands()
{
    using namespace practice;
    OnCommand(ID_TOOLS_TAKETEST, [this] { OnTakeTest(); });
    OnCommand(ID_TOOLS_STOPTEST, [this] { OnStopTest(); });
    OnCommand(ID_HELP_WEBPAGE, [this] { OnWebPage(); });
    OnCommand(IDC_LISTEN, [this] { OnListenToWord(); });
    OnCommand(IDC_CHECK, [this] { OnCheck(); });
    OnCommand(IDC_NEXTWORD, [this] { OnNextWord(); });
    OnCommand(IDC_ENTERKEY, [this] { OnEnterKey(); });
    OnUpdateCommandUI(ID_TOOLS_TAKETEST, [this](CCmdUI* ui) { ui->Enable(!m_bTesting && m_nWords != 0); });
    OnUpdateCommandUI(ID_TOOLS_STOPTEST, [this](CCmdUI* ui) { ui->Enable(m_bTesting); });
    OnUpdateCommandUI(ID_TOOLS_EDITLIST, [this](CCmdUI* ui) { ui->Enable(!m_bTesting); });
    OnUpdateCommandUI(ID_TOOLS_LISTINFO, [this](CCmdUI* ui) { ui->Enable(!m_bTesting && m_nWords != 0); });
}

CWordwellDoc* CWordwellView::GetDocument() const
{
    return static_cast<CWordwellDoc*>(CFormView::GetDocument());
}

void CWordwellView::DoDataExchange(CDataExchange* pDX)
{
    CFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ANSWER, m_editAnswer);
    DDX_Text(pDX, IDC_MESSAGE, m_strMessage);
    DDX_Text(pDX, IDC_CORRECT, m_nCorrect);
    DDX_Text(pDX, IDC_ANSWER, m_strAnswer);
    DDX_Text(pDX, IDC_SCORE, m_strScore);
    DDX_Text(pDX, IDC_WORDCOUNT, m_nWords);
    DDX_Text(pDX, IDC_WORDNUMBER, m_nWordNumber);
}

void CWordwellView::SetTestControls(int mode)
{
    const bool inPlay = mode == WordInPlay;
    GetDlgItem(IDC_LISTEN)->setEnabled(inPlay);
    GetDlgItem(IDC_CHECK)->setEnabled(inPlay);
    m_editAnswer->setEnabled(inPlay);
    GetDlgItem(IDC_NEXTWORD)->setEnabled(false);
    if (mode == Answered)
        GetDlgItem(IDC_NEXTWORD)->setEnabled(true);
}

void CWordwellView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    SetTestControls(Idle);
    // A test cut short by New or Open counts as stopped.
    const bool stopped = m_engine.Reset();
    showEngine();
    UpdateData(false);
    if (stopped)
        emit TestOver();

    // One player serves every list, given a new empty recording each time. The
    // first is made once the window is up: opening the sound device would
    // otherwise hold up the first sight of the form.
    if (m_player.Window())
        m_player.NewRecording();
    else
        QTimer::singleShot(0, this, [this] { preparePlayer(); });

    if (CFrameWnd* frame = GetParentFrame())
        frame->CenterWindow();

    m_clrBack = kFormBackColor;
    applyColors();

    m_clrButton = kButtonFaceColor;
    m_btnListen.AttachToControl(IDC_LISTEN, this, m_clrButton, kButtonTextColor, kButtonDisabledTextColor,
                                kButtonBevel);
    m_btnCheck.AttachToControl(IDC_CHECK, this, m_clrButton, kButtonTextColor, kButtonDisabledTextColor,
                               kButtonBevel);
    m_btnNext.AttachToControl(IDC_NEXTWORD, this, m_clrButton, kButtonTextColor, kButtonDisabledTextColor,
                              kButtonBevel);
}

void CWordwellView::preparePlayer()
{
    if (m_player.Window())
        return;
    m_player.Create(GetDlgItem(IDC_PLAYERFRAME), practice::sound::CSoundClipPlayer::kViewStyle);
    m_player.NewRecording();
}

void CWordwellView::applyColors()
{
    QPalette formPalette = palette();
    formPalette.setColor(QPalette::Window, m_clrBack);
    setPalette(formPalette);
    setAutoFillBackground(true);
    for (int id : {IDC_WORDNUMBER, IDC_WORDCOUNT, IDC_SCORE, IDC_CORRECT, IDC_MESSAGE}) {
        QWidget* box = GetDlgItem(id);
        QPalette pal = box->palette();
        pal.setColor(QPalette::Base, m_clrBack);
        box->setPalette(pal);
    }
    // The answer box and the buttons keep the system's colours.
    for (int id : {IDC_ANSWER, IDC_LISTEN, IDC_CHECK, IDC_NEXTWORD})
        GetDlgItem(id)->setPalette(QApplication::palette(GetDlgItem(id)));
}

void CWordwellView::OnUpdate(CView* sender, qintptr hint, QObject* hintObject)
{
    Q_UNUSED(sender);
    Q_UNUSED(hint);
    Q_UNUSED(hintObject);
    const CWordwellDoc* doc = GetDocument();
    m_engine.SetList(doc ? doc->m_wordList : QStringList());
    showEngine();
    UpdateData(false);
}

void CWordwellView::showEngine()
{
    m_bTesting = m_engine.Testing();
    m_strTestWord = m_engine.Word();
    m_strMessage = m_engine.Message();
    m_nCorrect = m_engine.Correct();
    m_strAnswer = m_engine.Answer();
    m_strScore = m_engine.Score();
    m_nWords = m_engine.Words();
    m_nWordNumber = m_engine.WordNumber();
}

void CWordwellView::focusControl(int id)
{
    GetDlgItem(id)->setFocus(Qt::OtherFocusReason);
}

void CWordwellView::OnTakeTest()
{
    m_engine.SetList(GetDocument()->m_wordList);
    m_engine.TakeTest(practice::review::CurrentLearner(), GetDocument()->GetPathName());
    testStarted();
}

void CWordwellView::PractiseWords(const QStringList& words, const QString& source)
{
    if (m_engine.Practise(words, source, practice::review::CurrentLearner(), GetDocument()->GetPathName()))
        testStarted();
}

void CWordwellView::testStarted()
{
    SetTestControls(WordInPlay);
    showEngine();
    UpdateData(false);
    focusControl(IDC_LISTEN);
    say(SpokenWordInPlay(m_nWordNumber, m_nWords, m_strMessage));
    emit TestStarted();
}

void CWordwellView::OnListenToWord()
{
    UpdateData(true);
    m_engine.SetAnswer(m_strAnswer);
    preparePlayer();
    const QString path = practice::sound::MakeClipPath(m_strTestWord);
    const int opened = m_player.Open(path);
    if (opened == practice::sound::CLIP_OPEN)
        playClip();
    else if (opened == practice::sound::CLIP_NOT_FOUND && practice::voice::SpeakUnrecordedWords())
        speakTestWord();
    else
        AfxMessageBox(NoSoundFileMessage(path), MB_OK);
    focusControl(IDC_ANSWER);
}

void CWordwellView::speakTestWord()
{
    m_speaker.Speak(m_strTestWord);
}

void CWordwellView::onWordSpoken(const QString& word, const platform::audio::WaveData& clip, const QString& reason)
{
    // The learner has moved on meanwhile: the word is no longer asked.
    if (!m_bTesting || word != m_strTestWord)
        return;
    if (!reason.isEmpty()) {
        AfxMessageBox(practice::voice::UnableToSpeakMessage(word, reason), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_player.NewRecording(clip);
    playClip();
}

void CWordwellView::playClip()
{
    m_clipPlaying = true;
    m_player.Play();
}

void CWordwellView::say(const QString& line)
{
    if (m_clipPlaying)
        m_unsaid.append(line);
    else
        platform::framework::Announce(this, line);
}

void CWordwellView::clipEnded()
{
    m_clipPlaying = false;
    if (!m_unsaid.isEmpty())
        platform::framework::Announce(this, m_unsaid.join(u' '));
    m_unsaid.clear();
}

void CWordwellView::OnCheck()
{
    SetTestControls(Answered);
    UpdateData(true);
    m_engine.Check(m_strAnswer);
    showEngine();
    UpdateData(false);
    focusControl(IDC_NEXTWORD);
    say(m_strMessage);
}

void CWordwellView::OnNextWord()
{
    SetTestControls(WordInPlay);
    const bool ended = m_engine.Next();
    if (ended)
        SetTestControls(Idle);
    showEngine();
    UpdateData(false);
    focusControl(IDC_LISTEN);
    say(ended ? SpokenEnd(m_strMessage, m_strScore) : SpokenWordInPlay(m_nWordNumber, m_nWords, m_strMessage));
    if (ended)
        emit TestOver();
}

void CWordwellView::OnStopTest()
{
    const bool stopped = m_engine.Stop();
    showEngine();
    UpdateData(false);
    SetTestControls(Idle);
    if (stopped) {
        say(m_strMessage);
        emit TestOver();
    }
}

void CWordwellView::OnEnterKey()
{
    const QWidget* focus = QApplication::focusWidget();
    switch (focus ? GetDlgCtrlID(focus) : 0) {
    case IDC_ANSWER:
    case IDC_CHECK: OnCheck(); break;
    case IDC_LISTEN: OnListenToWord(); break;
    case IDC_NEXTWORD: OnNextWord(); break;
    default: break;
    }
}

bool CWordwellView::OnHelpInfo(HELPINFO* info)
{
    platform::help::ShowControlHelp(this, info);
    return true;
}

bool CWordwellView::OnCommandHelp()
{
    platform::help::AppWinHelp(0, platform::help::HELP_FINDER);
    return true;
}

void CWordwellView::OnWebPage()
{
    const CWinApp* app = AfxGetApp();
    QString error;
    const QUrl page = HomePageUrl(app ? app->GetHelpFilePath() : QString(), &error);
    if (page.isEmpty()) {
        AfxMessageBox(error, MB_ICONEXCLAMATION);
        return;
    }
    // The desktop gives no reason; the page's name lets the user open it by hand.
    if (!ShellExecute(this, QStringLiteral("open"), page))
        AfxMessageBox(QStringLiteral("Unable to open \"%1\": no program to show web pages could be started.")
                          .arg(page.toLocalFile()),
                      MB_ICONEXCLAMATION);
}
