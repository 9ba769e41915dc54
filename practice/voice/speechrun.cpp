#include "practice/voice/speechrun.h"

#include "platform/audio/wavedata.h"

#include <QCoreApplication>

namespace practice::voice {

namespace {

// A word takes the program well under a second; more means it hangs.
constexpr int kDefaultTimeoutMs = 10000;
// The longest sound a word may make: see MaxSpeechBytes.
constexpr qint64 kSecondsPerCharacter = 3;
constexpr qint64 kSecondsPerWord = 2;
// Room for the wave header and whatever else heads the stream.
constexpr qint64 kHeaderBytes = 4096;
// A killed program ends at once; this is only for one the kernel holds up.
constexpr int kEndWaitMs = 2000;

QString programFailure(const QString& program, const QString& stderrText, int exitCode)
{
    const QString said = stderrText.trimmed();
    if (!said.isEmpty())
        return QStringLiteral("the speech program said \"%1\"").arg(said);
    return QStringLiteral("the speech program \"%1\" ended with code %2").arg(program).arg(exitCode);
}

}  // namespace

QString SpeechProgram()
{
    const QString chosen = qEnvironmentVariable("WORDWELL_SPEECH_PROGRAM");
    return chosen.isEmpty() ? QStringLiteral("espeak-ng") : chosen;
}

int SpeechTimeoutMs()
{
    bool ok = false;
    const int chosen = qEnvironmentVariableIntValue("WORDWELL_SPEECH_TIMEOUT_MS", &ok);
    return ok && chosen > 0 ? chosen : kDefaultTimeoutMs;
}

qint64 MaxSpeechBytes(const QStringList& words, int pauseMs)
{
    qint64 milliseconds = 0;
    for (const QString& word : words)
        milliseconds += 1000 * (kSecondsPerWord + kSecondsPerCharacter * word.size()) + pauseMs;
    constexpr qint64 bytesPerSecond = 2 * platform::audio::kRecordingSampleRate * platform::audio::kRecordingChannels;
    return kHeaderBytes + milliseconds * bytesPerSecond / 1000;
}

void EndProgram(std::unique_ptr<QProcess> process)
{
    if (!process)
        return;
    process->disconnect();
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QCoreApplication::closingDown()) {
        // No event loop will run again: a killed program ends at once.
        process->kill();
        process->waitForFinished(kEndWaitMs);
        return;
    }
    QProcess* ended = process.release();
    // Should the application end first, it ends the program with itself.
    ended->setParent(app);
    if (ended->state() == QProcess::NotRunning) {
        ended->deleteLater();
        return;
    }
    // Nothing more is read: a program still writing gets a broken pipe.
    ended->closeReadChannel(QProcess::StandardOutput);
    ended->closeReadChannel(QProcess::StandardError);
    QObject::connect(ended, &QProcess::finished, ended, &QObject::deleteLater);
    ended->kill();
}

CSpeechRun::CSpeechRun(QObject* parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this,
            [this] { finish(QStringLiteral("the speech program did not finish")); });
}

CSpeechRun::~CSpeechRun()
{
    Abort();
}

void CSpeechRun::Start(const QString& program, const QStringList& arguments, const QByteArray& input,
                       qint64 maxOutput, int timeoutMs)
{
    watch(std::make_unique<QProcess>(), maxOutput, timeoutMs);
    m_process->setProgram(program);
    m_process->setArguments(arguments);
    m_process->start();
    // A program that cannot be started has been reported and let go.
    if (m_process) {
        m_process->write(input);
        m_process->closeWriteChannel();
    }
}

void CSpeechRun::Give(std::unique_ptr<QProcess> process, const QByteArray& input, qint64 maxOutput, int timeoutMs)
{
    watch(std::move(process), maxOutput, timeoutMs);
    m_process->write(input);
    m_process->closeWriteChannel();
    // What it wrote while waiting counts too.
    readOutput();
}

void CSpeechRun::Abort()
{
    m_timer.stop();
    EndProgram(std::move(m_process));
    m_output.clear();
    m_errors.clear();
    // A report already on its way is dropped with the run.
    ++m_generation;
}

void CSpeechRun::watch(std::unique_ptr<QProcess> process, qint64 maxOutput, int timeoutMs)
{
    Abort();
    m_process = std::move(process);
    m_maxOutput = maxOutput;
    QProcess* watched = m_process.get();
    connect(watched, &QProcess::readyReadStandardOutput, this, &CSpeechRun::readOutput);
    connect(watched, &QProcess::readyReadStandardError, this, &CSpeechRun::readOutput);
    connect(watched, &QProcess::finished, this, &CSpeechRun::onFinished);
    connect(watched, &QProcess::errorOccurred, this, [this, watched](QProcess::ProcessError error) {
        // A program that ran and crashed also ends in finished(); only a failed start ends here.
        if (error == QProcess::FailedToStart)
            finish(QStringLiteral("the speech program \"%1\" could not be started (%2)")
                       .arg(watched->program(), watched->errorString()));
    });
    m_timer.start(timeoutMs);
}

void CSpeechRun::readOutput()
{
    if (!m_process)
        return;
    m_output += m_process->readAllStandardOutput();
    m_errors += m_process->readAllStandardError();
    if (m_output.size() > m_maxOutput)
        finish(QStringLiteral("the speech program gave more than %1 KB of sound, more than the word can make")
                   .arg(m_maxOutput / 1024));
    else if (m_errors.size() > kMaxSpeechMessageBytes)
        finish(QStringLiteral("the speech program wrote more than %1 KB of messages")
                   .arg(kMaxSpeechMessageBytes / 1024));
}

void CSpeechRun::onFinished(int exitCode, QProcess::ExitStatus status)
{
    readOutput();
    if (!m_process)
        return;
    if (status != QProcess::NormalExit || exitCode != 0)
        finish(programFailure(m_process->program(), QString::fromLocal8Bit(m_errors), exitCode));
    else
        finish(QString());
}

void CSpeechRun::finish(const QString& reason)
{
    m_timer.stop();
    EndProgram(std::move(m_process));
    const QByteArray output = reason.isEmpty() ? m_output : QByteArray();
    m_output.clear();
    m_errors.clear();
    // From the event loop, also for a program that could not be started at
    // all: the owner may start the next run from here.
    QMetaObject::invokeMethod(
        this,
        [this, output, reason, generation = m_generation] {
            if (generation == m_generation)
                emit finished(output, reason);
        },
        Qt::QueuedConnection);
}

}  // namespace practice::voice
