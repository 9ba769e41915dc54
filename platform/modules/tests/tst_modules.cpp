#include "platform/modules/modules.h"

#include "testsupport/isolatedhome.h"
#include "testsupport/modulefolder.h"

#include <QCoreApplication>
#include <QTest>

#include <memory>

using namespace platform::modules;

class TestModules : public QObject {
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<IsolatedHome>(); }
    void cleanup() { m_home.reset(); }

    void modulesAreTakenFromBesideTheProgramOrTheFolderNamed()
    {
        {
            ScopedModuleFolder unset{QString()};
            QCOMPARE(ModulePath("m.so"), QCoreApplication::applicationDirPath() + "/m.so");
        }
        ScopedModuleFolder elsewhere{m_home->path()};
        QCOMPARE(ModulePath("m.so"), m_home->path() + "/m.so");
    }

    void aPackagedInstallationHasItsModulesInTheLibraryFolder()
    {
        const QString packaged = "usr/" + kPackagedModuleFolder.mid(3);
        // The files under a temporary root holding usr/bin, and the path found there.
        const QList<QPair<QStringList, QString>> rows{{{packaged + "/m.so"}, packaged + "/m.so"},
                                                      {{packaged + "/other.so"}, packaged + "/m.so"},
                                                      {{packaged + "/m.so", "usr/bin/m.so"}, "usr/bin/m.so"},
                                                      {{"usr/bin/Wordwell"}, "usr/bin/m.so"}};
        int row = 0;
        for (const auto& [files, path] : rows) {
            const QString root = m_home->path() + '/' + QString::number(++row) + '/';
            for (const QString& file : files)
                WriteFileForTest(root + file, "module");
            QCOMPARE(InstalledFilePath(root + "usr/bin", kPackagedModuleFolder, "m.so"), root + path);
        }
    }

    // A missing module is the sound and print modules' suites'; a module found and called, every suite's.
    void whatIsNoModuleIsRefusedWithTheReason()
    {
        const QString text = m_home->path() + "/text.so";
        WriteFileForTest(text, QByteArray(256, 'x'));
        const QList<QPair<QString, QString>> rows{
            {text, "invalid ELF header"},
            {WW_NOT_A_MODULE, "it is not a test module of this version of Wordwell"},
            {"m.so", "it is not an absolute path"}};
        for (const auto& [path, why] : rows) {
            QString reason;
            QVERIFY(!LoadModuleEntry(path, "wordwell_test_entry", "test module", &reason));
            QCOMPARE(reason, QStringLiteral("the test module \"%1\" could not be loaded (%2)").arg(path, why));
        }
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_GUILESS_MAIN(TestModules)
#include "tst_modules.moc"
