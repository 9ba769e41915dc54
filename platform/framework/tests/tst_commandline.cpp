#include "platform/framework/commandline.h"
#include "platform/framework/recentfiles.h"

#include <QTest>

using namespace platform::framework;

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("printer");

        QTest::newRow("nothing") << QStringList{} << int(CCommandLineInfo::FileNew) << "" << "";
        QTest::newRow("a list") << QStringList{"/home/a/cats.spl"} << int(CCommandLineInfo::FileOpen)
                                << "/home/a/cats.spl" << "";
        QTest::newRow("relative") << QStringList{"cats.spl"} << int(CCommandLineInfo::FileOpen) << "cats.spl" << "";
        QTest::newRow("only the first file") << QStringList{"a.spl", "b.spl"} << int(CCommandLineInfo::FileOpen)
                                             << "a.spl" << "";
        QTest::newRow("print") << QStringList{"/p", "a.spl"} << int(CCommandLineInfo::FilePrint) << "a.spl" << "";
        QTest::newRow("print to") << QStringList{"-pt", "a.spl", "Office", "drv", "port"}
                                  << int(CCommandLineInfo::FilePrintTo) << "a.spl" << "Office";
        QTest::newRow("dde alone") << QStringList{"/dde"} << int(CCommandLineInfo::FileDDE) << "" << "";
        QTest::newRow("embedding ignored") << QStringList{"-Embedding", "x.spl"} << int(CCommandLineInfo::FileOpen)
                                           << "x.spl" << "";
        // An absolute path that happens to look like a switch name is still a switch only when it is one.
        QTest::newRow("root path") << QStringList{"/pets.spl"} << int(CCommandLineInfo::FileOpen) << "/pets.spl"
                                   << "";
        QTest::newRow("dash file after --") << QStringList{"--", "-x.spl"} << int(CCommandLineInfo::FileOpen)
                                            << "-x.spl" << "";
    }

    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, command);
        QFETCH(QString, file);
        QFETCH(QString, printer);
        CCommandLineInfo info;
        ParseCommandLine(arguments, info);
        QCOMPARE(int(info.m_nShellCommand), command);
        QCOMPARE(info.m_strFileName, file);
        QCOMPARE(info.m_strPrinterName, printer);
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
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
