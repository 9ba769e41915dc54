#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// What one test (or practice round) asked and what the learner answered, kept
// as the test goes so the review and the history need nothing of the form.
namespace practice::review {

struct AnsweredWord {
    QString word;
    QString answer;
    bool right = false;
};

class CTestRecord {
public:
    enum class State { None, Running, Finished, Stopped };

    // A new record; `practice` marks a round on missed words, which never
    // counts as the learner's first try.
    void Start(const QString& learner, const QString& listPath, int listWords, bool practice,
               const QDateTime& when = QDateTime::currentDateTime());
    // Names a round whose words come from no one list (the path stays empty):
    // it is kept under this name, not under whatever list is open.
    void SetListName(const QString& name) { m_strListName = name; }
    void Answer(const QString& word, const QString& answer, bool right);
    void Finish();
    void Stop();

    State GetState() const { return m_state; }
    bool IsOver() const { return m_state == State::Finished || m_state == State::Stopped; }
    bool IsPractice() const { return m_bPractice; }
    const QString& Learner() const { return m_strLearner; }
    const QString& ListPath() const { return m_strListPath; }
    // The name set, else the list's file name without its folder, or
    // "Untitled" for an unsaved list.
    QString ListName() const;
    const QDateTime& When() const { return m_when; }
    // Made when the test ends, so the result is the same one however often it
    // is sent; empty before.
    const QString& Uid() const { return m_strUid; }
    // How many words the test was over: the score is a share of these.
    int ListWords() const { return m_nListWords; }
    const QList<AnsweredWord>& Answers() const { return m_answers; }
    int Right() const;
    // The words answered wrong, each once, in the order they were asked.
    QStringList MissedWords() const;

private:
    State m_state = State::None;
    bool m_bPractice = false;
    QString m_strLearner;
    QString m_strListPath;
    QString m_strListName;
    QString m_strUid;
    QDateTime m_when;
    int m_nListWords = 0;
    QList<AnsweredWord> m_answers;
};

}  // namespace practice::review
