#include "practice/voice/clipmaker.h"

#include "platform/audio/wavefile.h"
#include "platform/files/files.h"
#include "practice/sound/clippath.h"
#include "practice/voice/speech.h"
#include "practice/voice/voicesettings.h"

#include <QFileInfo>
#include <QSet>
#include <QTemporaryFile>
#include <QThread>
#include <QTimer>

namespace practice::voice {

namespace {

// Each run of the speech program keeps one core busy; more at once only queue.
int parallelJobs()
{
    return qBound(1, QThread::idealThreadCount(), 8);
}

// Words given to one run of the speech program.
constexpr int kWordsPerRun = 16;

}  // namespace

QStringList WordsWithoutClips(const QStringList& words, const QString& wordsPath)
{
    QStringList missing;
    QSet<QString> seen;
    for (const QString& word : words) {
        const QString key = word.toCaseFolded();
        if (seen.contains(key))
            continue;
        seen.insert(key);
        const QString path = practice::sound::MakeClipPath(wordsPath, word);
        if (platform::files::GetFileAttributes(path) == platform::files::INVALID_FILE_ATTRIBUTES)
            missing.append(word);
    }
    return missing;
}

QString ClipFolderProblem(const QString& wordsPath)
{
    const QString folder = QFileInfo(practice::sound::MakeClipPath(wordsPath, QStringLiteral("x"))).path();
    const QString cannot = QStringLiteral("No clip can be made: the clips folder \"%1\" ").arg(folder);
    const QFileInfo info(folder);
    if (!info.exists())
        return cannot + QStringLiteral("does not exist.");
    if (!info.isDir())
        return cannot + QStringLiteral("is not a folder.");
    // Permissions alone do not tell (a read-only file system, an administrator's
    // rights): trying is the only sure test.
    QTemporaryFile probe(folder + QStringLiteral("/.wordwell-XXXXXX"));
    if (!probe.open())
        return cannot + QStringLiteral("cannot be written: %1.").arg(probe.errorString());
    return QString();
}

CClipMaker::CClipMaker(const QStringList& words, const QString& wordsPath, const QString& language,
                       QObject* parent)
    : QObject(parent), m_words(words), m_wordsPath(wordsPath), m_language(language)
{
}

CClipMaker::~CClipMaker() = default;

void CClipMaker::Start()
{
    if (m_words.isEmpty()) {
        QTimer::singleShot(0, this, &CClipMaker::finished);
        return;
    }
    if (!m_language.isEmpty()) {
        startJobs();
        return;
    }
    WithVoiceLanguage(this, [this](const QString& language) {
        m_language = language;
        startJobs();
    });
}

void CClipMaker::startJobs()
{
    if (m_cancelled)
        return;
    const int count = qMin(parallelJobs(), Total());
    for (int i = 0; i < count; ++i) {
        auto job = std::make_unique<CSpeechJob>();
        CSpeechJob* raw = job.get();
        connect(raw, &CSpeechJob::spoken, this, &CClipMaker::onSpoken);
        connect(raw, &CSpeechJob::done, this, [this, raw] { startNext(raw); });
        m_jobs.push_back(std::move(job));
        startNext(raw);
    }
}

void CClipMaker::Cancel()
{
    if (m_cancelled)
        return;
    m_cancelled = true;
    for (auto& job : m_jobs)
        job->Abort();
    m_running = 0;
    emit finished();
}

void CClipMaker::startNext(CSpeechJob* job)
{
    if (m_cancelled)
        return;
    if (m_next >= Total()) {
        if (m_running == 0)
            emit finished();
        return;
    }
    // Runs small enough for the progress to move and Cancel to stop soon.
    const int size = qMin(kWordsPerRun, Total() - m_next);
    const QStringList run = m_words.mid(m_next, size);
    m_next += size;
    m_running += size;
    emit progress(run.first(), Done(), Total());
    job->Start(run, m_language);
}

void CClipMaker::onSpoken(const QString& word, const platform::audio::WaveData& clip, const QString& reason)
{
    --m_running;
    QString failure = reason;
    if (failure.isEmpty())
        writeClip(word, clip, &failure);
    if (failure.isEmpty())
        ++m_made;
    else
        m_failures.append({word, failure});
    if (!m_cancelled)
        emit progress(word, Done(), Total());
}

void CClipMaker::writeClip(const QString& word, const platform::audio::WaveData& clip, QString* failure) const
{
    const QString path = practice::sound::MakeClipPath(m_wordsPath, word);
    if (practice::sound::ClipPathClimbs(m_wordsPath, path))
        *failure = QStringLiteral("the name would put the clip outside its folder");
    else if (platform::files::GetFileAttributes(path) != platform::files::INVALID_FILE_ATTRIBUTES)
        *failure = QStringLiteral("a clip or folder of that name appeared meanwhile");
    else
        platform::audio::WriteWaveFile(path, clip, failure);
}

}  // namespace practice::voice
