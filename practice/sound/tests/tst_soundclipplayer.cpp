#include "practice/sound/soundclipplayer.h"

#include "audiotesting.h"
#include "platform/files/files.h"
#include "practice/sound/clippath.h"
#include "practice/sound/microphonebox.h"
#include "practice/sound/playbar.h"
#include "practice/sound/soundclipwindow.h"
#include "practice/settings/wordwellapp.h"
#include "testsupport/filetree.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

using namespace practice::sound;
using namespace audiotesting;

constexpr int kPlayTimeoutMs = 15000;

class TestSoundClipPlayer : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_home = std::make_unique<IsolatedHome>();
        m_boxes = std::make_unique<MessageBoxRecorder>();
        m_form = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(m_form.get());
        m_frame = new QFrame(m_form.get());
        m_frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
        m_frame->setMinimumSize(240, 40);
        layout->addWidget(m_frame);
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        m_wordsPath = m_home->path() + "/Wordwell";
        QVERIFY(QDir().mkpath(m_wordsPath + "/Words"));
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
    // writes those (clipsThatCannotBePlayedFailToOpen, failedSavesAreReportedAndWriteNothing).
    void climbingLevelsAreFound_data()
    {
        QTest::addColumn<QString>("wordsPath");
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("climbs");
        QTest::newRow("plain") << "/data" << "cat" << false;
        QTest::newRow("up with backslashes") << "/data" << "..\\..\\cat" << true;
        QTest::newRow("down and up") << "/data" << "a/../../b" << true;
        QTest::newRow("the word itself") << "/data" << ".." << false;  // "...wav" is a plain name
        QTest::newRow("dots inside a name") << "/data" << "a..b" << false;
        // The word is used exactly as typed: no trimming, no case folding.
        QTest::newRow("blanks and a backslash") << "/data" << " Cat \\b" << false;
        // The words path is the user's setting: only the word is judged.
        QTest::newRow("words path up a level") << "/tmp/a/../inst" << "cat" << false;
        QTest::newRow("both climb") << "/tmp/a/../inst" << "../cat" << true;
        QTest::newRow("empty words path") << "" << "../cat" << true;
    }
    void climbingLevelsAreFound()
    {
        QFETCH(QString, wordsPath);
        QFETCH(QString, word);
        QFETCH(bool, climbs);
        m_app->m_strWordsPath = wordsPath;
        QCOMPARE(MakeClipPath(word), wordsPath + "/words/" + word + ".wav");
        QCOMPARE(ClipPathClimbs(MakeClipPath(word)), climbs);
    }

    // The area alone in the view, the play bar in the editor.
    void theTwoConfigurations()
    {
        CSoundClipPlayer player;
        player.Create(m_frame, CSoundClipPlayer::kViewStyle);
        QPointer<CSoundClipWindow> first = player.Window();
        QCOMPARE(first->geometry(), m_frame->contentsRect());
        QVERIFY(first->findChildren<QWidget*>().isEmpty());
        // It lets the pointer through to the controls its area surrounds.
        QVERIFY(first->testAttribute(Qt::WA_TransparentForMouseEvents));

        // Created again, in the other configuration: the first window goes.
        player.Create(m_frame, CSoundClipPlayer::kEditorStyle);
        QTRY_VERIFY(first.isNull());
        player.NewRecording();
        CPlayBar* bar = player.Window()->playBar();
        QVERIFY(bar && bar->isVisible());
        QVERIFY(!bar->stopButton()->isEnabled());
        // The window follows its control's size.
        m_frame->resize(300, 60);
        QCOMPARE(player.Window()->geometry(), m_frame->contentsRect());

        // A words path with a ".." level of its own serves its clips.
        QVERIFY(QDir().mkpath(m_home->path() + "/a"));
        m_app->m_strWordsPath = m_home->path() + "/a/../Wordwell";
        QVERIFY(WriteTone(m_wordsPath + "/Words/cat.wav", 0.5));
        QCOMPARE(player.Open(MakeClipPath("cat")), int(CLIP_OPEN));
        QCOMPARE(bar->nameLabel()->text(), QString("cat.wav"));
        QCOMPARE(bar->positionSlider()->maximum(), int(Tone(0.5).frameCount()));
        // The keys move the position a tenth of a second at a time.
        bar->positionSlider()->setFocus();
        QTest::keyClick(bar->positionSlider(), Qt::Key_Right);
        QTest::keyClick(bar->positionSlider(), Qt::Key_Right);
        QCOMPARE(player.Window()->device()->position(), 2 * 22050 / 10);
        QVERIFY(player.Save(MakeClipPath("dog")));
        QCOMPARE(QDir(m_wordsPath + "/Words").entryList(QDir::Files), (QStringList{"cat.wav", "dog.wav"}));
        QCOMPARE(m_boxes->texts(), QStringList());

        // A recording made as the list editor makes it is saved, reopened and
        // played to its end by the keys (recording by the bar's keys: tst_recordingcontrols).
        WW_REQUIRE_AUDIO();
        player.NewRecording();
        platform::audio::WaveAudioDevice* device = player.Window()->device();
        player.Record();
        QCOMPARE(device->mode(), platform::audio::WaveAudioDevice::Mode::Recording);
        QTest::qWait(600);
        QVERIFY(bar->stopButton()->isEnabled());
        player.Stop();
        const qint64 recorded = device->length();
        QVERIFY2(recorded > 22050 * 4 / 10, qPrintable(QString::number(recorded)));
        // The clip folder is "Words"; the program names it "words".
        QVERIFY(player.Save(MakeClipPath("bee")));
        QCOMPARE(ClipFrames(m_wordsPath + "/Words/bee.wav"), recorded);
        QSignalSpy ended(&player, &CSoundClipPlayer::playbackEnded);
        QCOMPARE(player.Open(MakeClipPath("BEE")), int(CLIP_OPEN));
        press(bar->playButton());
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, kPlayTimeoutMs);
        QTRY_COMPARE(bar->positionSlider()->value(), bar->positionSlider()->maximum());
        QCOMPARE(m_boxes->texts(), QStringList());
    }

    void clipsThatCannotBePlayedFailToOpen_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("result");
        QTest::newRow("missing") << "cat" << QByteArray() << int(CLIP_NOT_FOUND);
        QTest::newRow("corrupt") << "corrupt" << QByteArray("RIFF\x10\0\0\0WAVEjunkjunkjunk", 24) << int(CLIP_NOT_PLAYABLE);
        QTest::newRow("folder") << "folder" << QByteArray() << int(CLIP_NOT_A_FILE);
        // A clip that is there, but not where the word may reach.
        QTest::newRow("climbs out") << "..\\..\\cat" << WaveFileBytes({}, Samples({1, 2})) << int(CLIP_OUTSIDE_FOLDER);
    }

    void clipsThatCannotBePlayedFailToOpen()
    {
        QFETCH(QString, word);
        QFETCH(QByteArray, content);
        QFETCH(int, result);
        const QString path = MakeClipPath(m_wordsPath, word);
        if (!content.isEmpty())
            WriteFileForTest(QDir::cleanPath(platform::files::NativePath(path)), content);
        QVERIFY(QDir().mkpath(m_wordsPath + "/Words/folder.wav"));

        CSoundClipPlayer player;
        player.Create(m_frame, CSoundClipPlayer::kViewStyle);
        QSignalSpy ended(&player, &CSoundClipPlayer::playbackEnded);
        QCOMPARE(player.Open(path), result);
        // Nothing to play, and no message of the player's own: the caller reports it.
        player.Play();
        QTest::qWait(50);
        QCOMPARE(ended.count(), 0);
        QCOMPARE(m_boxes->texts(), QStringList());
    }

    void failedSavesAreReportedAndWriteNothing_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing subfolder") << "a\\b" << "No such file or directory";
        QTest::newRow("a folder has the clip's name") << "folder" << "a folder has that name";
        // A new recording with nothing in it leaves the clip of that name as it was.
        QTest::newRow("nothing recorded") << "source" << "nothing has been recorded";
        QTest::newRow("climbs out") << "..\\..\\cat" << "the name would put the clip outside its folder";
    }

    void failedSavesAreReportedAndWriteNothing()
    {
        QFETCH(QString, word);
        QFETCH(QString, reason);
        QVERIFY(QDir().mkpath(m_wordsPath + "/Words/folder.wav"));
        const QString source = MakeClipPath(m_wordsPath, "source");
        QVERIFY(WriteTone(source, 0.2));
        CSoundClipPlayer player;
        player.Create(m_frame, CSoundClipPlayer::kEditorStyle);
        QCOMPARE(player.Open(source), int(CLIP_OPEN));
        const bool nothingRecorded = word == "source";
        if (nothingRecorded)
            player.NewRecording();
        const QStringList before = TreeSnapshot(m_home->path());
        const QString path = MakeClipPath(m_wordsPath, word);
        QVERIFY(!player.Save(path));
        QCOMPARE(m_boxes->texts(), QStringList{"Unable to save \"" + path + "\": " + reason + "."});
        // Nothing new anywhere under the test's home, in or out of the clip folder.
        QCOMPARE(TreeSnapshot(m_home->path()), before);
        // The clip stays current and can be saved where it may go.
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
        QCOMPARE(player.Open(path), int(CLIP_NO_PLAYER));
        QVERIFY(!player.Save(path));
        player.Close();
        QCOMPARE(m_boxes->texts(), QStringList());
    }

    void withoutDevicesTheUserIsToldWhy()
    {
        WW_REQUIRE_NO_AUDIO();
        const QString path = MakeClipPath(m_wordsPath, "cat");
        QVERIFY(WriteTone(path, 0.5));
        CSoundClipPlayer player;
        player.Create(m_frame, CSoundClipPlayer::kEditorStyle);
        QSignalSpy errors(&player, &CSoundClipPlayer::deviceError);
        // The clip is fine; the device is missing.
        QCOMPARE(player.Open(path), int(CLIP_OPEN));
        player.Play();
        QTRY_COMPARE(m_boxes->texts(), QStringList{"Unable to play the sound clip: there is no sound output device."});
        QCOMPARE(errors.count(), 1);

        m_boxes->clear();
        CPlayBar* bar = player.Window()->playBar();
        // The choice of microphone says there is none to choose.
        QTRY_VERIFY(bar->microphoneBox()->filled());
        QCOMPARE(bar->microphoneBox()->count(), 1);
        QCOMPARE(bar->microphoneBox()->currentText(), QString("No recording device"));
        press(bar->recordButton());
        QTRY_COMPARE(m_boxes->texts(), QStringList{"Unable to record: there is no recording device."});
        QCOMPARE(errors.count(), 2);
        QCOMPARE(m_boxes->requests().first().type,
                 platform::framework::MB_OK | platform::framework::MB_ICONEXCLAMATION);
        // The clip itself is intact.
        QVERIFY(player.Save(MakeClipPath(m_wordsPath, "dog")));
    }

private:
    static void press(QToolButton* button)
    {
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
    }

    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<MessageBoxRecorder> m_boxes;
    std::unique_ptr<CWordwellApp> m_app;
    std::unique_ptr<QWidget> m_form;
    QFrame* m_frame = nullptr;
    QString m_wordsPath;
};

QTEST_MAIN(TestSoundClipPlayer)
#include "tst_soundclipplayer.moc"
