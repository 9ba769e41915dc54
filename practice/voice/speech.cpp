#include "practice/voice/speech.h"

#include "platform/audio/wavefile.h"
#include "practice/voice/warmspeech.h"

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

// The pause put between words spoken in one run, and the shortest quiet that is cut at.
constexpr int kPauseMs = 1000;
constexpr qint64 kMinCutFrames = platform::audio::kRecordingSampleRate * 7 / 10;
// What is left of the quiet before and after a word cut out of a run.
constexpr qint64 kMarginFrames = platform::audio::kRecordingSampleRate / 10;

bool isQuiet(qint16 sample)
{
    return sample <= 64 && sample >= -64;
}

// The piece without its quiet beyond a short margin at either end.
QByteArray trimmedSilence(const QByteArray& samples)
{
    const auto* data = reinterpret_cast<const qint16*>(samples.constData());
    const qint64 count = samples.size() / 2;
    qint64 first = 0;
    while (first < count && isQuiet(data[first]))
        ++first;
    qint64 last = count;
    while (last > first && isQuiet(data[last - 1]))
        --last;
    first = qMax<qint64>(0, first - kMarginFrames);
    last = qMin(count, last + kMarginFrames);
    return samples.mid(2 * first, 2 * (last - first));
}

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
        if (!isQuiet(samples[i]))
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

namespace {

// Gives `word` to a started program and waits for its sound.
bool speakWith(QProcess& process, const QString& word, WaveData* clip, QString* reason)
{
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

}  // namespace

bool SpeakWord(const QString& word, const QString& language, WaveData* clip, QString* reason)
{
    if (const QString unspeakable = UnspeakableReason(word); !unspeakable.isEmpty()) {
        *reason = unspeakable;
        return false;
    }
    const QString program = SpeechProgram();
    const QStringList arguments = speechArguments(language);
    CWarmSpeech* warm = WarmSpeech();
    // The program started ahead, if one waits. Should it fail, a program
    // started now speaks the word, so its failure is the one reported.
    const std::unique_ptr<QProcess> waiting = warm ? warm->Take(program, arguments) : nullptr;
    bool spoken = waiting && speakWith(*waiting, word, clip, reason);
    if (!spoken) {
        QProcess process;
        process.start(program, arguments);
        if (process.waitForStarted(kSpeechTimeoutMs))
            spoken = speakWith(process, word, clip, reason);
        else
            *reason = startFailure(process);
    }
    if (warm)
        warm->PrepareLater(program, arguments);
    return spoken;
}

QList<WaveData> SplitAtPauses(const WaveData& spoken, int count)
{
    const auto* samples = reinterpret_cast<const qint16*>(spoken.samples.constData());
    const qint64 frames = spoken.channels == 1 ? spoken.frameCount() : 0;
    // Cut in the middle of each long pause that lies between sounds.
    QList<qint64> cuts;
    qint64 quietFrom = -1;
    bool heardSound = false;
    for (qint64 i = 0; i < frames; ++i) {
        if (isQuiet(samples[i])) {
            if (quietFrom < 0)
                quietFrom = i;
            continue;
        }
        if (heardSound && quietFrom >= 0 && i - quietFrom >= kMinCutFrames)
            cuts.append((quietFrom + i) / 2);
        heardSound = true;
        quietFrom = -1;
    }
    if (cuts.size() != count - 1)
        return {};
    cuts.prepend(0);
    cuts.append(frames);
    QList<WaveData> pieces;
    for (int k = 0; k < count; ++k) {
        WaveData piece = spoken;
        piece.samples = trimmedSilence(spoken.samples.mid(2 * cuts[k], 2 * (cuts[k + 1] - cuts[k])));
        pieces.append(piece);
    }
    return pieces;
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

void CSpeechJob::Start(const QStringList& words, const QString& language)
{
    Abort();
    m_language = language;
    m_running = true;
    m_run.clear();
    m_waiting.clear();
    QStringList together;
    for (const QString& word : words) {
        if (const QString unspeakable = UnspeakableReason(word); !unspeakable.isEmpty())
            m_waiting.append(word);  // reported on its own turn
        else
            together.append(word);
    }
    if (together.size() < 2) {
        m_waiting = words;
        runNext();
        return;
    }
    ++m_generation;
    m_run = together;
    QString markup = QStringLiteral("<speak>");
    for (int i = 0; i < together.size(); ++i) {
        if (i > 0)
            markup += QStringLiteral("<break time=\"%1ms\"/>").arg(kPauseMs);
        markup += together.at(i).toHtmlEscaped();
    }
    markup += QStringLiteral("</speak>");
    QStringList arguments = speechArguments(language);
    arguments.prepend(QStringLiteral("-m"));
    m_process.start(SpeechProgram(), arguments);
    if (m_process.state() != QProcess::NotRunning) {
        m_process.write(markup.toUtf8());
        m_process.closeWriteChannel();
    }
}

void CSpeechJob::runNext()
{
    if (!m_running)
        return;
    if (m_waiting.isEmpty()) {
        endRun();
        return;
    }
    ++m_generation;
    m_run = {m_waiting.takeFirst()};
    const QString& word = m_run.first();
    if (const QString unspeakable = UnspeakableReason(word); !unspeakable.isEmpty()) {
        failLater(unspeakable);
        return;
    }
    m_process.start(SpeechProgram(), speechArguments(m_language));
    if (m_process.state() != QProcess::NotRunning) {
        m_process.write(word.toUtf8());
        m_process.closeWriteChannel();
    }
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
    const QStringList run = m_run;
    if (status != QProcess::NormalExit || exitCode != 0) {
        const QString reason = programFailure(QString::fromLocal8Bit(m_process.readAllStandardError()), exitCode);
        for (const QString& word : run) {
            emit spoken(word, {}, reason);
            if (!m_running)
                return;
        }
        runNext();
        return;
    }
    const QByteArray output = m_process.readAllStandardOutput();
    WaveData clip;
    QString reason;
    const bool heard = ClipFromSpeech(output, &clip, &reason);
    if (run.size() == 1) {
        emit spoken(run.first(), clip, reason);
        runNext();
        return;
    }
    const QList<WaveData> pieces = heard ? SplitAtPauses(clip, int(run.size())) : QList<WaveData>();
    if (pieces.isEmpty()) {
        // Some word made no sound, or a pause of its own: each is spoken alone.
        m_waiting = run + m_waiting;
        runNext();
        return;
    }
    for (int i = 0; i < run.size(); ++i) {
        emit spoken(run.at(i), pieces.at(i), QString());
        if (!m_running)
            return;
    }
    runNext();
}

void CSpeechJob::onError(QProcess::ProcessError error)
{
    // A program that ran and crashed also ends in finished(); only a failed start ends here.
    if (m_running && error == QProcess::FailedToStart)
        failLater(startFailure(m_process));
}

void CSpeechJob::failLater(const QString& reason)
{
    // From the event loop, as a spoken word is reported: the owner may start
    // more words from done(), which must not happen inside Start.
    const int generation = m_generation;
    QTimer::singleShot(0, this, [this, generation, reason] {
        if (!m_running || generation != m_generation)
            return;
        const QStringList run = m_run;
        for (const QString& word : run) {
            emit spoken(word, {}, reason);
            if (!m_running)
                return;
        }
        runNext();
    });
}

void CSpeechJob::endRun()
{
    m_running = false;
    emit done();
}

}  // namespace practice::voice
