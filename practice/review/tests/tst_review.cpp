#include "platform/registry/registry.h"
#include "practice/review/learner.h"
#include "practice/review/learnerdlg.h"
#include "practice/review/lettercompare.h"
#include "practice/review/letterstrip.h"
#include "practice/review/reviewwindow.h"
#include "practice/review/testrecord.h"
#include "practice/settings/wordwellapp.h"
#include "testsupport/dialogdriver.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using namespace practice::review;
namespace reg = platform::registry;

namespace {

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
        QTest::addColumn<QString>("marks");  // a step each: = same, X wrong, ^ missing, + extra, S swapped
        QTest::addColumn<QStringList>("said");
        QTest::newRow("right") << "cat" << "cat" << "===" << QStringList{};
        QTest::newRow("swap") << "their" << "thier" << "==S="
                              << QStringList{"third and fourth letters: typed i e, the word has e i"};
        QTest::newRow("missing letter") << "house" << "hose" << "==^=="
                                        << QStringList{"third letter: u is missing"};
        // Of a doubled letter, the first is the one said to be missing or extra.
        QTest::newRow("doubled missing") << "tree" << "tre" << "==^=" << QStringList{"third letter: e is missing"};
        QTest::newRow("doubled extra") << "cat" << "catt" << "==+=" << QStringList{"after the second letter: extra t"};
        QTest::newRow("extra first") << "ant" << "aant" << "+===" << QStringList{"before the first letter: extra a"};
        QTest::newRow("case") << "Cat" << "cat" << "X==" << QStringList{"first letter: typed c, the word has capital C"};
        QTest::newRow("trailing blank") << "cat" << "cat " << "===+" << QStringList{"after the third letter: extra a space"};
        QTest::newRow("tab") << "cat" << "c\tt" << "=X=" << QStringList{"second letter: typed a blank, the word has a"};
        QTest::newRow("accent") << "café" << "cafe" << "===X" << QStringList{"fourth letter: typed e, the word has é"};
        // An e with a combining accent is one letter, as a reader sees it.
        QTest::newRow("combining accent") << "cafe\u0301" << "caf" << "===^"
                                          << QStringList{"fourth letter: e\u0301 is missing"};
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
        QCOMPARE(DescribeDifferences(word, answer), said);
        // The steps put together give back the word and the answer.
        QString stepMarks, expected, typed;
        for (const LetterStep& s : CompareLetters(word, answer)) {
            stepMarks += QStringLiteral("=X^+S").at(int(s.mark));
            expected += s.expected;
            typed += s.typed;
        }
        QCOMPARE(std::tuple(stepMarks, expected, typed), std::tuple(marks, word, answer));
    }

    void ordinalsPastTwenty()
    {
        QStringList said;
        for (int n : {20, 22, 23, 101, 111})
            said << OrdinalWord(n);
        QCOMPARE(said, (QStringList{"twentieth", "22nd", "23rd", "101st", "111th"}));
    }

    // Marks, not colour alone, tell the kinds apart, and the legend names each.
    // A long word widens the strip, and wraps where the strip is narrow.
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
        const int shortWidth = strip.sizeHint().width();
        strip.SetComparison("abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrstuvwxy");
        QVERIFY(strip.sizeHint().width() > shortWidth);
        QVERIFY(strip.heightForWidth(strip.minimumSizeHint().width()) > strip.sizeHint().height());
    }

    // Blanks around and only blanks: the dialog's case below.
    void learnerNamesAreTrimmedOrRefused()
    {
        const QStringList refused{"Ann\tLee", "Ann\u202Eeel", QString(10000, u'a')};
        for (const QString& typed : refused + QStringList{QString(40, u'a')}) {
            QString name, problem;
            const bool kept = !refused.contains(typed);
            QCOMPARE(CheckLearnerName(typed, &name, &problem), kept);
            QCOMPARE(name, kept ? typed : QString());
            QCOMPARE(problem.isEmpty(), kept);
        }
    }

    void theLearnerDialogKeepsOnlyAGoodName()
    {
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
        QCOMPARE(RowTexts(words->model()), (QStringList{"1|cat|cat|\u2713 right", "2|house|hose|\u2717 wrong",
                                               "3|tree|(nothing)|\u2717 wrong", "4|house|huose|\u2717 wrong"}));
        QCOMPARE(words->currentIndex().row(), 1);
        QCOMPARE(QApplication::focusWidget(), words);
        QCOMPARE(RowTexts(window.Differences()->model()), QStringList{"third letter: u is missing"});
        QCOMPARE(window.Strip()->accessibleDescription(), QString("third letter: u is missing"));
        // The arrow keys walk the words; the comparison follows.
        QTest::keyClick(words, Qt::Key_Down);
        QCOMPARE(RowTexts(window.Differences()->model()), QStringList{"nothing was typed; the word is t r e e"});
        QTest::keyClick(words, Qt::Key_Down);
        QCOMPARE(RowTexts(window.Differences()->model()),
                 QStringList{"second and third letters: typed u o, the word has o u"});
        QTest::keyClick(words, Qt::Key_Home);
        QCOMPARE(RowTexts(window.Differences()->model()), QStringList{"every letter is right"});
        QTest::keyClick(words, Qt::Key_P, Qt::AltModifier);
        // A mnemonic clicks the button a moment later, as a mouse press would.
        QTRY_COMPARE(window.result(), int(CReviewWindow::kPractise));
    }

    void theSummarySaysHowTheTestEnded()
    {
        CTestRecord perfect;
        perfect.Start("Ann", "/lists/a.spl", 1, true);
        perfect.Answer("cat", "cat", true);
        perfect.Finish();
        QStringList said;
        for (const CTestRecord& r : {fourWordTest(), fourWordTest(true), perfect})
            said << CReviewWindow(r).Summary();
        QCOMPARE(said, (QStringList{"Animals.spl: 1 of 4 right, score 25.00 %",
                                    "Animals.spl: 1 of 6 right, score 16.67 % (stopped after 4 words)",
                                    "a.spl: 1 of 1 right, score 100.00 % (practice round)"}));
        QVERIFY(!CReviewWindow(perfect).PractiseButton()->isEnabled());
    }

    // The original's empty path put the clips at "/words/<word>.wav": nothing
    // stored, or nothing usable, means the folder Setup would propose.
    void theWordsPathIsReadAsStored_data()
    {
        QTest::addColumn<QString>("value");  // "-": nothing stored
        QTest::addColumn<bool>("machine");  // stored for the machine: not the setting
        QTest::newRow("nothing stored") << "-" << false;
        QTest::newRow("blanks and a trailing separator kept") << "/home/a b/Word well/" << false;
        QTest::newRow("empty value") << "" << false;
        QTest::newRow("the machine's hive") << "/machine" << true;
    }

    void theWordsPathIsReadAsStored()
    {
        QFETCH(QString, value);
        QFETCH(bool, machine);
        m_app.reset();
        QVERIFY(QDir(m_home->dataHome() + "/Tolvane").removeRecursively());
        reg::Key key;
        const auto hive = machine ? reg::HKEY_LOCAL_MACHINE : reg::HKEY_CURRENT_USER;
        QVERIFY(value == "-"
                || (reg::CreateKey(hive, "Software\\Tolvane\\Wordwell Practice\\WordsPath", &key) == reg::ERROR_SUCCESS
                    && reg::SetStringValue(key, "Path", value) == reg::ERROR_SUCCESS));
        CWordwellApp app;
        app.EstablishSettings();
        QCOMPARE(GetWordwellApp(), &app);
        const QString proposed = m_home->dataHome() + "/Tolvane/Wordwell";
        QCOMPARE(app.m_strWordsPath, value.isEmpty() || value == "-" || machine ? proposed : value);
        if (value == "-") {
            QVERIFY(QFileInfo(proposed + "/words").isDir());
            // Reading settings writes nothing.
            QVERIFY(!QDir(m_home->configHome() + "/Tolvane").exists());
        }
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<CWordwellApp> m_app;
};

QTEST_MAIN(TestReview)
#include "tst_review.moc"
