#include "practice/sound/soundclipplayer.h"

#include "audiotesting.h"
#include "platform/files/files.h"
#include "practice/sound/clippath.h"
#include "practice/sound/microphonebox.h"
#include "practice/sound/playbar.h"
#include "practice/sound/recordingchoice.h"
#include "practice/sound/soundclipwindow.h"
#include "practice/settings/wordwellapp.h"
#include "privatesoundserver.h"
#include "testsupport/filetree.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

using namespace practice::sound;
using namespace audiotesting;

class TestSoundClipPlayer : public QObject {
    Q_OBJECT

private slots:
    // A sound server of the suite's own whose microphones are a tone and
    // silence, so that the level meter has something to show and a recording
    // tells which device it came from. The run without devices keeps to none.
    void initTestCase()
    {
        if (ExpectNoAudioDevice())
            return;
        QString why;
        QVERIFY2(m_server.start({"module-null-sink sink_name=speakers",
                                 "module-null-source source_name=muted_mic description=Muted max_latency_msec=20",
                                 "module-sine-source source_name=tone_mic rate=22050 frequency=440 "
                                 "source_properties=device.description=Tone"},
                                &why),
                 qPrintable(why));
    }

    void init()
    {
        m_home = std::make_unique<IsolatedHome>();
        m_boxes = std::make_unique<MessageBoxRecorder>();
        m_form = std::make_unique<QWidget>();
        m_frame = new QFrame(m_form.get());
        m_frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
        m_frame->setMinimumSize(320, 40);
        (new QVBoxLayout(m_form.get()))->addWidget(m_frame);
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        m_wordsPath = m_home->path() + "/Wordwell";
        QVERIFY(QDir().mkpath(m_wordsPath + "/Words/folder.wav"));
        m_app = std::make_unique<CWordwellApp>();
        m_app->m_strWordsPath = m_wordsPath;
    }

    void cleanup()
    {
        m_form.reset();
        m_app.reset();
        m_boxes.reset();
        m_home.reset();
    }

    // Which words climb out of the clip folder; the player neither opens nor
    // writes those (badClipsFailToOpenAndToSave).
    void climbingLevelsAreFound()
    {
        const struct {
            QString wordsPath, word;
            bool climbs;
        } rows[] = {
            {"/data", "cat", false},
            {"/data", "..\\..\\cat", true},
            {"/data", "a/../../b", true},
            {"/data", "..", false},  // "...wav" is a plain name
            {"/data", "a..b", false},
            // The word is used exactly as typed: no trimming, no case folding.
            {"/data", " Cat \\b", false},
            // The words path is the user's setting: only the word is judged.
            {"/tmp/a/../inst", "cat", false},
            {"/tmp/a/../inst", "../cat", true},
            {"", "../cat", true},
        };
        for (const auto& [wordsPath, word, climbs] : rows) {
            m_app->m_strWordsPath = wordsPath;
            QCOMPARE(MakeClipPath(word), wordsPath + "/words/" + word + ".wav");
            QCOMPARE(ClipPathClimbs(MakeClipPath(word)), climbs);
        }
    }

    // The area alone in the view, the play bar in the editor; without devices
    // each use says why.
    void theTwoConfigurations()
    {
        CSoundClipPlayer player;
        player.Create(m_frame, CSoundClipPlayer::kViewStyle);
        QPointer<CSoundClipWindow> first = player.Window();
        QCOMPARE(first->geometry(), m_frame->contentsRect());
        // Empty, it lets the pointer through to the controls its area surrounds.
        QVERIFY(first->findChildren<QWidget*>().isEmpty() && first->testAttribute(Qt::WA_TransparentForMouseEvents));

        // Created again, in the other configuration: the first window goes.
        player.Create(m_frame, CSoundClipPlayer::kEditorStyle);
        QTRY_VERIFY(first.isNull());
        player.NewRecording();
        CPlayBar* bar = player.Window()->playBar();
        QVERIFY(bar && bar->isVisible() && !bar->stopButton()->isEnabled());
        // The window follows its control's size.
        m_frame->resize(300, 60);
        QCOMPARE(player.Window()->geometry(), m_frame->contentsRect());

        QVERIFY(WriteTone(m_wordsPath + "/Words/cat.wav", 0.5));
        QCOMPARE(player.Open(MakeClipPath("cat")), int(CLIP_OPEN));
        QCOMPARE(std::tuple(bar->nameLabel()->text(), bar->positionSlider()->maximum()),
                 std::tuple(QString("cat.wav"), int(Tone(0.5).frameCount())));
        // The keys move the position a tenth of a second at a time.
        bar->positionSlider()->setFocus();
        QTest::keyClick(bar->positionSlider(), Qt::Key_Right);
        QTest::keyClick(bar->positionSlider(), Qt::Key_Right);
        QCOMPARE(player.Window()->device()->position(), 2 * 22050 / 10);
        QVERIFY(player.Save(MakeClipPath("dog")));
        QCOMPARE(QDir(m_wordsPath + "/Words").entryList(QDir::Files), (QStringList{"cat.wav", "dog.wav"}));

        if (ExpectNoAudioDevice()) {
            // The clip is fine, the device is missing, and the choice of
            // microphone says there is none to choose. The clip stays intact.
            QSignalSpy errors(&player, &CSoundClipPlayer::deviceError);
            player.Play();
            QTRY_COMPARE(m_boxes->texts(), QStringList{"Unable to play the sound clip: there is no sound output device."});
            m_boxes->clear();
            QTRY_VERIFY(bar->microphoneBox()->filled());
            QCOMPARE(std::tuple(bar->microphoneBox()->count(), bar->microphoneBox()->currentText()),
                     std::tuple(1, QString("No recording device")));
            press(bar->recordButton());
            QTRY_COMPARE(m_boxes->texts(), QStringList{"Unable to record: there is no recording device."});
            QCOMPARE(std::tuple(errors.count(), m_boxes->requests().first().type),
                     std::tuple(2, platform::framework::MB_OK | platform::framework::MB_ICONEXCLAMATION));
            QVERIFY(player.Save(MakeClipPath("eel")));
            return;
        }
        // A recording made as the list editor makes it is saved, reopened and
        // played to its end by the keys (recording by the bar's keys: the microphone's test).
        WW_REQUIRE_AUDIO();
        player.NewRecording();
        player.Record();
        QTest::qWait(600);
        QVERIFY(bar->stopButton()->isEnabled());
        player.Stop();
        const qint64 recorded = player.Window()->device()->length();
        QVERIFY2(recorded > 22050 * 4 / 10, qPrintable(QString::number(recorded)));
        // The clip folder is "Words"; the program names it "words".
        QVERIFY(player.Save(MakeClipPath("bee")));
        QCOMPARE(ClipFrames(m_wordsPath + "/Words/bee.wav"), recorded);
        QSignalSpy ended(&player, &CSoundClipPlayer::playbackEnded);
        QCOMPARE(player.Open(MakeClipPath("BEE")), int(CLIP_OPEN));
        press(bar->playButton());
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 15000);
        QTRY_COMPARE(bar->positionSlider()->value(), bar->positionSlider()->maximum());
        QCOMPARE(m_boxes->texts(), QStringList());
    }

    // A clip that cannot be opened: nothing to play, and no message of the
    // player's own (the caller reports it). One that cannot be saved: a message
    // and nothing new anywhere under the test's home; the clip open stays
    // current and can be saved where it may go.
    void badClipsFailToOpenAndToSave_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing subfolder") << "a\\b" << QByteArray() << int(CLIP_NOT_FOUND) << "No such file or directory";
        QTest::newRow("folder") << "folder" << QByteArray() << int(CLIP_NOT_A_FILE) << "a folder has that name";
        // A clip that is there, but not where the word may reach.
        QTest::newRow("climbs out") << "..\\..\\cat" << WaveFileBytes({}, Samples({1, 2})) << int(CLIP_OUTSIDE_FOLDER)
                                    << "the name would put the clip outside its folder";
        QTest::newRow("nothing recorded") << "dog" << QByteArray() << int(CLIP_NOT_FOUND) << "nothing has been recorded";
    }

    void badClipsFailToOpenAndToSave()
    {
        QFETCH(QString, word);
        QFETCH(QByteArray, content);
        QFETCH(int, result);
        QFETCH(QString, reason);
        const QString path = MakeClipPath(m_wordsPath, word);
        if (!content.isEmpty())
            WriteFileForTest(QDir::cleanPath(platform::files::NativePath(path)), content);
        CSoundClipPlayer player;
        player.Create(m_frame, CSoundClipPlayer::kEditorStyle);
        QSignalSpy ended(&player, &CSoundClipPlayer::playbackEnded);
        QCOMPARE(player.Open(path), result);
        player.Play();
        QTest::qWait(50);
        QCOMPARE(std::tuple(ended.count(), m_boxes->texts()), std::tuple(0, QStringList()));

        const QString source = MakeClipPath(m_wordsPath, "source");
        QVERIFY(WriteTone(source, 0.2));
        QCOMPARE(player.Open(source), int(CLIP_OPEN));
        const bool nothingRecorded = word == "dog";
        if (nothingRecorded)
            player.NewRecording();
        const QStringList before = TreeSnapshot(m_home->path());
        QVERIFY(!player.Save(path));
        QCOMPARE(m_boxes->texts(), QStringList{"Unable to save \"" + path + "\": " + reason + "."});
        QCOMPARE(TreeSnapshot(m_home->path()), before);
        QCOMPARE(player.Save(MakeClipPath(m_wordsPath, "cat")), !nothingRecorded);
    }

    // Close stops the sound and takes the window; the player outlives it. It
    // needs no application, which has the words path and the chosen microphone.
    void closeStopsTheSoundAndThePlayerOutlivesItsWindow()
    {
        m_app.reset();
        QCOMPARE(MakeClipPath("cat"), QString("/words/cat.wav"));
        const QString path = m_home->path() + "/tone.wav";
        QVERIFY(WriteTone(path, 1.0));
        CSoundClipPlayer player;
        player.Create(m_frame, CSoundClipPlayer::kViewStyle);
        QPointer<CSoundClipWindow> window = player.Window();
        QSignalSpy ended(&player, &CSoundClipPlayer::playbackEnded);
        QCOMPARE(player.Open(path), int(CLIP_OPEN));
        player.Play();
        player.Close();
        QVERIFY(!player.Window());
        QTRY_VERIFY(window.isNull());
        QTest::qWait(300);
        QCOMPARE(ended.count(), 0);

        // Its control gone too, nothing it is asked does anything (without a
        // device, Play has already said why it could not play).
        m_boxes->clear();
        player.Create(m_frame, CSoundClipPlayer::kEditorStyle);
        delete m_frame;
        m_frame = nullptr;
        QVERIFY(!player.Window());
        player.NewRecording();
        player.Record();
        player.Play();
        player.Stop();
        QCOMPARE(std::tuple(player.Open(path), player.Save(path)), std::tuple(int(CLIP_NO_PLAYER), false));
        player.Close();
        QCOMPARE(m_boxes->texts(), QStringList());
    }

    // A microphone chosen once and unplugged since: the default is shown and
    // recorded from, without a word; plugged in again, it is chosen again. The
    // user then picks the tone by the keys (reached by Tab, read by its label
    // and recorded from: realinput/recording_test.py) and goes back to the
    // default, which follows the system's.
    void microphoneChosenByKeysIsRecordedFromAndRemembered()
    {
        WW_REQUIRE_AUDIO();
        m_app->EstablishSettings();
        QVERIFY(m_server.pactl({"set-default-source", "muted_mic"}));
        QVERIFY(SetChosenRecordingDevice("usb_mic"));
        m_form->hide();
        CSoundClipPlayer player;
        player.Create(m_frame, CSoundClipPlayer::kEditorStyle);
        player.NewRecording();
        CPlayBar* bar = player.Window()->playBar();
        CMicrophoneBox* box = bar->microphoneBox();
        QProgressBar* meter = bar->levelMeter();
        // Nothing asks the sound system until the bar is seen.
        QTest::qWait(50);
        QVERIFY(!box->filled());
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        QTRY_VERIFY(box->filled());
        QCOMPARE(itemsOf(box), (QStringList{"Default (Muted)", "Tone"}));

        // The meter shows the input only while recording; silence shows nothing.
        QVERIFY(!meter->isVisible());
        press(bar->recordButton());
        QVERIFY(m_server.streamOn("muted_mic", false));
        QVERIFY(!box->isEnabled() && meter->isVisible());
        QTest::qWait(300);
        QCOMPARE(std::tuple(player.Window()->device()->length() > 0, meter->value()), std::tuple(true, 0));
        press(bar->stopButton());
        QVERIFY(box->isEnabled() && !meter->isVisible());
        QCOMPARE(ChosenRecordingDevice(), QByteArray("usb_mic"));

        const QString module = m_server.pactl({"load-module", "module-sine-source", "source_name=usb_mic", "rate=22050",
                                               "source_properties=device.description=USB"})
                                   .value_or(QString())
                                   .trimmed();
        QVERIFY(!module.isEmpty());
        // Opening the list asks again.
        QTRY_VERIFY_WITH_TIMEOUT(reopened(box)->currentText() == "USB", 5000);
        QVERIFY(m_server.pactl({"unload-module", module}));

        box->setFocus();
        QTest::keyClick(box, Qt::Key_Up);
        QCOMPARE(std::tuple(box->currentText(), ChosenRecordingDevice()),
                 std::tuple(QString("Tone"), QByteArray("tone_mic")));
        press(bar->recordButton());
        QTRY_VERIFY2_WITH_TIMEOUT(meter->value() > 5, qPrintable(QString::number(meter->value())), 5000);
        press(bar->stopButton());
        QCOMPARE(meter->value(), 0);
        QVERIFY(m_boxes->texts().isEmpty());

        box->setFocus();
        QTest::keyClick(box, Qt::Key_Up);
        QCOMPARE(ChosenRecordingDevice(), QByteArray());
        QVERIFY(m_server.pactl({"set-default-source", "tone_mic"}));
        QTRY_COMPARE_WITH_TIMEOUT(itemsOf(reopened(box)), (QStringList{"Default (Tone)", "Muted"}), 5000);
        QCOMPARE(box->currentIndex(), 0);
    }

private:
    static void press(QToolButton* button)
    {
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
    }

    static QStringList itemsOf(const QComboBox* box)
    {
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i);
        return items;
    }

    static QComboBox* reopened(QComboBox* box)
    {
        box->showPopup();
        box->hidePopup();
        return box;
    }

    PrivateSoundServer m_server;
    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<MessageBoxRecorder> m_boxes;
    std::unique_ptr<CWordwellApp> m_app;
    std::unique_ptr<QWidget> m_form;
    QFrame* m_frame = nullptr;
    QString m_wordsPath;
};

QTEST_MAIN(TestSoundClipPlayer)
#include "tst_soundclipplayer.moc"
