#include "platform/framework/commandline.h"
#include "platform/framework/progresspace.h"
#include "platform/framework/recentfiles.h"
#include "platform/framework/winapp.h"
#include "platform/registry/registry.h"
#include "testsupport/isolatedhome.h"

#include <QDir>
#include <QList>
#include <QPoint>
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
        // "@" is a temporary root holding usr/share/wordwell; which place wins is tst_modules'.
        QTest::newRow("packaged") << "@packaged/usr/bin/Wordwell" << "@packaged/usr/share/wordwell/Wordwell.hlp";
    }

    void helpFilePath()
    {
        QFETCH(QString, program);
        QFETCH(QString, help);
        const QString root = m_home->path() + '/';
        QVERIFY(QDir().mkpath(root + "packaged/usr/share/wordwell"));
        QCOMPARE(CWinApp::HelpFilePathFor(program.replace('@', root)), help.replace('@', root));
    }

    void profileLivesUnderTheRegistryKey()
    {
        CWinApp app("Wordwell Practice");
        QCOMPARE(AfxGetApp(), &app);
        QCOMPARE(app.AppName(), QString("Wordwell Practice"));
        QCOMPARE(app.GetHelpFilePath(), QCoreApplication::applicationFilePath() + ".hlp");
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
        QTest::addColumn<QStringList>("unknown");
        const int open = CCommandLineInfo::FileOpen;
        QTest::newRow("relative") << QStringList{"cats.spl"} << open << "cats.spl" << QStringList();
        QTest::newRow("only the first file") << QStringList{"a.spl", "b.spl"} << open << "a.spl" << QStringList();
        QTest::newRow("dde alone") << QStringList{"/dde"} << int(CCommandLineInfo::FileDDE) << "" << QStringList();
        QTest::newRow("embedding ignored") << QStringList{"-Embedding", "x.spl"} << open << "x.spl" << QStringList();
        QTest::newRow("unknown switch kept apart") << QStringList{"-verbose", "a.spl"} << open << "a.spl"
                                                   << QStringList{"verbose"};
        // An absolute path that happens to look like a switch name is still a switch only when it is one.
        QTest::newRow("root path") << QStringList{"/pets.spl"} << open << "/pets.spl" << QStringList();
        QTest::newRow("dash file after --") << QStringList{"--", "-x.spl"} << open << "-x.spl" << QStringList();
    }

    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, command);
        QFETCH(QString, file);
        QFETCH(QStringList, unknown);
        CCommandLineInfo info;
        ParseCommandLine(arguments, info);
        QCOMPARE(int(info.m_nShellCommand), command);
        QCOMPARE(info.m_strFileName, file);
        QCOMPARE(info.m_unknownSwitches, unknown);
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

    void speaksAtAListenersPace_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<QList<QPoint>>("updates");  // (done, milliseconds after the start)
        QTest::addColumn<QList<int>>("said");        // the counts said
        QTest::newRow("each new quarter, held back to the gap")
            << 1000 << QList<QPoint>{{100, 1000}, {250, 2000}, {260, 3500}, {300, 4500}, {500, 5000}, {510, 6600}, {520, 9700}}
            << QList<int>{260, 510};
        QTest::newRow("a long quiet says where it is")
            << 1000 << QList<QPoint>{{10, 9999}, {11, 10000}, {20, 15000}, {30, 20000}} << QList<int>{11, 30};
        QTest::newRow("a word at a time is not a line a word")
            << 4 << QList<QPoint>{{1, 1000}, {2, 2000}, {3, 3000}} << QList<int>{3};
        QTest::newRow("neither the start nor the end")
            << 2 << QList<QPoint>{{0, 5000}, {2, 20000}} << QList<int>{};
    }

    void speaksAtAListenersPace()
    {
        QFETCH(int, total);
        QFETCH(QList<QPoint>, updates);
        QFETCH(QList<int>, said);
        ProgressPace pace;
        QList<int> saying;
        for (const QPoint& update : updates) {
            if (pace.Due(update.x(), total, update.y()))
                saying << update.x();
        }
        QCOMPARE(saying, said);
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_GUILESS_MAIN(TestWinApp)
#include "tst_winapp.moc"
