// The play bar's controls for recording: the input level meter and the choice
// of microphone, on a sound server of the suite's own whose microphones are a
// tone and silence, so the meter has something to show and a recording tells
// which device it came from.
#include "practice/sound/microphonebox.h"
#include "practice/sound/playbar.h"
#include "practice/sound/recordingchoice.h"
#include "practice/sound/soundclipplayer.h"
#include "practice/sound/soundclipwindow.h"

#include "practice/settings/wordwellapp.h"
#include "privatesoundserver.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"

#include <QApplication>
#include <QFrame>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

using namespace practice::sound;
using Mode = platform::audio::WaveAudioDevice::Mode;

namespace {

void press(QToolButton* button)
{
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
}

QStringList itemsOf(const QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

}  // namespace

class TestRecordingControls : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QString why;
        QVERIFY2(m_server.start({"module-null-sink sink_name=speakers",
                                 "module-null-source source_name=muted_mic description=Muted max_latency_msec=20",
                                 "module-sine-source source_name=tone_mic rate=22050 frequency=440 "
                                 "source_properties=device.description=Tone"},
                                &why),
                 qPrintable(why));
    }

    // A microphone chosen once and unplugged since: the default is shown and
    // recorded from, without a word; plugged in again, it is chosen again. The
    // user then picks the tone by the keys (reached by Tab, read by its label
    // and recorded from: realinput/recording_test.py) and goes back to the
    // default, which follows the system's.
    void microphoneChosenByKeysIsRecordedFromAndRemembered()
    {
        IsolatedHome home;
        CWordwellApp app;
        app.EstablishSettings();
        MessageBoxRecorder boxes;
        QVERIFY(m_server.pactl({"set-default-source", "muted_mic"}));
        QVERIFY(SetChosenRecordingDevice("usb_mic"));
        // A form holding the editor's player, as the list editor has it.
        QWidget form;
        auto* frame = new QFrame(&form);
        frame->setMinimumSize(320, 40);
        (new QVBoxLayout(&form))->addWidget(frame);
        CSoundClipPlayer player;
        player.Create(frame, CSoundClipPlayer::kEditorStyle);
        player.NewRecording();
        CPlayBar* bar = player.Window()->playBar();
        CMicrophoneBox* box = bar->microphoneBox();
        QProgressBar* meter = bar->levelMeter();
        // Nothing asks the sound system until the bar is seen.
        QTest::qWait(50);
        QVERIFY(!box->filled());
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTRY_VERIFY(box->filled());
        QCOMPARE(itemsOf(box), (QStringList{"Default (Muted)", "Tone"}));

        // The meter shows the input only while recording; silence shows nothing.
        QVERIFY(!meter->isVisible());
        press(bar->recordButton());
        QCOMPARE(player.Window()->device()->mode(), Mode::Recording);
        QVERIFY(m_server.streamOn("muted_mic", false));
        QVERIFY(!box->isEnabled());
        QVERIFY(meter->isVisible());
        QTest::qWait(300);
        QVERIFY(player.Window()->device()->length() > 0);
        QCOMPARE(meter->value(), 0);
        press(bar->stopButton());
        QVERIFY(box->isEnabled());
        QVERIFY(!meter->isVisible());
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
        QCOMPARE(box->currentText(), QString("Tone"));
        QCOMPARE(ChosenRecordingDevice(), QByteArray("tone_mic"));
        press(bar->recordButton());
        QTRY_VERIFY2_WITH_TIMEOUT(meter->value() > 5, qPrintable(QString::number(meter->value())), 5000);
        press(bar->stopButton());
        QCOMPARE(meter->value(), 0);
        QVERIFY(boxes.texts().isEmpty());

        box->setFocus();
        QTest::keyClick(box, Qt::Key_Up);
        QCOMPARE(ChosenRecordingDevice(), QByteArray());
        QVERIFY(m_server.pactl({"set-default-source", "tone_mic"}));
        QTRY_COMPARE_WITH_TIMEOUT(itemsOf(reopened(box)), (QStringList{"Default (Tone)", "Muted"}), 5000);
        QCOMPARE(box->currentIndex(), 0);
    }

private:
    static QComboBox* reopened(QComboBox* box)
    {
        box->showPopup();
        box->hidePopup();
        return box;
    }

    audiotesting::PrivateSoundServer m_server;
};

QTEST_MAIN(TestRecordingControls)
#include "tst_recordingcontrols.moc"
