#include "practice/review/lettercompare.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <vector>

namespace practice::review {

QStringList SplitLetters(const QString& text)
{
    QStringList letters;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (finder.toNextBoundary() != -1) {
        const qsizetype end = finder.position();
        letters.append(text.mid(start, end - start));
        start = end;
    }
    return letters;
}

QList<LetterStep> CompareLetters(const QString& word, const QString& answer)
{
    const QStringList w = SplitLetters(word);
    const QStringList a = SplitLetters(answer);
    const auto rows = static_cast<size_t>(w.size()) + 1;
    const auto cols = static_cast<size_t>(a.size()) + 1;
    // Edit distance with neighbouring swaps counted as one change.
    std::vector<int> d(rows * cols);
    const auto at = [&](size_t i, size_t j) -> int& { return d[i * cols + j]; };
    for (size_t i = 0; i < rows; ++i)
        at(i, 0) = static_cast<int>(i);
    for (size_t j = 0; j < cols; ++j)
        at(0, j) = static_cast<int>(j);
    for (size_t i = 1; i < rows; ++i) {
        for (size_t j = 1; j < cols; ++j) {
            const bool same = w[qsizetype(i - 1)] == a[qsizetype(j - 1)];
            int best = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + (same ? 0 : 1)});
            if (i > 1 && j > 1 && w[qsizetype(i - 1)] == a[qsizetype(j - 2)] && w[qsizetype(i - 2)] == a[qsizetype(j - 1)])
                best = std::min(best, at(i - 2, j - 2) + 1);
            at(i, j) = best;
        }
    }
    // Walked back from the end; ties prefer a kept letter, then a swap, then a
    // wrong letter, so "cta" for "cat" reads as a swap, not two wrong letters.
    QList<LetterStep> steps;
    size_t i = rows - 1;
    size_t j = cols - 1;
    while (i > 0 || j > 0) {
        const QString wl = i > 0 ? w[qsizetype(i - 1)] : QString();
        const QString al = j > 0 ? a[qsizetype(j - 1)] : QString();
        const int here = at(i, j);
        if (i > 0 && j > 0 && wl == al && at(i - 1, j - 1) == here) {
            steps.prepend({LetterMark::Same, wl, al, int(i)});
            --i, --j;
        } else if (i > 1 && j > 1 && wl == a[qsizetype(j - 2)] && w[qsizetype(i - 2)] == al && at(i - 2, j - 2) + 1 == here) {
            steps.prepend({LetterMark::Swapped, w[qsizetype(i - 2)] + wl, a[qsizetype(j - 2)] + al, int(i - 1)});
            i -= 2, j -= 2;
        } else if (i > 0 && j > 0 && at(i - 1, j - 1) + 1 == here) {
            steps.prepend({LetterMark::Wrong, wl, al, int(i)});
            --i, --j;
        } else if (i > 0 && at(i - 1, j) + 1 == here) {
            steps.prepend({LetterMark::Missing, wl, QString(), int(i)});
            --i;
        } else {
            steps.prepend({LetterMark::Extra, QString(), al, int(i)});
            --j;
        }
    }
    return steps;
}

QString OrdinalWord(int n)
{
    static const char* const names[] = {"first",       "second",      "third",     "fourth",     "fifth",
                                         "sixth",       "seventh",     "eighth",    "ninth",      "tenth",
                                         "eleventh",    "twelfth",     "thirteenth", "fourteenth", "fifteenth",
                                         "sixteenth",   "seventeenth", "eighteenth", "nineteenth", "twentieth"};
    if (n >= 1 && n <= 20)
        return QString::fromLatin1(names[n - 1]);
    const int tens = n % 100;
    const char* suffix = "th";
    if (tens < 11 || tens > 13) {
        switch (n % 10) {
        case 1: suffix = "st"; break;
        case 2: suffix = "nd"; break;
        case 3: suffix = "rd"; break;
        default: break;
        }
    }
    return QString::number(n) + QLatin1String(suffix);
}

namespace {

// A letter as it is said: blanks and capitals by name.
QString spoken(const QString& letters)
{
    QStringList parts;
    for (const QString& letter : SplitLetters(letters)) {
        if (letter == u" ")
            parts.append(QStringLiteral("a space"));
        else if (letter.trimmed().isEmpty())
            parts.append(QStringLiteral("a blank"));
        else if (letter.front().isUpper())
            parts.append(QStringLiteral("capital ") + letter);
        else
            parts.append(letter);
    }
    return parts.join(u' ');
}

}  // namespace

QStringList DescribeDifferences(const QString& word, const QString& answer)
{
    if (answer.isEmpty())
        return {QStringLiteral("nothing was typed; the word is ") + spoken(word)};
    QStringList sentences;
    for (const LetterStep& step : CompareLetters(word, answer)) {
        switch (step.mark) {
        case LetterMark::Same: break;
        case LetterMark::Wrong:
            sentences.append(QStringLiteral("%1 letter: typed %2, the word has %3")
                                 .arg(OrdinalWord(step.position), spoken(step.typed), spoken(step.expected)));
            break;
        case LetterMark::Missing:
            sentences.append(QStringLiteral("%1 letter: %2 is missing").arg(OrdinalWord(step.position), spoken(step.expected)));
            break;
        case LetterMark::Extra:
            sentences.append(step.position == 0
                                 ? QStringLiteral("before the first letter: extra %1").arg(spoken(step.typed))
                                 : QStringLiteral("after the %1 letter: extra %2")
                                       .arg(OrdinalWord(step.position), spoken(step.typed)));
            break;
        case LetterMark::Swapped:
            sentences.append(QStringLiteral("%1 and %2 letters: typed %3, the word has %4")
                                 .arg(OrdinalWord(step.position), OrdinalWord(step.position + 1), spoken(step.typed),
                                      spoken(step.expected)));
            break;
        }
    }
    return sentences;
}

}  // namespace practice::review
