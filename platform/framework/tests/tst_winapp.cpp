#include "platform/framework/commandline.h"
#include "platform/framework/recentfiles.h"
#include "platform/framework/winapp.h"
#include "platform/registry/registry.h"
#include "testsupport/isolatedhome.h"

#include <QDir>
#include <QTest>

#include <memory>

using namespace platform::framework;
namespace reg = platform::registry;

class TestWinApp : public QObject {
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<IsolatedHome>(); }
    void cleanup() { m_home.reset(); }

    void helpFilePath_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("help");
        QTest::newRow("no extension") << "/opt/Tolvane/Wordwell/Wordwell" << "/opt/Tolvane/Wordwell/Wordwell.hlp";
        QTest::newRow("extension replaced") << "/a/Wordwell.exe" << "/a/Wordwell.hlp";
        QTest::newRow("dot in a folder name") << "/a.b/Wordwell" << "/a.b/Wordwell.hlp";
        QTest::newRow("blanks") << "/home/a b/Word well" << "/home/a b/Word well.hlp";
        // "@" is a temporary root holding usr/bin and, in "@packaged", usr/share/wordwell.
        QTest::newRow("packaged") << "@packaged/usr/bin/Wordwell" << "@packaged/usr/share/wordwell/Wordwell.hlp";
        QTest::newRow("beside wins over packaged") << "@beside/usr/bin/Wordwell" << "@beside/usr/bin/Wordwell.hlp";
        QTest::newRow("no data folder") << "@plain/usr/bin/Wordwell" << "@plain/usr/bin/Wordwell.hlp";
    }

    void helpFilePath()
    {
        QFETCH(QString, program);
        QFETCH(QString, help);
        const QString root = m_home->path() + '/';
        QVERIFY(QDir().mkpath(root + "packaged/usr/share/wordwell"));
        QVERIFY(QDir().mkpath(root + "beside/usr/share/wordwell"));
        WriteFileForTest(root + "beside/usr/bin/Wordwell.hlp", "help");
        QVERIFY(QDir().mkpath(root + "plain/usr/bin"));
        QCOMPARE(CWinApp::HelpFilePathFor(program.replace('@', root)), help.replace('@', root));
    }

    void theAppIsReachableWhileItLives()
    {
        QVERIFY(!AfxGetApp());
        {
            CWinApp app("Some App");
            QCOMPARE(AfxGetApp(), &app);
            QCOMPARE(app.AppName(), QString("Some App"));
            QCOMPARE(app.GetHelpFilePath(), QCoreApplication::applicationFilePath() + ".hlp");
        }
        QVERIFY(!AfxGetApp());
    }

    void profileLivesUnderTheRegistryKey()
    {
        CWinApp app("Wordwell Practice");
        QVERIFY(!app.WriteProfileString("Section", "Entry", "before the key"));
        QCOMPARE(app.GetProfileString("Section", "Entry", "fallback"), QString("fallback"));

        app.SetRegistryKey("Tolvane");
        QCOMPARE(app.GetProfileString("Section", "Entry", "fallback"), QString("fallback"));
        QVERIFY(app.WriteProfileString("Section", "Entry", "value"));
        QCOMPARE(app.GetProfileString("Section", "Entry"), QString("value"));

        reg::Key key;
        QCOMPARE(reg::OpenKey(reg::HKEY_CURRENT_USER, "Software\\Tolvane\\Wordwell Practice\\Section", &key),
                 reg::ERROR_SUCCESS);
        QString stored;
        QCOMPARE(reg::QueryStringValue(key, "Entry", &stored), reg::ERROR_SUCCESS);
        QCOMPARE(stored, QString("value"));
    }

    // A list, none, and printing (to a printer) are tst_mainframe's, from the program's start.
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("file");
        QTest::newRow("relative") << QStringList{"cats.spl"} << int(CCommandLineInfo::FileOpen) << "cats.spl";
        QTest::newRow("only the first file") << QStringList{"a.spl", "b.spl"} << int(CCommandLineInfo::FileOpen)
                                             << "a.spl";
        QTest::newRow("dde alone") << QStringList{"/dde"} << int(CCommandLineInfo::FileDDE) << "";
        QTest::newRow("embedding ignored") << QStringList{"-Embedding", "x.spl"} << int(CCommandLineInfo::FileOpen)
                                           << "x.spl";
        // An absolute path that happens to look like a switch name is still a switch only when it is one.
        QTest::newRow("root path") << QStringList{"/pets.spl"} << int(CCommandLineInfo::FileOpen) << "/pets.spl";
        QTest::newRow("dash file after --") << QStringList{"--", "-x.spl"} << int(CCommandLineInfo::FileOpen)
                                            << "-x.spl";
    }

    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, command);
        QFETCH(QString, file);
        CCommandLineInfo info;
        ParseCommandLine(arguments, info);
        QCOMPARE(int(info.m_nShellCommand), command);
        QCOMPARE(info.m_strFileName, file);
    }

    void unknownSwitchesAreKeptApart()
    {
        CCommandLineInfo info;
        ParseCommandLine({"-verbose", "a.spl"}, info);
        QCOMPARE(info.m_unknownSwitches, QStringList{"verbose"});
        QCOMPARE(info.m_strFileName, QString("a.spl"));
    }

    void abbreviatePath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("maxChars");
        QTest::addColumn<QString>("shown");
        QTest::newRow("short") << "/home/a/cats.spl" << 40 << "/home/a/cats.spl";
        QTest::newRow("middle dropped") << "/home/teacher/lists/year two/autumn/cats.spl" << 30
                                        << "/home/.../autumn/cats.spl";
        QTest::newRow("only the name fits") << "/home/teacher/a-very-long-list-name.spl" << 30
                                            << ".../a-very-long-list-name.spl";
    }

    void abbreviatePath()
    {
        QFETCH(QString, path);
        QFETCH(int, maxChars);
        QFETCH(QString, shown);
        QCOMPARE(AbbreviatePath(path, maxChars), shown);
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_GUILESS_MAIN(TestWinApp)
#include "tst_winapp.moc"
