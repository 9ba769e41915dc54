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

using namespace practice;
using namespace practice::testview;
using platform::audio::WaveAudioDevice;

class TestWordwellView : public QObject {
    Q_OBJECT

private slots:
    void init() { f = std::make_unique<ViewFixture>(); }
    void cleanup() { f.reset(); }

    // What the form enables follows the list and the test; the message box
    // shows the engine's line breaks as lines.
    void theCommandsFollowTheListAndTheTest()
    {
        QCOMPARE(f->text(IDC_MESSAGE), QString("No Spelling List ...\nPlease Open or Create a List"));
        for (int id : {IDC_WORDCOUNT, IDC_WORDNUMBER, IDC_CORRECT})
            QCOMPARE(f->text(id), QString("0"));
        QCOMPARE(f->text(IDC_SCORE), QString());
        expectMode(CWordwellView::Idle);
        expectCommands({ID_TOOLS_EDITLIST, ID_HELP_WEBPAGE}, {ID_TOOLS_TAKETEST, ID_TOOLS_LISTINFO, ID_TOOLS_STOPTEST});
        // A list made in the editor enables Take Test.
        f->doc()->m_wordList = {"new", "words"};
        f->doc()->UpdateAllViews(nullptr);
        QCOMPARE(f->text(IDC_WORDCOUNT), QString("2"));
        expectCommands({ID_TOOLS_TAKETEST, ID_TOOLS_LISTINFO, ID_TOOLS_EDITLIST}, {ID_TOOLS_STOPTEST});
        QVERIFY(f->frame()->RouteCommand(ID_TOOLS_TAKETEST));
        expectCommands({ID_TOOLS_STOPTEST}, {ID_TOOLS_TAKETEST, ID_TOOLS_LISTINFO, ID_TOOLS_EDITLIST});
    }

    void theWholeRoadOfATestByKeys()
    {
        f->openList({"cat", "house", "tree"});
        for (const char* w : {"cat", "house", "tree"})
            f->giveClip(w);
        MessageBoxRecorder boxes;

        QVERIFY(f->frame()->RouteCommand(ID_TOOLS_TAKETEST));
        QCOMPARE(f->text(IDC_WORDNUMBER), QString("1"));
        QCOMPARE(f->focusId(), int(IDC_LISTEN));
        expectMode(CWordwellView::WordInPlay);

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
            QCOMPARE(f->text(IDC_MESSAGE), i == 1 ? QString("Sorry wrong Answer.\nThe correct spelling is house.")
                                                  : QString("You got it right!"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            if (i < 2) {
                QCOMPARE(f->text(IDC_WORDNUMBER), QString::number(i + 2));
                QCOMPARE(f->text(IDC_ANSWER), QString());
                QCOMPARE(f->focusId(), int(IDC_LISTEN));
                expectMode(CWordwellView::WordInPlay);
            }
        }
        QCOMPARE(f->view()->m_strMessage, kEndOfTestMessage);
        expectMode(CWordwellView::Idle);
        QCOMPARE(f->text(IDC_CORRECT), QString("2"));
        QCOMPARE(f->text(IDC_SCORE), QString("66.67 %"));
        expectCommands({ID_TOOLS_TAKETEST}, {ID_TOOLS_STOPTEST});
        if (!audiotesting::ExpectNoAudioDevice())
            QVERIFY(boxes.texts().isEmpty());
    }

    // A screen reader hears each step once, and never over the word's clip:
    // the mark of an answer checked while the clip plays waits for its end.
    void aScreenReaderHearsEachStepAfterTheClip()
    {
        if (audiotesting::ExpectNoAudioDevice())
            QSKIP("the clip's end needs a sound device");
        f->openList({"friend"});
        f->giveClip("friend");
        QVERIFY(f->frame()->RouteCommand(ID_TOOLS_TAKETEST));
        QSignalSpy ended(f->view()->m_player.Window()->device(), &WaveAudioDevice::playbackEnded);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClicks(f->answer(), "friend");
        QTest::keyClick(f->answer(), Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(said(), QStringList{"Word 1 of 1. Ready. Click LISTEN to hear word-- Then type your answer in spell it."});
        QVERIFY(ended.wait(10000));
        QTRY_COMPARE(said().size(), 2);
        QCOMPARE(said().last(), QString("You got it right!"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(said().size(), 3);
        QCOMPARE(said().last(), QString("End of Test.  Check out your final score. Click T to redo test. "
                                        "Select new to create new list. Score 100.00 %."));
    }

    // Listen on a word without a good clip: a box naming where it looked, or
    // with "Speak Unrecorded Words" on, the word spoken. Either way the typed
    // answer stays and the test goes on.
    void listenWithoutAClipSaysWhyOrSpeaks_data()
    {
        QTest::addColumn<bool>("speak");
        QTest::addColumn<QString>("clip");     // none, damaged, or no folder: a file where the words folder goes
        QTest::addColumn<QString>("message");  // empty: the word is heard
        QTest::addColumn<QByteArray>("program");  // a speech program of the test's; empty: the real one
        const QString noSound = "No Sound file:  %1 found.";
        QTest::newRow("no clip") << false << "none" << noSound << QByteArray();
        QTest::newRow("no words folder") << false << "no folder" << noSound << QByteArray();
        QTest::newRow("spoken") << true << "none" << QString() << QByteArray();
        // A damaged clip is the teacher's to mend, not the voice's to cover.
        QTest::newRow("damaged clip, not spoken") << true << "damaged" << noSound << QByteArray();
        // The form stays alive meanwhile; the word is reported once, after the program's time.
        QTest::newRow("hung speech program") << true << "none"
                                             << "Unable to speak \"owl\": the speech program did not finish."
                                             << QByteArray("#!/bin/sh\nexec sleep 60\n");
    }
    void listenWithoutAClipSaysWhyOrSpeaks()
    {
        QFETCH(bool, speak);
        QFETCH(QString, clip);
        QFETCH(QString, message);
        QFETCH(QByteArray, program);
        const auto restore = qScopeGuard([] {
            qunsetenv("WORDWELL_SPEECH_PROGRAM");
            qunsetenv("WORDWELL_SPEECH_TIMEOUT_MS");
        });
        const int bound = 2000;
        if (!program.isEmpty()) {
            const QString path = f->m_home.path() + "/speech-program";
            WriteFileForTest(path, program);
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner));
            qputenv("WORDWELL_SPEECH_PROGRAM", QFile::encodeName(path));
            qputenv("WORDWELL_SPEECH_TIMEOUT_MS", QByteArray::number(bound));
        }
        // Speaking unrecorded words is off until the user turns it on.
        QVERIFY(!practice::voice::SpeakUnrecordedWords());
        QVERIFY(practice::voice::SetSpeakUnrecordedWords(speak));
        if (clip == "damaged")
            WriteFileForTest(f->clipPath("owl"), "RIFF junk");
        if (clip == "no folder") {
            QDir(f->wordsPath()).removeRecursively();
            WriteFileForTest(f->wordsPath(), "a file where the folder should be");
        }
        f->openList({"owl", "yak"});
        MessageBoxRecorder boxes;
        f->view()->OnTakeTest();
        WaveAudioDevice* device = f->view()->m_player.Window()->device();
        QSignalSpy started(device, &WaveAudioDevice::playbackStarted);
        f->answer()->setText("ow");
        QElapsedTimer clock;
        clock.start();
        QTest::keyClick(f->view()->GetDlgItem(IDC_LISTEN), Qt::Key_Return);
        QVERIFY2(clock.elapsed() < bound / 2, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(f->focusId(), int(IDC_ANSWER));
        QCOMPARE(f->view()->m_strAnswer, QString("ow"));
        expectMode(CWordwellView::WordInPlay);
        if (!message.isEmpty()) {
            QTRY_COMPARE_WITH_TIMEOUT(boxes.texts(), QStringList{message.arg(f->clipPath("owl"))}, 2 * bound);
            if (!program.isEmpty())
                QTest::qWait(bound);
            QCOMPARE(boxes.texts().size(), 1);
        } else {
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
            QVERIFY(!QFile::exists(f->clipPath("owl")));
        }
        QTest::keyClicks(f->answer(), "l");
        QTest::keyClick(f->answer(), Qt::Key_Return);
        QCOMPARE(f->text(IDC_CORRECT), QString("1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(f->text(IDC_WORDNUMBER), QString("2"));
    }

    // Stop, New and Open end a running test: the form goes idle with the
    // count cleared, and the test goes to whoever keeps it.
    void aTestEndsEarlyByStopNewOrOpen_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("canTake");
        QTest::newRow("Stop") << "stop" << kStoppedMessage << true;
        QTest::newRow("New") << "new" << kNoListMessage << false;
        QTest::newRow("Open") << "open" << kReadyToTestMessage << true;
    }
    void aTestEndsEarlyByStopNewOrOpen()
    {
        QFETCH(QString, how);
        QFETCH(QString, message);
        QFETCH(bool, canTake);
        f->openList({"cat", "dog"});
        MessageBoxRecorder boxes;
        f->view()->OnTakeTest();
        f->answer()->setText("cat");
        f->view()->OnCheck();
        QSignalSpy over(f->view(), &CWordwellView::TestOver);
        if (how == "stop")
            QVERIFY(f->frame()->RouteCommand(ID_TOOLS_STOPTEST));
        else if (how == "new")
            QVERIFY(f->frame()->RouteCommand(platform::framework::ID_FILE_NEW));
        else
            f->openList({"emu"});
        QCOMPARE(over.count(), 1);
        QVERIFY(!f->view()->m_bTesting);
        QCOMPARE(f->view()->m_strMessage, message);
        QCOMPARE(f->text(IDC_CORRECT), QString("0"));
        QCOMPARE(f->text(IDC_SCORE), QString());
        expectMode(CWordwellView::Idle);
        QCOMPARE(f->commandEnabled(ID_TOOLS_TAKETEST), canTake);
        QVERIFY(!f->commandEnabled(ID_TOOLS_STOPTEST));
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

    // The Help command offered to a control of the form opens the Help Topics.
    void theHelpCommandOnTheFormOpensTheTopics()
    {
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
        QVERIFY(f->frame()->RouteCommand(ID_TOOLS_TAKETEST));
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

    void theWebPageOpensTheHelpAsAPage_data()
    {
        QTest::addColumn<bool>("launched");  // whether the desktop had a program to open it
        QTest::newRow("opened") << true;
        QTest::newRow("no launcher") << false;
    }
    void theWebPageOpensTheHelpAsAPage()
    {
        QFETCH(bool, launched);
        MessageBoxRecorder boxes;
        QList<QUrl> opened;
        platform::framework::SetShellExecuteHandler([&opened, launched](const QString& verb, const QUrl& url) {
            if (verb == "open")
                opened << url;
            return launched;
        });
        QVERIFY(f->frame()->RouteCommand(ID_HELP_WEBPAGE));
        platform::framework::SetShellExecuteHandler({});
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened.first().isLocalFile());
        const QString path = opened.first().toLocalFile();
        const QByteArray page = ReadFileForTest(path);
        QVERIFY(page.contains("<title>Wordwell Practice Help</title>"));
        QVERIFY(path.endsWith(".html"));
        if (launched)
            QCOMPARE(boxes.texts(), QStringList());
        else
            QCOMPARE(boxes.texts(),
                     QStringList{"Unable to open \"" + path + "\": no program to show web pages could be started."});
    }

private:
    // The lines announced in the main window so far, oldest first.
    QStringList said() const
    {
        QStringList lines;
        for (const QWidget* line : f->frame()->findChildren<QWidget*>(QStringLiteral("announcement")))
            lines << line->accessibleName();
        return lines;
    }

    void expectCommands(std::initializer_list<unsigned> on, std::initializer_list<unsigned> off)
    {
        for (unsigned id : on)
            QVERIFY2(f->commandEnabled(id), qPrintable(QString::number(id)));
        for (unsigned id : off)
            QVERIFY2(!f->commandEnabled(id), qPrintable(QString::number(id)));
    }

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
