#pragma once

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>

namespace practice::voice {

// The speech program: "espeak-ng" on the path, or $WORDWELL_SPEECH_PROGRAM.
QString SpeechProgram();

// Words longer than this are no spelling word; the program would read on for minutes.
inline constexpr int kMaxSpokenLength = 100;

// How long one run of the speech program may take before it is taken to hang:
// a word takes it well under a second. $WORDWELL_SPEECH_TIMEOUT_MS sets
// another, so that the tests' hung programs are ended sooner.
int SpeechTimeoutMs();

// The most sound the program may give for `words` spoken in one run, with
// `pauseMs` between them: a few seconds a character (a number such as
// "999,999,999" takes over half a second a character, an emoji's name more
// than one), in the recording format. A program giving more is runaway.
qint64 MaxSpeechBytes(const QStringList& words, int pauseMs = 0);

// The most the program may write on standard error: its own words (a voice it
// does not have) are a line or two.
inline constexpr qint64 kMaxSpeechMessageBytes = 64 * 1024;

// Ends `process` without waiting for it: it is waited for from the event loop
// once it has ended, so that no zombie is left, and then deleted.
void EndProgram(std::unique_ptr<QProcess> process);

// One run of the speech program, watched from the event loop, never waited
// for. A program that runs longer than its time or writes more than its
// limit is ended and reported as having failed, so that a hung or runaway
// program neither freezes the window nor fills the memory.
class CSpeechRun : public QObject {
    Q_OBJECT
public:
    explicit CSpeechRun(QObject* parent = nullptr);
    ~CSpeechRun() override;

    // Starts `program` and gives it `input` on standard input.
    void Start(const QString& program, const QStringList& arguments, const QByteArray& input, qint64 maxOutput,
               int timeoutMs);
    // The same with a program already started (one waiting for its word).
    void Give(std::unique_ptr<QProcess> process, const QByteArray& input, qint64 maxOutput, int timeoutMs);
    // Ends the program; finished() does not follow.
    void Abort();
    bool IsRunning() const { return m_process != nullptr; }

signals:
    // Once a run, from the event loop: the program's standard output, or why
    // there is none (`reason` not empty).
    void finished(const QByteArray& output, const QString& reason);

private:
    void watch(std::unique_ptr<QProcess> process, qint64 maxOutput, int timeoutMs);
    void readOutput();
    void onFinished(int exitCode, QProcess::ExitStatus status);
    // Ends the program and reports `reason`, or the output when it is empty.
    void finish(const QString& reason);

    std::unique_ptr<QProcess> m_process;
    QTimer m_timer;
    QByteArray m_output;
    QByteArray m_errors;
    qint64 m_maxOutput = 0;
    // Tells a report of a run ended since from one of the current run.
    int m_generation = 0;
};

}  // namespace practice::voice
