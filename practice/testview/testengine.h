#pragma once

#include "practice/review/testrecord.h"

#include <QString>
#include <QStringList>

// A spelling test as the testing form runs it, with no widget: the words in
// list order, the word asked, the count right, the score of the whole list,
// the message to show and the record of the test. The form reads its fields
// from here after every change and keeps sound, help and colours itself.
namespace practice::testview {

class CTestEngine {
public:
    // The list open now. The count follows it even during a test: the form
    // shows what the list holds.
    void SetList(const QStringList& words);
    // The form started afresh on a new or opened list; true when a test was
    // running (it is kept as stopped).
    bool Reset();

    // A test of the whole list, recorded for `learner` under `listPath`.
    void TakeTest(const QString& learner, const QString& listPath);
    // A round over `words` only: the count and the score are of these.
    // `source` names where words from no one list came from (kept under it,
    // with no list path); empty, the round is kept under `listPath`. False,
    // with nothing changed, during a test or for no words.
    bool Practise(const QStringList& words, const QString& source, const QString& learner, const QString& listPath);
    // What the learner has typed so far, as the form read it.
    void SetAnswer(const QString& answer) { m_answer = answer; }
    // Marks `answer` against the word asked: right only when it is the same
    // text, letter case and blanks included. True when right.
    bool Check(const QString& answer);
    // The next word, or the end of the test after the last: true when it ended.
    bool Next();
    // True when a running test was stopped.
    bool Stop();

    bool Testing() const { return m_testing; }
    const QString& Word() const { return m_word; }
    const QString& Message() const { return m_message; }
    const QString& Answer() const { return m_answer; }
    const QString& Score() const { return m_score; }
    int Correct() const { return m_correct; }
    // How many words the test (or the list, between tests) is over.
    int Words() const { return m_words; }
    // The number of the word asked, from 1; 0 between tests.
    int WordNumber() const { return m_wordNumber; }
    // The last test or practice round, as far as it went.
    const review::CTestRecord& Record() const { return m_record; }

private:
    void start(const QString& learner, const QString& listPath);
    const QStringList& testWords() const { return m_practice ? m_practiceWords : m_list; }
    // The word at m_next, which then advances; -1 after the last.
    QString takeNextWord();

    QStringList m_list;
    QStringList m_practiceWords;
    QString m_practiceSource;
    bool m_practice = false;
    bool m_testing = false;
    qsizetype m_next = -1;
    QString m_word;
    QString m_message;
    QString m_answer;
    QString m_score;
    int m_correct = 0;
    int m_words = 0;
    int m_wordNumber = 0;
    review::CTestRecord m_record;
};

}  // namespace practice::testview
