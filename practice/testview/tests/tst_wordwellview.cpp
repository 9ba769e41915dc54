#include "audiotesting.h"
#include "platform/audio/waveaudiodevice.h"
#include "platform/framework/commandids.h"
#include "platform/framework/frame.h"
#include "platform/framework/helprequest.h"
#include "platform/framework/shellexecute.h"
#include "platform/help/helppopup.h"
#include "platform/help/winhelp.h"
#include "practice/document/commands.h"
#include "practice/document/wordwelldoc.h"
#include "practice/sound/soundclipwindow.h"
#include "practice/testview/testform.h"
#include "practice/testview/testmessages.h"
#include "practice/testview/wordwellview.h"
#include "practice/voice/voicesettings.h"
#include "testsupport/messageboxes.h"
#include "testsupport/practice/viewfixture.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QWhatsThis>

#include <algorithm>
#include <memory>

using namespace practice::testview;
using platform::audio::WaveAudioDevice;

namespace {
enum : unsigned {
    EDITLIST = practice::ID_TOOLS_EDITLIST,
    TAKETEST = practice::ID_TOOLS_TAKETEST,
    LISTINFO = practice::ID_TOOLS_LISTINFO,
    STOPTEST = practice::ID_TOOLS_STOPTEST,
    WEBPAGE = practice::ID_HELP_WEBPAGE,
};
}  // namespace

class TestWordwellView : public QObject {
    Q_OBJECT

private slots:
    void init() { f = std::make_unique<ViewFixture>(); }
    void cleanup() { f.reset(); }

    void theScoreIsAPercentageOfTheWholeList_data()
    {
        QTest::addColumn<int>("correct");
        QTest::addColumn<int>("words");
        QTest::addColumn<QString>("score");
        QTest::newRow("1 of 3") << 1 << 3 << "33.33 %";
        QTest::newRow("2 of 3") << 2 << 3 << "66.67 %";
        QTest::newRow("1 of 1") << 1 << 1 << "100.00 %";
        QTest::newRow("0 of 1") << 0 << 1 << "0.00 %";
        QTest::newRow("1 of 2") << 1 << 2 << "50.00 %";
        QTest::newRow("2 of 7") << 2 << 7 << "28.57 %";
        QTest::newRow("no words") << 0 << 0 << "";
    }

    void theScoreIsAPercentageOfTheWholeList()
    {
        QFETCH(int, correct);
        QFETCH(int, words);
        QFETCH(QString, score);
        QCOMPARE(FormatScore(correct, words), score);
    }

    void anEmptyListAsksForAList()
    {
        QCOMPARE(f->text(IDC_MESSAGE), QString("No Spelling List ...\nPlease Open or Create a List"));
        QCOMPARE(f->view()->m_strMessage, kNoListMessage);
        QCOMPARE(f->text(IDC_WORDCOUNT), QString("0"));
        QCOMPARE(f->text(IDC_WORDNUMBER), QString("0"));
        QCOMPARE(f->text(IDC_CORRECT), QString("0"));
        QCOMPARE(f->text(IDC_SCORE), QString());
        expectMode(CWordwellView::Idle);
        QVERIFY(!f->commandEnabled(TAKETEST));
        QVERIFY(!f->commandEnabled(LISTINFO));
        QVERIFY(f->commandEnabled(EDITLIST));
        QVERIFY(!f->commandEnabled(STOPTEST));
        QVERIFY(f->commandEnabled(WEBPAGE));
    }

    void aListIsReadyToTest()
    {
        f->openList({"cat", "house", "tree"});
        QCOMPARE(f->view()->m_strMessage, kReadyToTestMessage);
        QCOMPARE(f->text(IDC_MESSAGE), QString("Click T button to take a test."));
        QCOMPARE(f->text(IDC_WORDCOUNT), QString("3"));
        expectMode(CWordwellView::Idle);
        QVERIFY(f->commandEnabled(TAKETEST));
        QVERIFY(f->commandEnabled(LISTINFO));
        QVERIFY(f->commandEnabled(EDITLIST));
        QVERIFY(!f->commandEnabled(STOPTEST));
    }

    void theWholeRoadOfATestByKeys()
    {
        f->openList({"cat", "house", "tree"});
        for (const char* w : {"cat", "house", "tree"})
            f->giveClip(w);
        MessageBoxRecorder boxes;

        QVERIFY(f->frame()->RouteCommand(TAKETEST));
        QCOMPARE(f->view()->m_strMessage, kFirstWordMessage);
        QCOMPARE(f->text(IDC_WORDNUMBER), QString("1"));
        QCOMPARE(f->focusId(), int(IDC_LISTEN));
        expectMode(CWordwellView::WordInPlay);
        QVERIFY(!f->commandEnabled(TAKETEST));
        QVERIFY(f->commandEnabled(STOPTEST));
        QVERIFY(!f->commandEnabled(EDITLIST));
        QVERIFY(!f->commandEnabled(LISTINFO));

        const QStringList answers{"cat", "hous", "tree"};
        const QStringList scores{"33.33 %", "33.33 %", "66.67 %"};
        for (int i = 0; i < 3; ++i) {
            // Enter on Listen plays the word and moves on to the answer box.
            QSignalSpy started(f->view()->m_player.Window()->device(), &WaveAudioDevice::playbackStarted);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(f->focusId(), int(IDC_ANSWER));
            if (!audiotesting::ExpectNoAudioDevice()) {
                QVERIFY(started.wait(5000) || started.count() > 0);
                QVERIFY(boxes.texts().isEmpty());
            }
            QTest::keyClicks(f->answer(), answers[i]);
            QTest::keyClick(f->answer(), Qt::Key_Return);
            QCOMPARE(f->focusId(), int(IDC_NEXTWORD));
            expectMode(CWordwellView::Answered);
            QCOMPARE(f->text(IDC_SCORE), scores[i]);
            QCOMPARE(f->view()->m_strMessage,
                     i == 1 ? QString("Sorry wrong Answer.\r\nThe correct spelling is house.") : kRightMessage);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            if (i < 2) {
                QCOMPARE(f->view()->m_strMessage, kNextWordMessage);
                QCOMPARE(f->text(IDC_WORDNUMBER), QString::number(i + 2));
                QCOMPARE(f->text(IDC_ANSWER), QString());
                QCOMPARE(f->focusId(), int(IDC_LISTEN));
                expectMode(CWordwellView::WordInPlay);
            }
        }
        QCOMPARE(f->view()->m_strMessage, kEndOfTestMessage);
        expectMode(CWordwellView::Idle);
        QVERIFY(!f->view()->m_bTesting);
        QCOMPARE(f->text(IDC_CORRECT), QString("2"));
        QCOMPARE(f->text(IDC_SCORE), QString("66.67 %"));
        QCOMPARE(f->text(IDC_WORDNUMBER), QString("3"));
        QVERIFY(f->commandEnabled(TAKETEST));
        QVERIFY(!f->commandEnabled(STOPTEST));
        if (!audiotesting::ExpectNoAudioDevice())
            QVERIFY(boxes.texts().isEmpty());
    }

    void anAnswerMustMatchExactly_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("right");
        QTest::newRow("same") << "Cat" << true;
        QTest::newRow("letter case") << "cat" << false;
        QTest::newRow("trailing blank") << "Cat " << false;
        QTest::newRow("leading blank") << " Cat" << false;
        QTest::newRow("empty") << "" << false;
    }

    void anAnswerMustMatchExactly()
    {
        QFETCH(QString, answer);
        QFETCH(bool, right);
        f->openList({"Cat"});
        MessageBoxRecorder boxes;
        f->view()->OnTakeTest();
        f->answer()->setText(answer);
        f->view()->OnCheck();
        QCOMPARE(f->view()->m_strMessage, right ? kRightMessage : QString("Sorry wrong Answer.\r\nThe correct spelling is Cat."));
        QCOMPARE(f->text(IDC_CORRECT), right ? QString("1") : QString("0"));
        // A one-word list ends at the next word with the final score kept.
        f->view()->OnNextWord();
        QCOMPARE(f->view()->m_strMessage, kEndOfTestMessage);
        QCOMPARE(f->text(IDC_SCORE), right ? QString("100.00 %") : QString("0.00 %"));
        QCOMPARE(f->text(IDC_WORDNUMBER), QString("1"));
        QCOMPARE(f->text(IDC_WORDCOUNT), QString("1"));
    }

    void aMissingClipSaysWhereItLookedAndTheTestGoesOn()
    {
        // Speaking unrecorded words is off until the user turns it on.
        QVERIFY(!practice::voice::SpeakUnrecordedWords());
        f->openList({"owl"});
        MessageBoxRecorder boxes;
        f->view()->OnTakeTest();
        f->answer()->setText("ow");
        QTest::keyClick(f->view()->GetDlgItem(IDC_LISTEN), Qt::Key_Return);
        QCOMPARE(boxes.texts(), QStringList{"No Sound file:  " + f->clipPath("owl") + " found."});
        QCOMPARE(boxes.requests().first().type, unsigned(platform::framework::MB_OK));
        QCOMPARE(boxes.requests().first().caption, QString("Wordwell Practice"));
        // The typed answer was kept, and the learner can still check it.
        QCOMPARE(f->view()->m_strAnswer, QString("ow"));
        QCOMPARE(f->focusId(), int(IDC_ANSWER));
        expectMode(CWordwellView::WordInPlay);
        QTest::keyClicks(f->answer(), "l");
        QTest::keyClick(f->answer(), Qt::Key_Return);
        QCOMPARE(f->view()->m_strMessage, kRightMessage);
    }

    void withSpeakingOnAWordWithoutAClipIsSpoken_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QByteArray>("clip");  // null: no clip file
        QTest::addColumn<QString>("message");  // empty: the word is heard
        QTest::addColumn<QByteArray>("program");  // a speech program of the test's; empty: the real one
        QTest::newRow("unrecorded") << "owl" << QByteArray() << QString() << QByteArray();
        QTest::newRow("nothing to speak") << "?!" << QByteArray()
                                          << "Unable to speak \"?!\": the word has no letter to speak." << QByteArray();
        // A clip that is there but damaged is the teacher's to mend: the original's box.
        QTest::newRow("damaged clip") << "yak" << QByteArray("RIFF junk") << "No Sound file:  %1 found." << QByteArray();
        // The form stays alive meanwhile; the word is reported once, after the program's time.
        QTest::newRow("hung program") << "owl" << QByteArray()
                                      << "Unable to speak \"owl\": the speech program did not finish."
                                      << QByteArray("#!/bin/sh\nexec sleep 60\n");
    }
    void withSpeakingOnAWordWithoutAClipIsSpoken()
    {
        QFETCH(QString, word);
        QFETCH(QByteArray, clip);
        QFETCH(QString, message);
        QFETCH(QByteArray, program);
        const auto restore = qScopeGuard([] {
            qunsetenv("WORDWELL_SPEECH_PROGRAM");
            qunsetenv("WORDWELL_SPEECH_TIMEOUT_MS");
        });
        const int bound = 2000;
        if (!program.isEmpty()) {
            const QString path = f->wordsPath() + "/speech-program";
            WriteFileForTest(path, program);
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner));
            qputenv("WORDWELL_SPEECH_PROGRAM", QFile::encodeName(path));
            qputenv("WORDWELL_SPEECH_TIMEOUT_MS", QByteArray::number(bound));
        }
        QVERIFY(practice::voice::SetSpeakUnrecordedWords(true));
        if (!clip.isNull())
            WriteFileForTest(f->clipPath(word), clip);
        f->openList({word});
        MessageBoxRecorder boxes;
        f->view()->OnTakeTest();
        WaveAudioDevice* device = f->view()->m_player.Window()->device();
        QSignalSpy started(device, &WaveAudioDevice::playbackStarted);
        QElapsedTimer clock;
        clock.start();
        QTest::keyClick(f->view()->GetDlgItem(IDC_LISTEN), Qt::Key_Return);
        QVERIFY2(clock.elapsed() < bound / 2, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(f->focusId(), int(IDC_ANSWER));
        if (!message.isEmpty()) {
            QTRY_COMPARE_WITH_TIMEOUT(boxes.texts(), QStringList{message.arg(f->clipPath(word))}, 2 * bound);
            if (!program.isEmpty()) {
                QTest::qWait(bound);
                QCOMPARE(boxes.texts().size(), 1);
            }
            return;
        }
        QTRY_VERIFY2(device->length() > 22050 / 5, qPrintable(QString::number(device->length())));
        QCOMPARE(device->sampleRate(), 22050);
        if (!audiotesting::ExpectNoAudioDevice()) {
            QVERIFY(started.wait(5000) || started.count() > 0);
            QVERIFY(boxes.texts().isEmpty());
        } else {
            QTRY_COMPARE(boxes.texts().size(), 1);
            QVERIFY(boxes.texts().first().startsWith("Unable to play the sound clip"));
        }
        // Nothing is written: the spoken word is heard, not stored.
        QVERIFY(!QFile::exists(f->clipPath(word)));
    }

    void withoutAClipFolderTheTestStillRuns()
    {
        QDir(f->wordsPath()).removeRecursively();
        WriteFileForTest(f->wordsPath(), "a file where the folder should be");
        f->openList({"gnu", "yak"});
        MessageBoxRecorder boxes;
        f->view()->OnTakeTest();
        f->view()->OnListenToWord();
        QCOMPARE(boxes.texts().size(), 1);
        QVERIFY(boxes.texts().first().contains(f->clipPath("gnu")));
        f->view()->OnCheck();
        f->view()->OnNextWord();
        QCOMPARE(f->text(IDC_WORDNUMBER), QString("2"));
    }

    void stopClearsTheTestAndTakeTestStartsAgain()
    {
        f->openList({"cat", "dog"});
        MessageBoxRecorder boxes;
        f->view()->OnTakeTest();
        f->answer()->setText("cat");
        f->view()->OnCheck();
        f->view()->OnNextWord();
        f->answer()->setText("do");
        QVERIFY(f->frame()->RouteCommand(STOPTEST));
        QCOMPARE(f->view()->m_strMessage, kStoppedMessage);
        QCOMPARE(f->text(IDC_WORDNUMBER), QString("0"));
        QCOMPARE(f->text(IDC_CORRECT), QString("0"));
        QCOMPARE(f->text(IDC_SCORE), QString());
        QCOMPARE(f->text(IDC_ANSWER), QString());
        expectMode(CWordwellView::Idle);
        QVERIFY(f->commandEnabled(TAKETEST));
        QVERIFY(!f->commandEnabled(STOPTEST));
        // The stopped test is kept as far as it went: the unchecked "do" is not an answer.
        const practice::review::CTestRecord& last = f->view()->LastTest();
        QCOMPARE(last.GetState(), practice::review::CTestRecord::State::Stopped);
        QCOMPARE(last.Answers().size(), 1);
        QCOMPARE(last.Answers().first().answer, QString("cat"));
        QVERIFY(last.MissedWords().isEmpty());
        f->view()->OnTakeTest();
        QCOMPARE(f->view()->m_strTestWord, QString("cat"));
        QCOMPARE(f->text(IDC_WORDNUMBER), QString("1"));
        QCOMPARE(last.GetState(), practice::review::CTestRecord::State::Running);
    }

    // A practice round asks only the missed words, on the same form with the
    // same messages; its count and score are of those words, and it is marked
    // as practice so the first try stays the learner's result.
    void missedWordsArePractisedOnTheSameForm()
    {
        using practice::review::CTestRecord;
        f->openList({"cat", "house", "tree", "owl"});
        MessageBoxRecorder boxes;
        QSignalSpy over(f->view(), &CWordwellView::TestOver);
        f->view()->OnTakeTest();
        for (const char* typed : {"cat", "hose", "tre", "owl"}) {
            f->answer()->setText(typed);
            f->view()->OnCheck();
            f->view()->OnNextWord();
        }
        QCOMPARE(over.count(), 1);
        QCOMPARE(f->text(IDC_SCORE), QString("50.00 %"));
        const CTestRecord first = f->view()->LastTest();
        QVERIFY(!first.IsPractice());
        QCOMPARE(first.GetState(), CTestRecord::State::Finished);
        QCOMPARE(first.MissedWords(), (QStringList{"house", "tree"}));

        f->view()->PractiseWords(first.MissedWords());
        QCOMPARE(f->view()->m_strMessage, kFirstWordMessage);
        QCOMPARE(f->view()->m_strTestWord, QString("house"));
        QCOMPARE(f->text(IDC_WORDCOUNT), QString("2"));
        QCOMPARE(f->text(IDC_WORDNUMBER), QString("1"));
        QCOMPARE(f->text(IDC_SCORE), QString());
        QVERIFY(f->view()->LastTest().IsPractice());
        QVERIFY(!f->commandEnabled(TAKETEST));
        // A second call while the round runs changes nothing.
        f->view()->PractiseWords({"owl"});
        QCOMPARE(f->view()->m_strTestWord, QString("house"));
        f->answer()->setText("house");
        f->view()->OnCheck();
        QCOMPARE(f->view()->m_strMessage, kRightMessage);
        QCOMPARE(f->text(IDC_SCORE), QString("50.00 %"));
        f->view()->OnNextWord();
        QCOMPARE(f->view()->m_strTestWord, QString("tree"));
        f->answer()->setText("trea");
        f->view()->OnCheck();
        QCOMPARE(f->view()->m_strMessage, QString("Sorry wrong Answer.\r\nThe correct spelling is tree."));
        f->view()->OnNextWord();
        QCOMPARE(f->view()->m_strMessage, kEndOfTestMessage);
        QCOMPARE(over.count(), 2);
        QCOMPARE(f->view()->LastTest().MissedWords(), QStringList{"tree"});
        QCOMPARE(f->view()->LastTest().ListWords(), 2);

        // Take Test goes back to the whole list.
        f->view()->OnTakeTest();
        QVERIFY(!f->view()->LastTest().IsPractice());
        QCOMPARE(f->text(IDC_WORDCOUNT), QString("4"));
        QCOMPARE(f->view()->m_strTestWord, QString("cat"));
        // Opening another list ends a practice round too.
        f->view()->OnStopTest();
        f->view()->PractiseWords({"owl"});
        f->openList({"dog"});
        QCOMPARE(f->text(IDC_WORDCOUNT), QString("1"));
        f->view()->OnTakeTest();
        QCOMPARE(f->view()->m_strTestWord, QString("dog"));
    }

    void newAndOpenEndARunningTest()
    {
        f->openList({"cat", "dog"});
        f->view()->OnTakeTest();
        QVERIFY(f->frame()->RouteCommand(platform::framework::ID_FILE_NEW));
        QVERIFY(!f->view()->m_bTesting);
        QCOMPARE(f->view()->LastTest().GetState(), practice::review::CTestRecord::State::Stopped);
        QCOMPARE(f->view()->m_strMessage, kNoListMessage);
        expectMode(CWordwellView::Idle);

        f->openList({"emu"});
        f->view()->OnTakeTest();
        f->answer()->setText("emu");
        f->view()->OnCheck();
        f->openList({"cat", "dog"});
        QVERIFY(!f->view()->m_bTesting);
        QCOMPARE(f->view()->m_strMessage, kReadyToTestMessage);
        QCOMPARE(f->text(IDC_CORRECT), QString("0"));
        QCOMPARE(f->text(IDC_SCORE), QString());
        QCOMPARE(f->text(IDC_WORDCOUNT), QString("2"));
    }

    void aListChangeOnlyRefreshesTheCount()
    {
        // After a first list is made in the editor the no-list message stays, but Take Test is enabled.
        f->doc()->m_wordList = {"new", "words"};
        f->doc()->UpdateAllViews(nullptr);
        QCOMPARE(f->text(IDC_WORDCOUNT), QString("2"));
        QCOMPARE(f->view()->m_strMessage, kNoListMessage);
        QVERIFY(f->commandEnabled(TAKETEST));
    }

    void enterElsewhereDoesNothing()
    {
        f->openList({"cat"});
        f->view()->OnTakeTest();
        f->view()->GetDlgItem(IDC_MESSAGE)->setFocus();
        QTest::keyClick(f->view()->GetDlgItem(IDC_MESSAGE), Qt::Key_Return);
        QCOMPARE(f->view()->m_strMessage, kFirstWordMessage);
        expectMode(CWordwellView::WordInPlay);
    }

    void theFormIsColouredAndEveryControlNamed()
    {
        const QColor back(128, 184, 223);
        QCOMPARE(f->view()->palette().color(QPalette::Window), back);
        for (int id : {IDC_WORDNUMBER, IDC_WORDCOUNT, IDC_SCORE, IDC_CORRECT, IDC_MESSAGE})
            QCOMPARE(f->view()->GetDlgItem(id)->palette().color(QPalette::Base), back);
        QVERIFY(f->answer()->palette().color(QPalette::Base) != back);
        const QList<QPair<int, QString>> names{
            {IDC_LISTEN, "Listen to Word"}, {IDC_ANSWER, "Virir It"},   {IDC_CHECK, "CHECK"},
            {IDC_NEXTWORD, "Next Word"},    {IDC_WORDNUMBER, "Word #"}, {IDC_WORDCOUNT, "# Words"},
            {IDC_SCORE, "Score"},           {IDC_CORRECT, "# Correct"}, {IDC_MESSAGE, "Message"},
            {IDC_PLAYERFRAME, "Sound clip"}};
        for (const auto& [id, name] : names)
            QCOMPARE(f->view()->GetDlgItem(id)->accessibleName(), name);
        QVERIFY(f->view()->GetDlgItem(IDC_ENTERKEY)->isHidden());
        QVERIFY(f->view()->m_btnListen.Control());
        QVERIFY(f->view()->m_btnNext.Control());
        QCOMPARE(f->view()->m_btnCheck.m_clrFace, QColor(24, 116, 205));
    }

    void helpOnAControlShowsItsTopic()
    {
        QVERIFY(platform::framework::SendHelpRequest(f->answer(), QPoint()));
        auto* popup = qobject_cast<platform::help::CHelpPopup*>(platform::help::CurrentPopup());
        QVERIFY(popup);
        QVERIFY(popup->Html().contains("type the word you heard"));
        popup->close();
        QTRY_VERIFY(!platform::help::CurrentPopup());
        // A label has no id: no pop-up.
        const auto labels = f->view()->findChildren<QLabel*>();
        QVERIFY(!labels.isEmpty());
        QVERIFY(platform::framework::SendHelpRequest(labels.first(), QPoint()));
        QVERIFY(!platform::help::CurrentPopup());
        // The Help command offered to a control of the form opens the Help Topics.
        QVERIFY(platform::framework::SendCommandHelp(f->answer()));
        QVERIFY(platform::help::CurrentHelpTopics());
    }

    void aHelpModeClickShowsWhatIsUnderThePointer_data()
    {
        QTest::addColumn<QString>("place");
        QTest::addColumn<QString>("topic");
        QTest::newRow("Listen, inside the sound clip area") << "listen" << "<b>Listen to Word</b> plays";
        QTest::newRow("the sound clip area beside Listen") << "clip area" << "The <b>sound clip</b> area";
        QTest::newRow("a label: no topic") << "label" << "";
    }

    // A click as the pointer makes it, through the window, in Shift+F1's help mode.
    void aHelpModeClickShowsWhatIsUnderThePointer()
    {
        QFETCH(QString, place);
        QFETCH(QString, topic);
        f->openList({"cat"});
        QVERIFY(f->frame()->RouteCommand(TAKETEST));
        QWidget* target = f->view()->GetDlgItem(IDC_LISTEN);
        QPoint at = target->rect().center();
        if (place == "clip area") {
            target = f->view()->GetDlgItem(IDC_PLAYERFRAME);
            at = QPoint(4, 4);
        } else if (place == "label") {
            const auto labels = f->view()->findChildren<QLabel*>();
            target = *std::find_if(labels.begin(), labels.end(), [](QLabel* l) { return l->text() == "Word #"; });
            at = target->rect().center();
        }
        QWidget* window = f->frame();
        QWhatsThis::enterWhatsThisMode();
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, target->mapTo(window, at));
        QVERIFY(!QWhatsThis::inWhatsThisMode());
        auto* popup = qobject_cast<platform::help::CHelpPopup*>(platform::help::CurrentPopup());
        if (topic.isEmpty()) {
            QVERIFY(!popup);
        } else {
            QVERIFY(popup);
            QVERIFY2(popup->Html().contains(topic), qPrintable(popup->Html()));
        }
    }

    void theWebPageOpensTheHelpAsAPage()
    {
        QList<QUrl> opened;
        platform::framework::SetShellExecuteHandler([&opened](const QString& verb, const QUrl& url) {
            if (verb == "open")
                opened << url;
            return true;
        });
        QVERIFY(f->frame()->RouteCommand(WEBPAGE));
        platform::framework::SetShellExecuteHandler({});
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened.first().isLocalFile());
        const QByteArray page = ReadFileForTest(opened.first().toLocalFile());
        QVERIFY(page.contains("<title>Wordwell Practice Help</title>"));
        QVERIFY(opened.first().toLocalFile().endsWith(".html"));
    }

private:
    void expectMode(int mode)
    {
        auto enabled = [this](int id) { return f->view()->GetDlgItem(id)->isEnabled(); };
        QCOMPARE(enabled(IDC_LISTEN), mode == CWordwellView::WordInPlay);
        QCOMPARE(enabled(IDC_CHECK), mode == CWordwellView::WordInPlay);
        QCOMPARE(enabled(IDC_ANSWER), mode == CWordwellView::WordInPlay);
        QCOMPARE(enabled(IDC_NEXTWORD), mode == CWordwellView::Answered);
    }

    std::unique_ptr<ViewFixture> f;
};

QTEST_MAIN(TestWordwellView)
#include "tst_wordwellview.moc"
