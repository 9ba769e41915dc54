#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Where a typed answer differs from the word, letter by letter. Letters are
// what a reader sees as one (a letter with its accents is one letter); case
// counts, as it does when the answer is checked.
namespace practice::review {

enum class LetterMark {
    Same,
    Wrong,    // the learner typed another letter in its place
    Missing,  // a letter of the word the learner left out
    Extra,    // a letter the learner typed that the word does not have
    Swapped,  // two neighbouring letters typed the other way round
};

struct LetterStep {
    LetterMark mark = LetterMark::Same;
    QString expected;  // the word's letter(s): empty for Extra
    QString typed;     // the learner's letter(s): empty for Missing
    // The place in the word (1 = first letter); for Extra, how many of the
    // word's letters come before it.
    int position = 0;
};

// The fewest changes that turn the answer into the word, in the word's order.
QList<LetterStep> CompareLetters(const QString& word, const QString& answer);

// The differences as a screen reader should say them, one sentence each:
// "third letter: typed e, the word has a".
QStringList DescribeDifferences(const QString& word, const QString& answer);

// The text's letters (grapheme clusters).
QStringList SplitLetters(const QString& text);

// "first", "second" ... "twentieth", then "21st", "22nd".
QString OrdinalWord(int n);

}  // namespace practice::review
