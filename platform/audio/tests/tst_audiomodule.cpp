#include "platform/audio/audiobackend.h"
#include "platform/audio/audiomodule.h"

#include "audiotesting.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/modulefolder.h"

#include <QTest>

#include <memory>

using namespace platform::audio;

class TestAudioModule : public QObject {
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<IsolatedHome>(); }
    void cleanup() { m_home.reset(); }

    void theBuiltModuleLoadsOnceAndStays()
    {
        QString reason;
        const AudioBackend* backend = Backend(&reason);
        QVERIFY2(backend, qPrintable(reason));
        QCOMPARE(Backend(&reason), backend);
        // It works: a clip goes through its codec and back.
        const WaveData clip{8000, 1, audiotesting::Samples({1, -2, 300})};
        WaveData back;
        QCOMPARE(backend->decode(backend->encode(clip), &back, &reason), WaveFileError::None);
        QCOMPARE(back.samples, clip.samples);
    }

    void aMissingModuleIsNamedAndTriedAgainNextTime()
    {
        QString reason;
        {
            ScopedModuleFolder empty{m_home->path()};
            QCOMPARE(Backend(&reason), nullptr);
            QCOMPARE(reason, QStringLiteral("the sound module \"%1/wordwell-audio.so\" could not be loaded "
                                            "(cannot open shared object file: No such file or directory)")
                                 .arg(m_home->path()));
        }
        reason.clear();
        QVERIFY2(Backend(&reason), qPrintable(reason));
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_GUILESS_MAIN(TestAudioModule)
#include "tst_audiomodule.moc"
