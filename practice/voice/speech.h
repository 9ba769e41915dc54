#pragma once

#include "platform/audio/wavedata.h"
#include "practice/voice/speechrun.h"

#include <QDeadlineTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

// The computer voice: the espeak-ng program, run once for each word (it is
// GPL, so it is run, never linked). Nothing of it is loaded until a word is
// spoken. See docs/voice.md.
namespace practice::voice {

// Why `word` cannot be spoken (no letter or digit, too long), or empty when it can.
QString UnspeakableReason(const QString& word);

// The program's output (a wave stream) as a clip in the recording format, 22,050 Hz
// 16-bit mono. False with a reason when it holds no sound.
bool ClipFromSpeech(const QByteArray& output, platform::audio::WaveData* clip, QString* reason);

// The message box text for a word that could not be spoken.
QString UnableToSpeakMessage(const QString& word, const QString& reason);

// One word spoken in the background for Listen and the editor's Speak, so that
// the window stays alive meanwhile; the program started ahead is used when one
// waits. All a word takes (asking for the voices, a program started for the
// word should the waiting one fail) fits in one bound: a hung program is ended
// and the word reported once.
class CWordSpeaker : public QObject {
    Q_OBJECT
public:
    explicit CWordSpeaker(QObject* parent = nullptr);
    ~CWordSpeaker() override;

    // Speaks `word` with the voice of `language` (an espeak-ng language such
    // as "en-gb"), the user's voice when empty. spoken() follows once, from
    // the event loop; a word still being spoken is dropped unreported.
    void Speak(const QString& word, const QString& language = QString());
    void Abort();

signals:
    // `reason` is empty on success; else it is for the user.
    void spoken(const QString& word, const platform::audio::WaveData& clip, const QString& reason);

private:
    void speakIn(const QString& language);
    void onRun(const QByteArray& output, const QString& reason);
    void report(const platform::audio::WaveData& clip, const QString& reason);

    CSpeechRun m_run;
    QString m_word;
    QString m_program;
    QStringList m_arguments;
    QDeadlineTimer m_deadline;
    // The word went to the program started ahead: a failure is tried again with a program of its own.
    bool m_tookWaiting = false;
    // Tells the voices asked for an earlier word from those for the current one.
    int m_generation = 0;
};

// Cuts the sound of several words, spoken with a pause of `pauseMs` between
// them, into one clip for each. Empty unless each piece is surely its word's:
// exactly `count` pieces, each with sound, and no quiet long enough to hold a
// word that made no sound (which would hand the next word's sound to it).
QList<platform::audio::WaveData> SplitAtPauses(const platform::audio::WaveData& spoken, int count, int pauseMs);

// Words spoken in the background, so that a progress dialog stays alive
// meanwhile. Several words go to one run of the program, a long pause between
// them, and the sound is cut at the pauses: starting the program costs far more
// than speaking a word. Should the sound not cut into as many pieces as words,
// each word is spoken again on its own.
class CSpeechJob : public QObject {
    Q_OBJECT
public:
    explicit CSpeechJob(QObject* parent = nullptr);
    ~CSpeechJob() override;

    // Starts speaking `words`; spoken() follows for each, also for a word that
    // cannot be spoken, then done().
    void Start(const QStringList& words, const QString& language);
    // Ends the program at once; nothing more is signalled.
    void Abort();

signals:
    // `reason` is empty on success.
    void spoken(const QString& word, const platform::audio::WaveData& clip, const QString& reason);
    void done();

private:
    void runNext();
    void onRun(const QByteArray& output, const QString& reason);
    // Reports every word of the run with `reason`, then goes on.
    void fail(const QString& reason);
    void endRun();

    CSpeechRun m_run;
    QString m_language;
    QStringList m_words;    // the words of the program's current run
    QStringList m_waiting;  // words still to be spoken, one by one
    bool m_running = false;
    // Tells a start from the event loop of a run ended since.
    int m_generation = 0;
};

}  // namespace practice::voice
