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
        e.SetList({"cat", "house", "tree", "house"});
        QCOMPARE(e.Words(), 4);
        QCOMPARE(e.Message(), kNoListMessage);
        QVERIFY(!e.Reset());
        QCOMPARE(e.Message(), kReadyToTestMessage);

        e.TakeTest("Ann", "/lists/Animals.spl");
        QCOMPARE(e.Message(), kFirstWordMessage);
        const QStringList typed{"cat", "House", "tree ", "huose"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(e.WordNumber(), i + 1);
            QCOMPARE(e.Word(), QStringList({"cat", "house", "tree", "house"})[i]);
            QCOMPARE(e.Check(typed[i]), i == 0);
            QCOMPARE(e.Message(), i == 0 ? kRightMessage : WrongAnswerMessage(e.Word()));
            QCOMPARE(e.Score(), QString("25.00 %"));
            QCOMPARE(e.Next(), i == 3);
            QCOMPARE(e.Answer(), QString());
            QCOMPARE(e.Message(), i == 3 ? kEndOfTestMessage : kNextWordMessage);
        }
        QVERIFY(!e.Testing());
        QCOMPARE(e.Correct(), 1);
        QCOMPARE(e.Score(), QString("25.00 %"));  // the final score stays

        const CTestRecord& r = e.Record();
        QCOMPARE(r.GetState(), CTestRecord::State::Finished);
        QCOMPARE(r.Learner(), QString("Ann"));
        QCOMPARE(r.ListName(), QString("Animals.spl"));
        QCOMPARE(r.ListWords(), 4);
        QVERIFY(!r.IsPractice());
        // Each word missed once, in the order asked.
        QCOMPARE(r.MissedWords(), (QStringList{"house", "tree"}));
        // Nothing is added once it is over, and an over test is not stopped after.
        e.Check("house");
        QVERIFY(!e.Stop());
        QCOMPARE(r.Answers().size(), 4);
        QCOMPARE(r.GetState(), CTestRecord::State::Finished);
    }

    // Stop, New and Open end a test or a round: the count is cleared and the
    // test kept as stopped, as far as it went (a word typed but not checked is
    // not an answer). The next test is of the list open now, from its start.
    void aTestEndsEarlyByStopNewOrOpen_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("list");  // the list open after
        QTest::addColumn<QString>("message");
        QTest::newRow("Stop") << "stop" << QStringList{"cat", "owl"} << kStoppedMessage;
        QTest::newRow("New during a round") << "new" << QStringList{} << kNoListMessage;
        QTest::newRow("Open") << "open" << QStringList{"dog"} << kReadyToTestMessage;
    }
    void aTestEndsEarlyByStopNewOrOpen()
    {
        QFETCH(QString, how);
        QFETCH(QStringList, list);
        QFETCH(QString, message);
        CTestEngine e;
        e.SetList({"cat", "owl"});
        if (how == "new")
            QVERIFY(e.Practise({"cat", "owl"}, QString(), "Ann", QString()));
        else
            e.TakeTest("Ann", QString());
        e.Check("cat");
        e.Next();
        e.SetAnswer("ow");
        if (how == "stop") {
            QVERIFY(e.Stop());
            QCOMPARE(e.Answer(), QString());
        } else {
            e.SetList(list);
            QVERIFY(e.Reset());
        }
        QVERIFY(!e.Testing());
        QCOMPARE(e.Message(), message);
        QCOMPARE(e.WordNumber(), 0);
        QCOMPARE(e.Correct(), 0);
        QCOMPARE(e.Score(), QString());
        QCOMPARE(e.Record().GetState(), CTestRecord::State::Stopped);
        QCOMPARE(e.Record().Answers().size(), 1);
        e.TakeTest("Ann", QString());
        QCOMPARE(e.Word(), list.value(0));
        QCOMPARE(e.Words(), list.size());
    }

    // A round asks only the words given; its count and score are of those
    // words, and it is marked as practice so that the first try stays the
    // learner's result.
    void aPracticeRoundAsksOnlyItsWords_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("listName");
        QTest::addColumn<QString>("keptPath");
        QTest::newRow("missed in the list") << "" << "a.spl" << "/lists/a.spl";
        QTest::newRow("from many lists") << "Most missed words" << "Most missed words" << "";
    }
    void aPracticeRoundAsksOnlyItsWords()
    {
        QFETCH(QString, source);
        QFETCH(QString, listName);
        QFETCH(QString, keptPath);
        CTestEngine e;
        e.SetList({"cat", "house", "tree", "owl"});
        QVERIFY(e.Practise({"house", "tree"}, source, "Ann", "/lists/a.spl"));
        QCOMPARE(e.Words(), 2);
        QCOMPARE(e.Word(), QString("house"));
        // A second round while one runs changes nothing.
        QVERIFY(!e.Practise({"owl"}, source, "Ann", "/lists/a.spl"));
        e.Check("house");
        QCOMPARE(e.Score(), QString("50.00 %"));
        e.Next();
        QCOMPARE(e.Word(), QString("tree"));
        e.Check("trea");
        QVERIFY(e.Next());
        const CTestRecord& r = e.Record();
        QVERIFY(r.IsPractice());
        QCOMPARE(r.ListWords(), 2);
        QCOMPARE(r.MissedWords(), QStringList{"tree"});
        QCOMPARE(r.ListName(), listName);
        QCOMPARE(r.ListPath(), keptPath);
        // No words, no round; Take Test goes back to the whole list.
        QVERIFY(!e.Practise({}, source, "Ann", "/lists/a.spl"));
        e.TakeTest("Ann", "/lists/a.spl");
        QVERIFY(!e.Record().IsPractice());
        QCOMPARE(e.Words(), 4);
        QCOMPARE(e.Word(), QString("cat"));
    }
};

QTEST_GUILESS_MAIN(TestTestEngine)
#include "tst_testengine.moc"
