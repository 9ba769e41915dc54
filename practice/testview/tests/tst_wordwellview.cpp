#include "audiotesting.h"
#include "platform/audio/waveaudiodevice.h"
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
#include <QFile>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QWhatsThis>

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
    void theWholeRoadOfATestByKeys()
    {
        QCOMPARE(f->text(IDC_MESSAGE), QString("No Spelling List ...\nPlease Open or Create a List"));
        expectMode(CWordwellView::Idle);
        expectCommands({ID_TOOLS_EDITLIST, ID_HELP_WEBPAGE}, {ID_TOOLS_TAKETEST, ID_TOOLS_LISTINFO, ID_TOOLS_STOPTEST});
        // A list made in the editor enables Take Test.
        f->doc()->m_wordList = {"cat", "house", "tree"};
        f->doc()->UpdateAllViews(nullptr);
        QCOMPARE(f->text(IDC_WORDCOUNT), QString("3"));
        expectCommands({ID_TOOLS_TAKETEST, ID_TOOLS_LISTINFO, ID_TOOLS_EDITLIST}, {ID_TOOLS_STOPTEST});
        for (const char* w : {"cat", "house", "tree"})
            f->giveClip(w);
        MessageBoxRecorder boxes;

        QVERIFY(f->frame()->RouteCommand(ID_TOOLS_TAKETEST));
        expectCommands({ID_TOOLS_STOPTEST}, {ID_TOOLS_TAKETEST, ID_TOOLS_LISTINFO, ID_TOOLS_EDITLIST});
        QCOMPARE(f->focusId(), int(IDC_LISTEN));
        // Enter on a control that takes no command does nothing.
        f->view()->GetDlgItem(IDC_MESSAGE)->setFocus();
        QTest::keyClick(f->view()->GetDlgItem(IDC_MESSAGE), Qt::Key_Return);
        QCOMPARE(f->view()->m_strMessage, kFirstWordMessage);
        f->view()->GetDlgItem(IDC_LISTEN)->setFocus();

        const QStringList answers{"cat", "hous", "tree"};
        const QStringList scores{"33.33 %", "33.33 %", "66.67 %"};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(std::tuple(f->text(IDC_WORDNUMBER), f->text(IDC_ANSWER), f->focusId()),
                     std::tuple(QString::number(i + 1), QString(), int(IDC_LISTEN)));
            expectMode(CWordwellView::WordInPlay);
            // Enter on Listen plays the word and moves on to the answer box.
            QSignalSpy started(f->view()->m_player.Window()->device(), &WaveAudioDevice::playbackStarted);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(f->focusId(), int(IDC_ANSWER));
            if (!audiotesting::ExpectNoAudioDevice())
                QVERIFY(started.wait(5000) || started.count() > 0);
            QTest::keyClicks(f->answer(), answers[i]);
            QTest::keyClick(f->answer(), Qt::Key_Return);
            QCOMPARE(std::tuple(f->focusId(), f->text(IDC_SCORE)), std::tuple(int(IDC_NEXTWORD), scores[i]));
            expectMode(CWordwellView::Answered);
            QCOMPARE(f->text(IDC_MESSAGE), i == 1 ? QString("Sorry wrong Answer.\nThe correct spelling is house.")
                                                  : QString("You got it right!"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        QCOMPARE(std::tuple(f->view()->m_strMessage, f->text(IDC_CORRECT)), std::tuple(kEndOfTestMessage, QString("2")));
        if (!audiotesting::ExpectNoAudioDevice())
            QVERIFY(boxes.texts().isEmpty());

        // Stop and Open (as New) end a running test too: the count is
        // cleared, and the test goes to whoever keeps it.
        QSignalSpy over(f->view(), &CWordwellView::TestOver);
        for (const QString& message : {kStoppedMessage, kReadyToTestMessage}) {
            expectMode(CWordwellView::Idle);
            expectCommands({ID_TOOLS_TAKETEST}, {ID_TOOLS_STOPTEST});
            f->view()->OnTakeTest();
            f->answer()->setText("cat");
            f->view()->OnCheck();
            if (message == kStoppedMessage)
                QVERIFY(f->frame()->RouteCommand(ID_TOOLS_STOPTEST));
            else
                f->openList({"emu"});
            QCOMPARE(std::tuple(f->view()->m_strMessage, f->text(IDC_CORRECT)), std::tuple(message, QString("0")));
        }
        expectMode(CWordwellView::Idle);
        expectCommands({ID_TOOLS_TAKETEST}, {ID_TOOLS_STOPTEST});
        QCOMPARE(over.count(), 2);
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
        QTRY_COMPARE(said().mid(1), QStringList{"You got it right!"});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(said().mid(2), QStringList{"End of Test.  Check out your final score. Click T to redo test. "
                                                "Select new to create new list. Score 100.00 %."});
    }

    // Listen on a word without a good clip: a box naming where it looked, or
    // with "Speak Unrecorded Words" on, the word spoken. Either way the typed
    // answer stays and the test goes on.
    void listenWithoutAClipSaysWhyOrSpeaks_data()
    {
        QTest::addColumn<bool>("speak");
        QTest::addColumn<QByteArray>("clip");     // the clip's bytes; empty: none
        QTest::addColumn<QString>("message");     // how the box begins; empty: the word is heard
        QTest::addColumn<QByteArray>("program");  // the speech program; empty: the real one
        const QString noSound = "No Sound file:  %1 found.";
        QTest::newRow("no clip") << false << QByteArray() << noSound << QByteArray();
        QTest::newRow("spoken") << true << QByteArray() << QString() << QByteArray();
        // A damaged clip is the teacher's to mend, not the voice's to cover.
        QTest::newRow("damaged clip, not spoken") << true << QByteArray("RIFF junk") << noSound << QByteArray();
        QTest::newRow("no speech program")
            << true << QByteArray()
            << "Unable to speak \"owl\": the speech program \"/nonexistent/espeak-ng\" could not be started ("
            << QByteArray("/nonexistent/espeak-ng");
    }
    void listenWithoutAClipSaysWhyOrSpeaks()
    {
        QFETCH(bool, speak);
        QFETCH(QByteArray, clip);
        QFETCH(QString, message);
        QFETCH(QByteArray, program);
        const auto restore = qScopeGuard([] { qunsetenv("WORDWELL_SPEECH_PROGRAM"); });
        if (!program.isEmpty())
            qputenv("WORDWELL_SPEECH_PROGRAM", program);
        // Speaking unrecorded words is off until the user turns it on.
        QVERIFY(!practice::voice::SpeakUnrecordedWords() && practice::voice::SetSpeakUnrecordedWords(speak));
        if (!clip.isEmpty())
            WriteFileForTest(f->clipPath("owl"), clip);
        f->openList({"owl", "yak"});
        MessageBoxRecorder boxes;
        f->view()->OnTakeTest();
        WaveAudioDevice* device = f->view()->m_player.Window()->device();
        QSignalSpy started(device, &WaveAudioDevice::playbackStarted);
        f->answer()->setText("ow");
        QTest::keyClick(f->view()->GetDlgItem(IDC_LISTEN), Qt::Key_Return);
        QCOMPARE(f->focusId(), int(IDC_ANSWER));
        // Without a sound device the spoken word is reported as not played.
        const bool heard = message.isEmpty() && !audiotesting::ExpectNoAudioDevice();
        if (message.isEmpty()) {
            QTRY_VERIFY2(device->length() > 22050 / 5, qPrintable(QString::number(device->length())));
            if (heard)
                QVERIFY(started.wait(5000) || started.count() > 0);
            // Nothing is written: the spoken word is heard, not stored.
            QVERIFY(!QFile::exists(f->clipPath("owl")));
        }
        QTRY_COMPARE(boxes.texts().size(), heard ? 0 : 1);
        if (!message.isEmpty())
            QVERIFY2(boxes.texts().first().startsWith(QString(message).replace("%1", f->clipPath("owl"))),
                     qPrintable(boxes.texts().first()));
        // The answer typed before stays; a failure is reported once.
        QTest::keyClicks(f->answer(), "l");
        QTest::keyClick(f->answer(), Qt::Key_Return);
        QCOMPARE(std::tuple(f->text(IDC_CORRECT), boxes.texts().size()), std::tuple(QString("1"), heard ? 0 : 1));
    }

    // A click through the window in Shift+F1's help mode on the sound clip
    // area beside Listen shows the area's topic (the clip's window lets the
    // pointer through). The Help command offered to a control opens the Help
    // Topics. The web page opens the help as a page; where the desktop has no
    // program to show it, a box names the page for the user to open by hand.
    void theHelpCommands()
    {
        f->openList({"cat"});
        QVERIFY(f->frame()->RouteCommand(ID_TOOLS_TAKETEST));
        const QWidget* area = f->view()->GetDlgItem(IDC_PLAYERFRAME);
        QWhatsThis::enterWhatsThisMode();
        QTest::mouseClick(f->frame()->windowHandle(), Qt::LeftButton, Qt::NoModifier, area->mapTo(f->frame(), QPoint(4, 4)));
        auto* popup = qobject_cast<platform::help::CHelpPopup*>(platform::help::CurrentPopup());
        QVERIFY(popup && popup->Html().contains("The <b>sound clip</b> area"));
        QVERIFY(platform::framework::SendCommandHelp(f->answer()));
        QVERIFY(platform::help::CurrentHelpTopics());

        MessageBoxRecorder boxes;
        QList<QUrl> opened;
        platform::framework::SetShellExecuteHandler([&opened](const QString&, const QUrl& url) {
            opened << url;
            return false;
        });
        const auto restore = qScopeGuard([] { platform::framework::SetShellExecuteHandler({}); });
        QVERIFY(f->frame()->RouteCommand(ID_HELP_WEBPAGE));
        QCOMPARE(opened.size(), 1);
        const QString path = opened.first().toLocalFile();
        QVERIFY(ReadFileForTest(path).contains("<title>Wordwell Practice Help</title>"));
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
        const bool inPlay = mode == CWordwellView::WordInPlay;
        QCOMPARE((QList<bool>{enabled(IDC_LISTEN), enabled(IDC_CHECK), enabled(IDC_ANSWER), enabled(IDC_NEXTWORD)}),
                 (QList<bool>{inPlay, inPlay, inPlay, mode == CWordwellView::Answered}));
    }

    std::unique_ptr<ViewFixture> f;
};

QTEST_MAIN(TestWordwellView)
#include "tst_wordwellview.moc"
