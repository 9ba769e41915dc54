#pragma once

#include "platform/framework/formview.h"
#include "platform/framework/helprequest.h"
#include "practice/colorbutton/colorbutton.h"
#include "practice/sound/soundclipplayer.h"
#include "practice/testview/testengine.h"
#include "practice/voice/speech.h"

#include <QColor>
#include <QString>
#include <QStringList>

class QLineEdit;
class CWordwellDoc;

// The testing view: the form over a CTestEngine that tests the learner on the
// document's words in list order. For each word the learner listens to its
// clip, types the spelling and checks it; the form shows the engine's count,
// score and message after every change, and plays the clips itself.
class CWordwellView : public platform::framework::CFormView,
                      public platform::framework::CHelpInfoTarget,
                      public platform::framework::CCommandHelpTarget {
    Q_OBJECT
public:
    explicit CWordwellView(QWidget* parent = nullptr);
    ~CWordwellView() override;

    CWordwellDoc* GetDocument() const;

    void DoDataExchange(platform::framework::CDataExchange* pDX) override;
    void OnInitialUpdate() override;
    void OnUpdate(platform::framework::CView* sender, qintptr hint, QObject* hintObject) override;
    bool OnHelpInfo(platform::framework::HELPINFO* info) override;
    bool OnCommandHelp() override;

    // Control modes: 0 word in play, 1 idle, 2 answer checked.
    enum Mode { WordInPlay = 0, Idle = 1, Answered = 2 };
    void SetTestControls(int mode);

    void OnTakeTest();
    void OnStopTest();
    void OnListenToWord();
    void OnCheck();
    void OnNextWord();
    void OnEnterKey();
    void OnWebPage();

    // The last test or practice round, as far as it went.
    const practice::review::CTestRecord& LastTest() const { return m_engine.Record(); }
    // A practice round over `words` on the same form: the count and the score
    // are of these words; Take Test goes back to the whole list. `source`
    // names where words from no one list came from: the round is kept under
    // it, with no list path; empty, under the list open now.
    void PractiseWords(const QStringList& words, const QString& source = QString());

    // The engine's state as the form shows it, refreshed after every change.
    bool m_bTesting = false;
    QString m_strTestWord;
    QString m_strMessage;
    int m_nCorrect = 0;
    QString m_strAnswer;
    QString m_strScore;
    int m_nWords = 0;
    int m_nWordNumber = 0;
    practice::sound::CSoundClipPlayer m_player;
    // Speaks in the background: a hung speech program never freezes the form.
    practice::voice::CWordSpeaker m_speaker;
    QColor m_clrBack;
    QColor m_clrButton;
    CColorButton m_btnListen;
    CColorButton m_btnCheck;
    CColorButton m_btnNext;
    QLineEdit* m_editAnswer = nullptr;

signals:
    void TestStarted();
    // The test ended or was stopped; LastTest() holds it.
    void TestOver();

private:
    void registerCommands();
    // Copies the engine's state into the fields the form shows.
    void showEngine();
    // The controls, focus and signal of a test or round the engine started.
    void testStarted();
    // Makes the player's window inside frame 1027 with an empty recording, once.
    void preparePlayer();
    // Paints the form, its labels, frame and read-only boxes in the form's colour;
    // the buttons and the answer box keep their own.
    void applyColors();
    void focusControl(int id);
    // Listen on a word without a clip, with "Speak Unrecorded Words" on.
    void speakTestWord();
    void onWordSpoken(const QString& word, const platform::audio::WaveData& clip, const QString& reason);
    void playClip();
    // Tells a screen reader what the form now says; while the word's clip
    // plays, the line waits for its end, so that speech never covers the word.
    void say(const QString& line);
    void clipEnded();

    practice::testview::CTestEngine m_engine;
    bool m_clipPlaying = false;
    QStringList m_unsaid;
};
