#include "practice/review/lettercompare.h"
#include "practice/review/letterstrip.h"

#include <QTest>

using namespace practice::review;

namespace {

// One character per step: = same, X wrong, ^ missing, + extra, S swapped.
QString marks(const QList<LetterStep>& steps)
{
    QString out;
    for (const LetterStep& s : steps) {
        switch (s.mark) {
        case LetterMark::Same: out += u'='; break;
        case LetterMark::Wrong: out += u'X'; break;
        case LetterMark::Missing: out += u'^'; break;
        case LetterMark::Extra: out += u'+'; break;
        case LetterMark::Swapped: out += u'S'; break;
        }
    }
    return out;
}

}  // namespace

class TestLetterCompare : public QObject {
    Q_OBJECT

private slots:
    void answersAreComparedLetterByLetter_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("marks");
        QTest::addColumn<QStringList>("said");
        QTest::newRow("right") << "cat" << "cat" << "===" << QStringList{};
        QTest::newRow("wrong letter") << "cat" << "cet" << "=X="
                                      << QStringList{"second letter: typed e, the word has a"};
        QTest::newRow("swap") << "their" << "thier" << "==S="
                              << QStringList{"third and fourth letters: typed i e, the word has e i"};
        QTest::newRow("missing letter") << "house" << "hose" << "==^=="
                                        << QStringList{"third letter: u is missing"};
        // Of a doubled letter, the first is the one said to be missing or extra.
        QTest::newRow("doubled missing") << "tree" << "tre" << "==^=" << QStringList{"third letter: e is missing"};
        QTest::newRow("doubled extra") << "cat" << "catt" << "==+=" << QStringList{"after the second letter: extra t"};
        QTest::newRow("extra letter") << "cat" << "caxt" << "==+=" << QStringList{"after the second letter: extra x"};
        QTest::newRow("extra first") << "ant" << "aant" << "+===" << QStringList{"before the first letter: extra a"};
        QTest::newRow("case") << "Cat" << "cat" << "X==" << QStringList{"first letter: typed c, the word has capital C"};
        QTest::newRow("trailing blank") << "cat" << "cat " << "===+" << QStringList{"after the third letter: extra a space"};
        QTest::newRow("inner blank") << "icecream" << "ice cream" << "===+====="
                                     << QStringList{"after the third letter: extra a space"};
        QTest::newRow("tab") << "cat" << "c\tt" << "=X=" << QStringList{"second letter: typed a blank, the word has a"};
        QTest::newRow("accent") << "café" << "cafe" << "===X" << QStringList{"fourth letter: typed e, the word has é"};
        // An e with a combining accent is one letter, as a reader sees it.
        QTest::newRow("combining accent") << "cafe\u0301" << "caf" << "===^"
                                          << QStringList{"fourth letter: e\u0301 is missing"};
        QTest::newRow("outside the basic plane") << "a\U0001F600b" << "ab" << "=^="
                                                 << QStringList{"second letter: \U0001F600 is missing"};
        QTest::newRow("empty answer") << "cat" << "" << "^^^" << QStringList{"nothing was typed; the word is c a t"};
        QTest::newRow("all wrong") << "ox" << "iz" << "XX"
                                   << QStringList{"first letter: typed i, the word has o",
                                                  "second letter: typed z, the word has x"};
        QTest::newRow("21st letter") << "abcdefghijklmnopqrstu" << "abcdefghijklmnopqrstv" << "====================X"
                                     << QStringList{"21st letter: typed v, the word has u"};
    }

    void answersAreComparedLetterByLetter()
    {
        QFETCH(QString, word);
        QFETCH(QString, answer);
        QFETCH(QString, marks);
        QFETCH(QStringList, said);
        const QList<LetterStep> steps = CompareLetters(word, answer);
        QCOMPARE(::marks(steps), marks);
        QCOMPARE(DescribeDifferences(word, answer), said);
        // The steps put together give back the word and the answer.
        QString expected;
        QString typed;
        for (const LetterStep& s : steps) {
            expected += s.expected;
            typed += s.typed;
        }
        QCOMPARE(expected, word);
        QCOMPARE(typed, answer);
    }

    void ordinalsPastTwenty_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("word");
        QTest::newRow("1") << 1 << "first";
        QTest::newRow("12") << 12 << "twelfth";
        QTest::newRow("20") << 20 << "twentieth";
        QTest::newRow("22") << 22 << "22nd";
        QTest::newRow("23") << 23 << "23rd";
        QTest::newRow("111") << 111 << "111th";
        QTest::newRow("101") << 101 << "101st";
    }

    void ordinalsPastTwenty()
    {
        QFETCH(int, n);
        QFETCH(QString, word);
        QCOMPARE(OrdinalWord(n), word);
    }

    // Marks, not colour alone, tell the kinds apart, and the legend names each.
    void theStripMarksEachKindApartAndWidensForALongWord()
    {
        QStringList seen;
        for (LetterMark m : {LetterMark::Wrong, LetterMark::Missing, LetterMark::Extra, LetterMark::Swapped}) {
            QVERIFY(!seen.contains(CLetterStrip::MarkText(m)));
            seen << CLetterStrip::MarkText(m);
            QVERIFY(CLetterStrip::Legend().contains(CLetterStrip::MarkText(m) + " "));
        }
        CLetterStrip strip;
        strip.SetComparison("cat", "cat");
        QCOMPARE(strip.accessibleDescription(), QString("every letter is right"));
        const int shortWidth = strip.sizeHint().width();
        strip.SetComparison("abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrstuvwxy");
        QVERIFY(strip.sizeHint().width() > shortWidth);
    }
};

QTEST_MAIN(TestLetterCompare)
#include "tst_lettercompare.moc"
