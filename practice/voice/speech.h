#pragma once

#include "platform/audio/wavedata.h"

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

// The computer voice: the espeak-ng program, run once for each word (it is
// GPL, so it is run, never linked). Nothing of it is loaded until a word is
// spoken. See docs/voice.md.
namespace practice::voice {

// Words longer than this are no spelling word; the program would read on for minutes.
inline constexpr int kMaxSpokenLength = 100;

// Why `word` cannot be spoken (no letter or digit, too long), or empty when it can.
QString UnspeakableReason(const QString& word);

// The speech program: "espeak-ng" on the path, or $WORDWELL_SPEECH_PROGRAM.
QString SpeechProgram();

// The program's output (a wave stream) as a clip in the recording format, 22,050 Hz
// 16-bit mono. False with a reason when it holds no sound.
bool ClipFromSpeech(const QByteArray& output, platform::audio::WaveData* clip, QString* reason);

// The message box text for a word that could not be spoken.
QString UnableToSpeakMessage(const QString& word, const QString& reason);

// Speaks one word with the voice of `language` (an espeak-ng language such
// as "en-gb"), waiting for the program. False with a reason for the user.
bool SpeakWord(const QString& word, const QString& language, platform::audio::WaveData* clip, QString* reason);

// One word spoken in the background, so that several can be spoken at once
// and a progress dialog stays alive meanwhile.
class CSpeechJob : public QObject {
    Q_OBJECT
public:
    explicit CSpeechJob(QObject* parent = nullptr);
    ~CSpeechJob() override;

    // Starts speaking `word`; finished() follows, also for a word that cannot be spoken.
    void Start(const QString& word, const QString& language);
    // Ends the program at once; no finished() follows.
    void Abort();
    bool IsRunning() const { return m_running; }
    const QString& Word() const { return m_word; }

signals:
    // `reason` is empty on success.
    void finished(const QString& word, const platform::audio::WaveData& clip, const QString& reason);

private:
    void onFinished(int exitCode, QProcess::ExitStatus status);
    void onError(QProcess::ProcessError error);
    void finish(const platform::audio::WaveData& clip, const QString& reason);
    void finishLater(const QString& reason);

    QProcess m_process;
    QString m_word;
    bool m_running = false;
    // Tells a failure reported later from one of a word started since.
    int m_generation = 0;
};

}  // namespace practice::voice
