// The play bar's input level meter, on a sound server of the suite's own whose
// microphones are a tone and silence, so the meter has something to show.
#include "practice/sound/playbar.h"
#include "practice/sound/soundclipplayer.h"
#include "practice/sound/soundclipwindow.h"

#include "privatesoundserver.h"
#include "testsupport/isolatedhome.h"

#include <QApplication>
#include <QFrame>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

using namespace practice::sound;
using Mode = platform::audio::WaveAudioDevice::Mode;

class TestLevelMeter : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QString why;
        QVERIFY2(m_server.start({"module-null-sink sink_name=speakers",
                                 "module-null-source source_name=muted_mic max_latency_msec=20",
                                 "module-sine-source source_name=tone_mic rate=22050 frequency=440"},
                                &why),
                 qPrintable(why));
    }

    void init() { m_home = std::make_unique<IsolatedHome>(); }
    void cleanup() { m_home.reset(); }

    void meterShowsTheInputOnlyWhileRecording_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("heard");
        QTest::newRow("a tone") << "tone_mic" << true;
        QTest::newRow("a muted microphone") << "muted_mic" << false;
    }

    void meterShowsTheInputOnlyWhileRecording()
    {
        QFETCH(QString, source);
        QFETCH(bool, heard);
        QVERIFY(m_server.pactl({"set-default-source", source}));
        QWidget form;
        auto* frame = new QFrame(&form);
        frame->setMinimumSize(320, 40);
        (new QVBoxLayout(&form))->addWidget(frame);
        CSoundClipPlayer player;
        player.Create(frame, CSoundClipPlayer::kEditorStyle);
        player.NewRecording();
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        CPlayBar* bar = player.Window()->playBar();
        QProgressBar* meter = bar->levelMeter();
        QVERIFY(meter);
        QCOMPARE(meter->accessibleName(), QString("Input level"));
        QVERIFY(!meter->isVisible());

        bar->recordButton()->setFocus();
        QTest::keyClick(bar->recordButton(), Qt::Key_Space);
        QCOMPARE(player.Window()->device()->mode(), Mode::Recording);
        QVERIFY(meter->isVisible());
        if (heard) {
            QTRY_VERIFY2_WITH_TIMEOUT(meter->value() > 5, qPrintable(QString::number(meter->value())), 5000);
        } else {
            QTest::qWait(500);
            QVERIFY(player.Window()->device()->length() > 0);
            QCOMPARE(meter->value(), 0);
        }
        bar->stopButton()->setFocus();
        QTest::keyClick(bar->stopButton(), Qt::Key_Space);
        QVERIFY(!meter->isVisible());
        QCOMPARE(meter->value(), 0);
    }

private:
    audiotesting::PrivateSoundServer m_server;
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_MAIN(TestLevelMeter)
#include "tst_levelmeter.moc"
