#include "practice/voice/speech.h"

#include "platform/audio/wavefile.h"
#include "practice/voice/voicesettings.h"
#include "practice/voice/warmspeech.h"

#include <QTimer>

using platform::audio::WaveData;

namespace practice::voice {

namespace {

// Less than this is no word: a click, or nothing said at all.
constexpr qint64 kMinSpokenFrames = platform::audio::kRecordingSampleRate / 20;
// espeak-ng's words a minute: slower than its default, as a teacher says a test word.
const QString kSpeed = QStringLiteral("130");

// The pause put between words spoken in one run, and the shortest quiet that is cut at.
constexpr int kPauseMs = 1000;
constexpr qint64 kMinCutFrames = platform::audio::kRecordingSampleRate * 7 / 10;
constexpr qint64 framesOf(int milliseconds)
{
    return qint64(platform::audio::kRecordingSampleRate) * milliseconds / 1000;
}
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

CWordSpeaker::CWordSpeaker(QObject* parent) : QObject(parent)
{
    connect(&m_run, &CSpeechRun::finished, this, &CWordSpeaker::onRun);
}

CWordSpeaker::~CWordSpeaker() = default;

void CWordSpeaker::Speak(const QString& word, const QString& language)
{
    Abort();
    m_word = word;
    m_deadline.setRemainingTime(SpeechTimeoutMs());
    const int generation = ++m_generation;
    if (const QString unspeakable = UnspeakableReason(word); !unspeakable.isEmpty()) {
        QTimer::singleShot(0, this, [this, generation, unspeakable] {
            if (generation == m_generation)
                report({}, unspeakable);
        });
        return;
    }
    const auto speakNow = [this, generation](const QString& chosen) {
        if (generation == m_generation)
            speakIn(chosen);
    };
    if (language.isEmpty())
        WithVoiceLanguage(this, speakNow);
    else
        QTimer::singleShot(0, this, [speakNow, language] { speakNow(language); });
}

void CWordSpeaker::Abort()
{
    ++m_generation;
    m_run.Abort();
}

void CWordSpeaker::speakIn(const QString& language)
{
    if (m_deadline.hasExpired()) {
        report({}, QStringLiteral("the speech program did not finish"));
        return;
    }
    m_program = SpeechProgram();
    m_arguments = speechArguments(language);
    CWarmSpeech* warm = WarmSpeech();
    std::unique_ptr<QProcess> waiting = warm ? warm->Take(m_program, m_arguments) : nullptr;
    m_tookWaiting = waiting != nullptr;
    const qint64 limit = MaxSpeechBytes({m_word});
    const int remaining = int(m_deadline.remainingTime());
    if (waiting)
        m_run.Give(std::move(waiting), m_word.toUtf8(), limit, remaining);
    else
        m_run.Start(m_program, m_arguments, m_word.toUtf8(), limit, remaining);
}

void CWordSpeaker::onRun(const QByteArray& output, const QString& reason)
{
    WaveData clip;
    QString failure = reason;
    if (failure.isEmpty())
        ClipFromSpeech(output, &clip, &failure);
    // The waiting program may have ended meanwhile: one started for the word
    // speaks it, so that the failure reported is the one a first word gives.
    if (!failure.isEmpty() && m_tookWaiting && !m_deadline.hasExpired()) {
        m_tookWaiting = false;
        m_run.Start(m_program, m_arguments, m_word.toUtf8(), MaxSpeechBytes({m_word}),
                    int(m_deadline.remainingTime()));
        return;
    }
    if (CWarmSpeech* warm = WarmSpeech())
        warm->PrepareLater(m_program, m_arguments);
    report(clip, failure);
}

void CWordSpeaker::report(const WaveData& clip, const QString& reason)
{
    emit spoken(m_word, clip, reason);
}

QList<WaveData> SplitAtPauses(const WaveData& spoken, int count, int pauseMs)
{
    const auto* samples = reinterpret_cast<const qint16*>(spoken.samples.constData());
    const qint64 frames = spoken.channels == 1 ? spoken.frameCount() : 0;
    // A word that made no sound leaves its pause and the next one side by side:
    // a quiet that long between sounds, or half as long before the first word
    // or after the last (which end in quiet of their own), holds one.
    const qint64 longestBetween = framesOf(pauseMs * 3 / 2);
    const qint64 longestBefore = framesOf(pauseMs / 2);
    const qint64 longestAfter = framesOf(pauseMs);
    // Cut in the middle of each long pause that lies between sounds.
    QList<qint64> cuts;
    qint64 quietFrom = 0;
    qint64 firstSound = -1;
    for (qint64 i = 0; i < frames; ++i) {
        if (isQuiet(samples[i])) {
            if (quietFrom < 0)
                quietFrom = i;
            continue;
        }
        if (firstSound < 0) {
            firstSound = i;
        } else if (quietFrom >= 0 && i - quietFrom >= kMinCutFrames) {
            if (i - quietFrom > longestBetween)
                return {};
            cuts.append((quietFrom + i) / 2);
        }
        quietFrom = -1;
    }
    if (firstSound < 0 || firstSound > longestBefore || (quietFrom >= 0 && frames - quietFrom > longestAfter)
        || cuts.size() != count - 1)
        return {};
    cuts.prepend(0);
    cuts.append(frames);
    QList<WaveData> pieces;
    for (int k = 0; k < count; ++k) {
        WaveData piece = spoken;
        piece.samples = trimmedSilence(spoken.samples.mid(2 * cuts[k], 2 * (cuts[k + 1] - cuts[k])));
        // A click is no word: spoken alone, it is reported as no sound.
        if (piece.frameCount() < 2 * kMarginFrames + kMinSpokenFrames)
            return {};
        pieces.append(piece);
    }
    return pieces;
}

CSpeechJob::CSpeechJob(QObject* parent) : QObject(parent)
{
    connect(&m_run, &CSpeechRun::finished, this, &CSpeechJob::onRun);
}

CSpeechJob::~CSpeechJob() = default;

void CSpeechJob::Start(const QStringList& words, const QString& language)
{
    Abort();
    m_language = language;
    m_running = true;
    m_words.clear();
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
        // From the event loop, as a spoken word is reported: the owner may
        // start more words from done(), which must not happen inside Start.
        QTimer::singleShot(0, this, [this, generation = m_generation] {
            if (generation == m_generation)
                runNext();
        });
        return;
    }
    m_words = together;
    QString markup = QStringLiteral("<speak>");
    for (int i = 0; i < together.size(); ++i) {
        if (i > 0)
            markup += QStringLiteral("<break time=\"%1ms\"/>").arg(kPauseMs);
        markup += together.at(i).toHtmlEscaped();
    }
    markup += QStringLiteral("</speak>");
    QStringList arguments = speechArguments(language);
    arguments.prepend(QStringLiteral("-m"));
    m_run.Start(SpeechProgram(), arguments, markup.toUtf8(), MaxSpeechBytes(together, kPauseMs), SpeechTimeoutMs());
}

void CSpeechJob::runNext()
{
    if (!m_running)
        return;
    if (m_waiting.isEmpty()) {
        endRun();
        return;
    }
    m_words = {m_waiting.takeFirst()};
    const QString& word = m_words.first();
    if (const QString unspeakable = UnspeakableReason(word); !unspeakable.isEmpty()) {
        fail(unspeakable);
        return;
    }
    m_run.Start(SpeechProgram(), speechArguments(m_language), word.toUtf8(), MaxSpeechBytes(m_words),
                SpeechTimeoutMs());
}

void CSpeechJob::Abort()
{
    m_running = false;
    ++m_generation;
    m_run.Abort();
}

void CSpeechJob::onRun(const QByteArray& output, const QString& reason)
{
    if (!m_running)
        return;
    if (!reason.isEmpty()) {
        fail(reason);
        return;
    }
    const QStringList run = m_words;
    WaveData clip;
    QString failure;
    const bool heard = ClipFromSpeech(output, &clip, &failure);
    if (run.size() == 1) {
        emit spoken(run.first(), clip, failure);
        runNext();
        return;
    }
    const QList<WaveData> pieces = heard ? SplitAtPauses(clip, int(run.size()), kPauseMs) : QList<WaveData>();
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

void CSpeechJob::fail(const QString& reason)
{
    const QStringList run = m_words;
    for (const QString& word : run) {
        emit spoken(word, {}, reason);
        if (!m_running)
            return;
    }
    runNext();
}

void CSpeechJob::endRun()
{
    m_running = false;
    emit done();
}

}  // namespace practice::voice
