#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace platform::audio {
struct WaveData;
}

namespace practice::voice {

class CSpeechJob;

// The words of a list that have no clip under `wordsPath` (names matched
// case-blind, as Listen finds them), each once, in list order.
QStringList WordsWithoutClips(const QStringList& words, const QString& wordsPath);

// Why no clip can be made under `wordsPath`, naming the clips folder: it is
// missing, not a folder, or cannot be written (with the system's reason);
// empty when clips can be written there.
QString ClipFolderProblem(const QString& wordsPath);

struct ClipFailure {
    QString word;
    QString reason;
};

// Speaks words into their clips, <words path>/words/<word>.wav, in runs of a
// few words, one run for each core at once, in the background, with the voice
// of `language` (the user's voice when empty). A clip that has come to exist
// meanwhile is never replaced.
// Cancel stops at once; the clips made so far stay.
class CClipMaker : public QObject {
    Q_OBJECT
public:
    CClipMaker(const QStringList& words, const QString& wordsPath, const QString& language = QString(),
               QObject* parent = nullptr);
    ~CClipMaker() override;

    // Starts; finished() follows, at once for no words.
    void Start();
    void Cancel();

    int Total() const { return static_cast<int>(m_words.size()); }
    int Done() const { return m_next - m_running; }
    int Made() const { return m_made; }
    const QList<ClipFailure>& Failures() const { return m_failures; }
    bool Cancelled() const { return m_cancelled; }

signals:
    // `word` is the word last started or finished; `done` words of `total` are finished.
    void progress(const QString& word, int done, int total);
    void finished();

private:
    void startJobs();
    void startNext(CSpeechJob* job);
    void onSpoken(const QString& word, const platform::audio::WaveData& clip, const QString& reason);
    // Leaves `failure` empty once the clip is written.
    void writeClip(const QString& word, const platform::audio::WaveData& clip, QString* failure) const;

    QStringList m_words;
    QString m_wordsPath;
    QString m_language;
    std::vector<std::unique_ptr<CSpeechJob>> m_jobs;
    int m_next = 0;
    int m_running = 0;
    int m_made = 0;
    bool m_cancelled = false;
    QList<ClipFailure> m_failures;
};

}  // namespace practice::voice
