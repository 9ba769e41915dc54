#include "practice/voice/speech.h"

#include "platform/audio/wavefile.h"

#include <QTimer>

using platform::audio::WaveData;

namespace practice::voice {

namespace {

// A word takes the program well under a second; more means it hangs.
constexpr int kSpeechTimeoutMs = 10000;
// Less than this is no word: a click, or nothing said at all.
constexpr qint64 kMinSpokenFrames = platform::audio::kRecordingSampleRate / 20;
// espeak-ng's words a minute: slower than its default, as a teacher says a test word.
const QString kSpeed = QStringLiteral("130");

QStringList speechArguments(const QString& language)
{
    // The word comes on standard input: a word such as "-v" is then never an option.
    return {QStringLiteral("-v"), language, QStringLiteral("-s"), kSpeed, QStringLiteral("--stdout"),
            QStringLiteral("--stdin")};
}

bool hasSound(const WaveData& clip)
{
    const auto* samples = reinterpret_cast<const qint16*>(clip.samples.constData());
    const qint64 count = clip.samples.size() / 2;
    for (qint64 i = 0; i < count; ++i)
        if (samples[i] > 64 || samples[i] < -64)
            return true;
    return false;
}

QString programFailure(const QString& stderrText, int exitCode)
{
    const QString said = stderrText.trimmed();
    if (!said.isEmpty())
        return QStringLiteral("the speech program said \"%1\"").arg(said);
    return QStringLiteral("the speech program \"%1\" ended with code %2").arg(SpeechProgram()).arg(exitCode);
}

QString startFailure(const QProcess& process)
{
    return QStringLiteral("the speech program \"%1\" could not be started (%2)")
        .arg(SpeechProgram(), process.errorString());
}

}  // namespace

QString UnspeakableReason(const QString& word)
{
    if (word.size() > kMaxSpokenLength)
        return QStringLiteral("the word is longer than %1 characters").arg(kMaxSpokenLength);
    for (QChar c : word)
        if (c.isLetterOrNumber())
            return QString();
    return QStringLiteral("the word has no letter to speak");
}

QString SpeechProgram()
{
    const QString chosen = qEnvironmentVariable("WORDWELL_SPEECH_PROGRAM");
    return chosen.isEmpty() ? QStringLiteral("espeak-ng") : chosen;
}

bool ClipFromSpeech(const QByteArray& output, WaveData* clip, QString* reason)
{
    WaveData spoken;
    QString decodeReason;
    if (platform::audio::DecodeWave(output, &spoken, &decodeReason) != platform::audio::WaveFileError::None) {
        *reason = QStringLiteral("the speech program's sound could not be read (%1)").arg(decodeReason);
        return false;
    }
    if (spoken.sampleRate != platform::audio::kRecordingSampleRate
        || spoken.channels != platform::audio::kRecordingChannels) {
        *reason = QStringLiteral("the speech program gave sound of %1 Hz and %2 channels, not %3 Hz mono")
                      .arg(spoken.sampleRate)
                      .arg(spoken.channels)
                      .arg(platform::audio::kRecordingSampleRate);
        return false;
    }
    if (spoken.frameCount() < kMinSpokenFrames || !hasSound(spoken)) {
        *reason = QStringLiteral("the voice made no sound for it");
        return false;
    }
    *clip = std::move(spoken);
    return true;
}

QString UnableToSpeakMessage(const QString& word, const QString& reason)
{
    return QStringLiteral("Unable to speak \"%1\": %2.").arg(word, reason);
}

bool SpeakWord(const QString& word, const QString& language, WaveData* clip, QString* reason)
{
    if (const QString unspeakable = UnspeakableReason(word); !unspeakable.isEmpty()) {
        *reason = unspeakable;
        return false;
    }
    QProcess process;
    process.start(SpeechProgram(), speechArguments(language));
    if (!process.waitForStarted(kSpeechTimeoutMs)) {
        *reason = startFailure(process);
        return false;
    }
    process.write(word.toUtf8());
    process.closeWriteChannel();
    if (!process.waitForFinished(kSpeechTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        *reason = QStringLiteral("the speech program did not finish");
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        *reason = programFailure(QString::fromLocal8Bit(process.readAllStandardError()), process.exitCode());
        return false;
    }
    return ClipFromSpeech(process.readAllStandardOutput(), clip, reason);
}

CSpeechJob::CSpeechJob(QObject* parent) : QObject(parent)
{
    connect(&m_process, &QProcess::finished, this, &CSpeechJob::onFinished);
    connect(&m_process, &QProcess::errorOccurred, this, &CSpeechJob::onError);
}

CSpeechJob::~CSpeechJob()
{
    Abort();
}

void CSpeechJob::Start(const QString& word, const QString& language)
{
    Abort();
    m_word = word;
    m_running = true;
    ++m_generation;
    if (const QString unspeakable = UnspeakableReason(word); !unspeakable.isEmpty()) {
        finishLater(unspeakable);
        return;
    }
    m_process.start(SpeechProgram(), speechArguments(language));
    if (m_process.state() != QProcess::NotRunning) {
        m_process.write(word.toUtf8());
        m_process.closeWriteChannel();
    }
}

void CSpeechJob::finishLater(const QString& reason)
{
    // From the event loop, as a spoken word is reported: the owner may start
    // the next word from finished(), which must not happen inside Start.
    const int generation = m_generation;
    QTimer::singleShot(0, this, [this, generation, reason] {
        if (m_running && generation == m_generation)
            finish({}, reason);
    });
}

void CSpeechJob::Abort()
{
    m_running = false;
    if (m_process.state() != QProcess::NotRunning) {
        m_process.blockSignals(true);
        m_process.kill();
        m_process.waitForFinished();
        m_process.blockSignals(false);
    }
}

void CSpeechJob::onFinished(int exitCode, QProcess::ExitStatus status)
{
    if (!m_running)
        return;
    if (status != QProcess::NormalExit || exitCode != 0) {
        finish({}, programFailure(QString::fromLocal8Bit(m_process.readAllStandardError()), exitCode));
        return;
    }
    WaveData clip;
    QString reason;
    ClipFromSpeech(m_process.readAllStandardOutput(), &clip, &reason);
    finish(clip, reason);
}

void CSpeechJob::onError(QProcess::ProcessError error)
{
    // A program that ran and crashed also ends in finished(); only a failed start ends here.
    if (m_running && error == QProcess::FailedToStart)
        finishLater(startFailure(m_process));
}

void CSpeechJob::finish(const WaveData& clip, const QString& reason)
{
    m_running = false;
    emit finished(m_word, clip, reason);
}

}  // namespace practice::voice
