#include "practice/testview/testengine.h"
#include "practice/testview/testmessages.h"

#include <QTest>

using namespace practice::testview;
using practice::review::CTestRecord;

class TestTestEngine : public QObject {
    Q_OBJECT

private slots:
    // An answer is right only when it is the same text, letter case and
    // blanks included.
    void aTestAsksTheListInOrderAndKeepsItsRecord()
    {
        CTestEngine e;
        e.Reset();
        QCOMPARE(e.Message(), kNoListMessage);
        // A list made in the editor changes the count, not the message.
        const QStringList words{"cat", "house", "tree", "house"};
        e.SetList(words);
        QCOMPARE(std::tuple(e.Words(), e.Message()), std::tuple(4, kNoListMessage));
        QVERIFY(!e.Reset());
        QCOMPARE(e.Message(), kReadyToTestMessage);

        e.TakeTest("Ann", "/lists/Animals.spl");
        QCOMPARE(e.Message(), kFirstWordMessage);
        const QStringList typed{"cat", "House", "tree ", "huose"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(std::tuple(e.WordNumber(), e.Word()), std::tuple(i + 1, words[i]));
            QCOMPARE(e.Check(typed[i]), i == 0);
            QCOMPARE(std::tuple(e.Message(), e.Score()),
                     std::tuple(i == 0 ? kRightMessage : WrongAnswerMessage(e.Word()), QString("25.00 %")));
            QCOMPARE(e.Next(), i == 3);
            QCOMPARE(std::tuple(e.Answer(), e.Message()),
                     std::tuple(QString(), i == 3 ? kEndOfTestMessage : kNextWordMessage));
        }
        // The final score stays.
        QCOMPARE(std::tuple(e.Testing(), e.Correct(), e.Score()), std::tuple(false, 1, QString("25.00 %")));

        const CTestRecord& r = e.Record();
        QCOMPARE(r.GetState(), CTestRecord::State::Finished);
        // Each word missed once, in the order asked.
        QCOMPARE(std::tuple(r.Learner(), r.ListName(), r.ListWords(), r.IsPractice(), r.MissedWords()),
                 std::tuple(QString("Ann"), QString("Animals.spl"), 4, false, QStringList{"house", "tree"}));
        // Nothing is added once it is over, and an over test is not stopped after.
        e.Check("house");
        QVERIFY(!e.Stop());
        QCOMPARE(std::tuple(r.Answers().size(), r.GetState()), std::tuple(4, CTestRecord::State::Finished));
    }

    // Stop, New and Open end a test or a round: the count is cleared and the
    // test kept as stopped, as far as it went (a word typed but not checked is
    // not an answer). The next test is of the list open now, from its start.
    void aTestEndsEarlyByStopNewOrOpen()
    {
        const struct {
            QString how;
            QStringList list;  // the list open after
            QString message;
        } ends[] = {{"stop", {"cat", "owl"}, kStoppedMessage},
                    {"new", {}, kNoListMessage},  // during a round
                    {"open", {"dog"}, kReadyToTestMessage}};
        for (const auto& [how, list, message] : ends) {
            CTestEngine e;
            e.SetList({"cat", "owl"});
            if (how == "new")
                QVERIFY(e.Practise({"cat", "owl"}, QString(), "Ann", QString()));
            else
                e.TakeTest("Ann", QString());
            e.Check("cat");
            e.Next();
            e.SetAnswer("ow");
            if (how != "stop")
                e.SetList(list);
            QVERIFY(how == "stop" ? e.Stop() : e.Reset());
            QCOMPARE(std::tuple(e.Testing(), e.Message(), e.WordNumber(), e.Correct(), e.Score()),
                     std::tuple(false, message, 0, 0, QString()));
            if (how == "stop")
                QCOMPARE(e.Answer(), QString());
            QCOMPARE(std::tuple(e.Record().GetState(), e.Record().Answers().size()),
                     std::tuple(CTestRecord::State::Stopped, 1));
            e.TakeTest("Ann", QString());
            QCOMPARE(std::tuple(e.Word(), e.Words()), std::tuple(list.value(0), int(list.size())));
        }
    }

    // A round asks only the words given; its count and score are of those
    // words, and it is marked as practice so that the first try stays the
    // learner's result.
    void aPracticeRoundAsksOnlyItsWords()
    {
        // Missed in the list open, or gathered from many lists.
        const struct {
            QString source, listName, keptPath;
        } rounds[] = {{"", "a.spl", "/lists/a.spl"}, {"Most missed words", "Most missed words", ""}};
        for (const auto& [source, listName, keptPath] : rounds) {
            CTestEngine e;
            e.SetList({"cat", "house", "tree", "owl"});
            QVERIFY(e.Practise({"house", "tree"}, source, "Ann", "/lists/a.spl"));
            QCOMPARE(std::tuple(e.Words(), e.Word()), std::tuple(2, QString("house")));
            // A second round while one runs changes nothing.
            QVERIFY(!e.Practise({"owl"}, source, "Ann", "/lists/a.spl"));
            e.Check("house");
            QCOMPARE(e.Score(), QString("50.00 %"));
            e.Next();
            QCOMPARE(e.Word(), QString("tree"));
            e.Check("trea");
            QVERIFY(e.Next());
            const CTestRecord& r = e.Record();
            QCOMPARE(std::tuple(r.IsPractice(), r.ListWords(), r.MissedWords(), r.ListName(), r.ListPath()),
                     std::tuple(true, 2, QStringList{"tree"}, listName, keptPath));
            // No words, no round; Take Test goes back to the whole list.
            QVERIFY(!e.Practise({}, source, "Ann", "/lists/a.spl"));
            e.TakeTest("Ann", "/lists/a.spl");
            QCOMPARE(std::tuple(e.Record().IsPractice(), e.Words(), e.Word()), std::tuple(false, 4, QString("cat")));
        }
    }
};

QTEST_GUILESS_MAIN(TestTestEngine)
#include "tst_testengine.moc"
