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

    void aPackagedInstallationHasItsModulesInTheLibraryFolder_data()
    {
        QTest::addColumn<QStringList>("files");  // under a temporary root holding usr/bin
        QTest::addColumn<QString>("path");
        const QString packaged = "usr/" + kPackagedModuleFolder.mid(3);
        QTest::newRow("packaged") << QStringList{packaged + "/m.so"} << packaged + "/m.so";
        QTest::newRow("packaged, that module missing") << QStringList{packaged + "/other.so"} << packaged + "/m.so";
        QTest::newRow("beside the program wins")
            << QStringList{packaged + "/m.so", "usr/bin/m.so"} << QString("usr/bin/m.so");
        QTest::newRow("no module folder") << QStringList{"usr/bin/Wordwell"} << QString("usr/bin/m.so");
    }

    void aPackagedInstallationHasItsModulesInTheLibraryFolder()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, path);
        const QString root = m_home->path() + '/';
        for (const QString& file : files)
            WriteFileForTest(root + file, "module");
        QCOMPARE(InstalledFilePath(root + "usr/bin", kPackagedModuleFolder, "m.so"), root + path);
    }

    void whatIsNoModuleIsRefusedWithTheReason_data()
    {
        // A missing module is the sound and print modules' suites'; a module found and called, every suite's.
        QTest::addColumn<QString>("name");  // in the test's home, made as the row says
        QTest::addColumn<QString>("why");
        QTest::newRow("not a library") << "text.so" << "invalid ELF header";
        QTest::newRow("a library without the entry point")
            << WW_NOT_A_MODULE << "it is not a test module of this version of Wordwell";
        QTest::newRow("a bare name") << "m.so" << "it is not an absolute path";
    }

    void whatIsNoModuleIsRefusedWithTheReason()
    {
        QFETCH(QString, name);
        QFETCH(QString, why);
        QString path = name;
        if (name == "text.so") {
            path = m_home->path() + '/' + name;
            WriteFileForTest(path, QByteArray(256, 'x'));
        }
        QString reason;
        QVERIFY(!LoadModuleEntry(path, "wordwell_test_entry", "test module", &reason));
        QCOMPARE(reason, QStringLiteral("the test module \"%1\" could not be loaded (%2)").arg(path, why));
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_GUILESS_MAIN(TestModules)
#include "tst_modules.moc"
