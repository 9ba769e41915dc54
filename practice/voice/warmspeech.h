#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

namespace practice::voice {

// A speech program started ahead of the next word, waiting for it on standard
// input with its voice and dictionary loaded. Loading them is most of the time
// a word takes (tens of milliseconds against a few for the word itself), so a
// Speak after the first one only hands the word over. Each program speaks one
// word and ends, as a program started for the word would; a new one is
// started for the next word. The waiting program is ended with this object.
class CWarmSpeech : public QObject {
    Q_OBJECT

public:
    explicit CWarmSpeech(QObject* parent = nullptr);
    ~CWarmSpeech() override;

    // The program waiting with exactly this program and these arguments (the
    // language among them), for the caller to give the word to and wait for;
    // null when none is: none started yet, another language or program, or one
    // that has ended meanwhile, which is then done away with. What it wrote
    // while waiting is still to be read from it.
    std::unique_ptr<QProcess> Take(const QString& program, const QStringList& arguments);
    // Starts the program that waits for the next word, once the event loop
    // runs again: the word just spoken plays first.
    void PrepareLater(const QString& program, const QStringList& arguments);
    // The waiting program's process id, 0 when none waits.
    qint64 WaitingProcessId() const;

private:
    void prepare();
    void checkOutput();
    void discard();

    std::unique_ptr<QProcess> m_waiting;
    QString m_program;
    QStringList m_arguments;
    bool m_preparing = false;
};

// The one the computer voice uses, made on first use as a child of the
// application object, so that the waiting program ends with the application.
// Null without an application object.
CWarmSpeech* WarmSpeech();

}  // namespace practice::voice
