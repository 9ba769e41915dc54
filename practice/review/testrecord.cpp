#include "practice/review/testrecord.h"

#include <QFileInfo>
#include <QUuid>

#include <algorithm>

namespace practice::review {

void CTestRecord::Start(const QString& learner, const QString& listPath, int listWords, bool practice,
                        const QDateTime& when)
{
    m_state = State::Running;
    m_bPractice = practice;
    m_strLearner = learner;
    m_strListPath = listPath;
    m_strListName.clear();
    m_strUid.clear();
    m_nListWords = listWords;
    m_when = when;
    m_answers.clear();
}

void CTestRecord::Answer(const QString& word, const QString& answer, bool right)
{
    if (m_state == State::Running)
        m_answers.append({word, answer, right});
}

void CTestRecord::Finish()
{
    if (m_state == State::Running) {
        m_state = State::Finished;
        m_strUid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    }
}

void CTestRecord::Stop()
{
    if (m_state == State::Running) {
        m_state = State::Stopped;
        m_strUid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    }
}

QString CTestRecord::ListName() const
{
    if (!m_strListName.isEmpty())
        return m_strListName;
    return m_strListPath.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(m_strListPath).fileName();
}

int CTestRecord::Right() const
{
    return static_cast<int>(std::count_if(m_answers.cbegin(), m_answers.cend(), [](const AnsweredWord& a) { return a.right; }));
}

QStringList CTestRecord::MissedWords() const
{
    QStringList missed;
    for (const AnsweredWord& a : m_answers) {
        if (!a.right && !missed.contains(a.word))
            missed.append(a.word);
    }
    return missed;
}

}  // namespace practice::review
