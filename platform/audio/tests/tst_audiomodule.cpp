#include "platform/audio/audiobackend.h"
#include "platform/audio/audiomodule.h"

#include "audiotesting.h"
#include "testsupport/isolatedhome.h"

#include <QCoreApplication>
#include <QDir>
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
        QCOMPARE(LoadAudioModule(AudioModulePath(), &reason), backend);
        // It works: a clip goes through its codec and back.
        const WaveData clip{8000, 1, audiotesting::Samples({1, -2, 300})};
        WaveData back;
        QCOMPARE(backend->decode(backend->encode(clip), &back, &reason), WaveFileError::None);
        QCOMPARE(back.samples, clip.samples);
    }

    void theModuleIsLookedForBesideTheProgram()
    {
        audiotesting::ScopedAudioModule unset{QString()};
        QCOMPARE(AudioModulePath(), QCoreApplication::applicationDirPath() + "/wordwell-audio.so");
    }

    void whatIsNoModuleIsRefusedWithTheReason_data()
    {
        QTest::addColumn<QString>("name");  // in the test's home, made as the row says
        QTest::addColumn<QString>("why");
        QTest::newRow("missing") << "gone/wordwell-audio.so"
                                 << "cannot open shared object file: No such file or directory";
        QTest::newRow("a folder") << "folder.so" << "cannot read file data: Is a directory";
        QTest::newRow("not a library") << "text.so" << "invalid ELF header";
        QTest::newRow("a library without the entry point")
            << WW_NOT_A_SOUND_MODULE << "it is not a sound module of this version of Wordwell";
        QTest::newRow("a bare name") << "wordwell-audio.so" << "it is not an absolute path";
    }

    void whatIsNoModuleIsRefusedWithTheReason()
    {
        QFETCH(QString, name);
        QFETCH(QString, why);
        QString path = name;
        if (name == "folder.so" || name == "text.so" || name.startsWith("gone/"))
            path = m_home->path() + '/' + name;
        if (name == "folder.so")
            QVERIFY(QDir().mkpath(path));
        if (name == "text.so")
            WriteFileForTest(path, QByteArray(256, 'x'));
        QString reason;
        QCOMPARE(LoadAudioModule(path, &reason), nullptr);
        QCOMPARE(reason, QStringLiteral("the sound module \"%1\" could not be loaded (%2)").arg(path, why));
    }

    void theModuleNamedByTheEnvironmentIsUsedAndAFailureIsTriedAgain()
    {
        const QString missing = m_home->path() + "/wordwell-audio.so";
        QString reason;
        {
            audiotesting::ScopedAudioModule elsewhere{missing};
            QCOMPARE(Backend(&reason), nullptr);
            QVERIFY2(reason.contains(missing), qPrintable(reason));
        }
        reason.clear();
        QVERIFY2(Backend(&reason), qPrintable(reason));
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_GUILESS_MAIN(TestAudioModule)
#include "tst_audiomodule.moc"
