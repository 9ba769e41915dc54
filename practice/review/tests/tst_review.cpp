#include "practice/review/learner.h"
#include "practice/review/learnerdlg.h"
#include "practice/review/lettercompare.h"
#include "practice/review/letterstrip.h"
#include "practice/review/reviewwindow.h"
#include "practice/review/testrecord.h"
#include "practice/settings/wordwellapp.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

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

QStringList listTexts(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QStringList rowTexts(const QTreeWidget* tree, int row)
{
    QStringList out;
    for (int c = 0; c < tree->columnCount(); ++c)
        out << tree->topLevelItem(row)->text(c);
    return out;
}

// A test of four words, two of them missed (one twice in the list).
CTestRecord fourWordTest(bool stop = false)
{
    CTestRecord r;
    r.Start("Ann", "/lists/Animals.spl", stop ? 6 : 4, false, QDateTime(QDate(2026, 3, 1), QTime(9, 30)));
    r.Answer("cat", "cat", true);
    r.Answer("house", "hose", false);
    r.Answer("tree", "", false);
    r.Answer("house", "huose", false);
    stop ? r.Stop() : r.Finish();
    return r;
}

}  // namespace

class TestReview : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_home = std::make_unique<IsolatedHome>();
        m_app = std::make_unique<CWordwellApp>();
        m_app->EstablishSettings();
    }
    void cleanup()
    {
        m_app.reset();
        m_home.reset();
    }

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

    void learnerNamesAreTrimmedOrRefused_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");  // empty: refused
        QTest::newRow("plain") << "Ann" << "Ann";
        QTest::newRow("blanks around") << "  Ann Lee \t" << "Ann Lee";
        QTest::newRow("accents") << "Zoë Ødegård" << "Zoë Ødegård";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("only blanks") << "   " << "";
        QTest::newRow("tab inside") << "Ann\tLee" << "";
        QTest::newRow("escape") << "Ann\x1b[31m" << "";
        QTest::newRow("right-to-left override") << "Ann\u202Eeel" << "";
        QTest::newRow("40 characters") << QString(40, u'a') << QString(40, u'a');
        QTest::newRow("10,000 characters") << QString(10000, u'a') << "";
    }

    void learnerNamesAreTrimmedOrRefused()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QString name;
        QString problem;
        QCOMPARE(CheckLearnerName(typed, &name, &problem), !kept.isEmpty());
        QCOMPARE(name, kept);
        QCOMPARE(problem.isEmpty(), !kept.isEmpty());
    }

    void theLearnerDialogKeepsOnlyAGoodName()
    {
        QCOMPARE(CurrentLearner(), QString("Learner"));
        MessageBoxRecorder boxes;
        CLearnerDlg dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* edit = dialog.findChild<QLineEdit*>();
        QCOMPARE(edit->text(), QString("Learner"));
        edit->selectAll();
        QTest::keyClicks(edit, "   ");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(boxes.texts(), QStringList{"Please type the learner's name."});
        QVERIFY(dialog.isVisible());
        QCOMPARE(CurrentLearner(), QString("Learner"));
        edit->selectAll();
        QTest::keyClicks(edit, "  Ben ");
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(platform::framework::IDOK));
        QCOMPARE(CurrentLearner(), QString("Ben"));
        // A name put into the settings by hand is held to the same rules.
        m_app->WriteProfileString("Learner", "Name", "Ben\tX");
        QCOMPARE(CurrentLearner(), QString("Learner"));
    }

    void theReviewListsEveryWordAndShowsTheFirstMistake()
    {
        const CTestRecord r = fourWordTest();
        CReviewWindow window(r);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTreeWidget* words = window.Words();
        QCOMPARE(words->topLevelItemCount(), 4);
        QCOMPARE(rowTexts(words, 0), (QStringList{"1", "cat", "cat", "\u2713 right"}));
        QCOMPARE(rowTexts(words, 1), (QStringList{"2", "house", "hose", "\u2717 wrong"}));
        QCOMPARE(rowTexts(words, 2), (QStringList{"3", "tree", "(nothing)", "\u2717 wrong"}));
        QCOMPARE(words->currentIndex().row(), 1);
        QCOMPARE(QApplication::focusWidget(), words);
        QCOMPARE(listTexts(window.Differences()), QStringList{"third letter: u is missing"});
        QCOMPARE(window.Strip()->accessibleDescription(), QString("third letter: u is missing"));
        // The arrow keys walk the words; the comparison follows.
        QTest::keyClick(words, Qt::Key_Down);
        QCOMPARE(listTexts(window.Differences()), QStringList{"nothing was typed; the word is t r e e"});
        QTest::keyClick(words, Qt::Key_Down);
        QCOMPARE(listTexts(window.Differences()),
                 QStringList{"second and third letters: typed u o, the word has o u"});
        QTest::keyClick(words, Qt::Key_Home);
        QCOMPARE(listTexts(window.Differences()), QStringList{"every letter is right"});
    }

    void theReviewFitsTheScreen_data()
    {
        QTest::addColumn<QString>("listName");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("typed");
        const QString phrase =
            "the quick brown fox jumps over the lazy dog while the cat sleeps on the warm mat by the door";
        QTest::newRow("45-letter word") << "Long" << "pneumonoultramicroscopicsilicovolcanoconiosis"
                                        << "pneumonoultramicroscopicsilicovolcanokoniosis";
        QTest::newRow("88-character phrase") << "Long" << phrase.left(88) << QString(phrase.left(88)).replace("o", "0");
        QTest::newRow("10,000 letters typed") << "Long" << "cat" << QString(10000, u'x');
        QTest::newRow("long list name") << QString("week one of the spelling words ").repeated(8) << "cat" << "cta";
    }

    // The window, its strip and its buttons stay on the screen it opens on.
    void theReviewFitsTheScreen()
    {
        QFETCH(QString, listName);
        QFETCH(QString, word);
        QFETCH(QString, typed);
        CTestRecord r;
        r.Start("Ann", "/lists/" + listName + ".spl", 1, false);
        r.Answer(word, typed, false);
        r.Finish();
        CReviewWindow window(r);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QSize room = window.screen()->availableGeometry().size();
        QVERIFY2(window.size().boundedTo(room) == window.size(),
                 qPrintable(QString("%1x%2").arg(window.width()).arg(window.height())));
        QVERIFY(window.minimumSizeHint().boundedTo(room) == window.minimumSizeHint());
        const auto buttons = window.findChild<QDialogButtonBox*>();
        for (QPushButton* button : {window.PractiseButton(), buttons->button(QDialogButtonBox::Close)})
            QVERIFY(window.rect().contains(QRect(button->mapTo(&window, QPoint()), button->size())));
        // Every row of the strip is there, shown or scrolled to.
        QVERIFY(window.Strip()->height() >= window.Strip()->heightForWidth(window.Strip()->width()));
    }

    void theReviewEndsByItsButtonsAndKeys_data()
    {
        QTest::addColumn<QString>("kind");  // finished, stopped, or a practice round with no mistake
        QTest::addColumn<int>("result");    // practise by Alt+P, or Tab to Close and Enter
        QTest::addColumn<QString>("summary");
        QTest::newRow("Alt+P practises") << "finished" << int(CReviewWindow::kPractise)
                                         << "Animals.spl: 1 of 4 right, score 25.00 %";
        QTest::newRow("Enter on Close") << "stopped" << int(QDialog::Rejected)
                                        << "Animals.spl: 1 of 6 right, score 16.67 % (stopped after 4 words)";
        QTest::newRow("no mistakes") << "perfect" << int(QDialog::Rejected)
                                     << "a.spl: 1 of 1 right, score 100.00 % (practice round)";
    }

    void theReviewEndsByItsButtonsAndKeys()
    {
        QFETCH(QString, kind);
        QFETCH(int, result);
        QFETCH(QString, summary);
        CTestRecord r = fourWordTest(kind == "stopped");
        if (kind == "perfect") {
            r.Start("Ann", "/lists/a.spl", 1, true);
            r.Answer("cat", "cat", true);
            r.Finish();
        }
        CReviewWindow window(r);
        QCOMPARE(window.Summary(), summary);
        QCOMPARE(window.PractiseButton()->isEnabled(), kind != "perfect");
        QTimer::singleShot(0, &window, [&] {
            if (!QTest::qWaitForWindowActive(&window))
                window.done(-1);
            else if (result == CReviewWindow::kPractise) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::AltModifier);
            } else {
                QPushButton* close = window.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close);
                close->setFocus();
                QTest::keyClick(close, Qt::Key_Return);
            }
        });
        QCOMPARE(window.exec(), result);
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<CWordwellApp> m_app;
};

QTEST_MAIN(TestReview)
#include "tst_review.moc"
