#include "practice/testview/testengine.h"

#include "practice/review/score.h"
#include "practice/testview/testmessages.h"

namespace practice::testview {

void CTestEngine::SetList(const QStringList& words)
{
    m_list = words;
    m_words = static_cast<int>(words.size());
}

bool CTestEngine::Reset()
{
    const bool wasTesting = m_testing;
    m_wordNumber = 0;
    m_correct = 0;
    m_score.clear();
    m_testing = false;
    m_practice = false;
    m_next = -1;
    m_message = m_words < 1 ? kNoListMessage : kReadyToTestMessage;
    if (wasTesting)
        m_record.Stop();
    return wasTesting;
}

void CTestEngine::TakeTest(const QString& learner, const QString& listPath)
{
    m_practice = false;
    m_words = static_cast<int>(m_list.size());
    start(learner, listPath);
}

bool CTestEngine::Practise(const QStringList& words, const QString& source, const QString& learner,
                           const QString& listPath)
{
    if (m_testing || words.isEmpty())
        return false;
    m_practiceWords = words;
    m_practiceSource = source;
    m_practice = true;
    m_words = static_cast<int>(words.size());
    start(learner, listPath);
    return true;
}

void CTestEngine::start(const QString& learner, const QString& listPath)
{
    const bool elsewhere = m_practice && !m_practiceSource.isEmpty();
    m_record.Start(learner, elsewhere ? QString() : listPath, m_words, m_practice);
    if (elsewhere)
        m_record.SetListName(m_practiceSource);
    m_next = 0;
    m_word = takeNextWord();
    m_message = kFirstWordMessage;
    m_wordNumber = 1;
    m_correct = 0;
    m_answer.clear();
    m_score.clear();
    m_testing = true;
}

QString CTestEngine::takeNextWord()
{
    const QStringList& words = testWords();
    if (m_next < 0 || m_next >= words.size())
        return QString();
    const QString word = words.at(m_next);
    ++m_next;
    if (m_next >= words.size())
        m_next = -1;
    return word;
}

bool CTestEngine::Check(const QString& answer)
{
    m_answer = answer;
    const bool right = m_answer == m_word;
    if (right) {
        m_message = kRightMessage;
        ++m_correct;
    } else {
        m_message = WrongAnswerMessage(m_word);
    }
    m_record.Answer(m_word, m_answer, right);
    m_score = review::FormatScore(m_correct, m_words);
    return right;
}

bool CTestEngine::Next()
{
    bool ended = false;
    // The position also runs out when the list is shorter than its count said.
    if (m_words > m_wordNumber && m_next >= 0) {
        m_word = takeNextWord();
        m_message = kNextWordMessage;
        ++m_wordNumber;
    } else {
        m_message = kEndOfTestMessage;
        m_testing = false;
        m_record.Finish();
        ended = true;
    }
    m_answer.clear();
    return ended;
}

bool CTestEngine::Stop()
{
    const bool wasTesting = m_testing;
    m_message = kStoppedMessage;
    m_wordNumber = 0;
    m_correct = 0;
    m_answer.clear();
    m_score.clear();
    m_testing = false;
    if (wasTesting)
        m_record.Stop();
    return wasTesting;
}

}  // namespace practice::testview
