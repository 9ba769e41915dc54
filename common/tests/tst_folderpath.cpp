#include "common/folderpath.h"
#include "testsupport/isolatedhome.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <memory>

using common::CreateFolderPath;
using common::RemoveFolderLevels;

// Paths in the rows are relative to the test's working folder unless they
// start with "@", which stands for the temporary home.
class TestFolderPath : public QObject {
    Q_OBJECT

    QString expand(const QString& path) const
    {
        return path.startsWith(u'@') ? m_home->home() + path.mid(1) : path;
    }
    bool isFolder(const QString& path) const { return QFileInfo(expand(path)).isDir(); }

private slots:
    void init() { m_home = std::make_unique<IsolatedHome>(); }
    void cleanup() { m_home.reset(); }

    void createFolderPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QStringList>("foldersAfter");
        QTest::addColumn<QStringList>("absentAfter");
        QTest::newRow("empty") << "" << false << QStringList{} << QStringList{};
        QTest::newRow("three characters") << "abc" << false << QStringList{} << QStringList{"abc"};
        QTest::newRow("four characters") << "abcd" << true << QStringList{"abcd"} << QStringList{};
        QTest::newRow("every missing level") << "@/Program Files/Tolvane/Wordwell" << true
                                             << QStringList{"@/Program Files/Tolvane/Wordwell"} << QStringList{};
        QTest::newRow("trailing separator") << "@/a/b/" << true << QStringList{"@/a/b"} << QStringList{};
        QTest::newRow("backslashes") << "@\\x\\y" << true << QStringList{"@/x/y"} << QStringList{};
        // Index 2 is never examined: the level before it is neither tested nor made.
        QTest::newRow("level ending at index two") << "ab/c" << false << QStringList{} << QStringList{"ab"};
    }

    void createFolderPath()
    {
        QFETCH(QString, path);
        QFETCH(bool, result);
        QFETCH(QStringList, foldersAfter);
        QFETCH(QStringList, absentAfter);
        QCOMPARE(CreateFolderPath(expand(path)), result);
        for (const QString& folder : foldersAfter)
            QVERIFY2(isFolder(folder), qPrintable(folder));
        for (const QString& name : absentAfter)
            QVERIFY2(!QFileInfo::exists(expand(name)), qPrintable(name));
    }

    // A file at the last level counts as made, and is never removed.
    void aFileAtTheLastLevelCountsAndStays()
    {
        WriteFileForTest(m_home->home() + "/a/file", "x");
        QVERIFY(CreateFolderPath(m_home->home() + "/a/file"));
        QVERIFY(QFileInfo(m_home->home() + "/a/file").isFile());
        WriteFileForTest("ab/c/file", "x");
        QVERIFY(!RemoveFolderLevels("ab/c/file"));
        QVERIFY(QFileInfo("ab/c/file").isFile());
    }

    void pathThatCannotBeMadeLeavesNothingOfItself_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("existing");  // what stands before the call, kept after it
        QTest::newRow("file in the way") << "@/a/b/c" << "@/a";
        QTest::newRow("name too long") << "@/x/a/b/" + QString(300, u'n') << "@/x";
        QTest::newRow("name too long, nothing made before") << "@/a/b/" + QString(300, u'n') << "";
    }

    void pathThatCannotBeMadeLeavesNothingOfItself()
    {
        QFETCH(QString, path);
        QFETCH(QString, existing);
        if (existing == "@/a")
            WriteFileForTest(expand(existing), "x");
        else if (!existing.isEmpty())
            QVERIFY(QDir().mkpath(expand(existing)));
        QVERIFY(!CreateFolderPath(expand(path)));
        QCOMPARE(QDir(m_home->home()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 existing.isEmpty() ? QStringList{} : QStringList{existing.mid(2)});
        if (!existing.isEmpty())
            QVERIFY(QFileInfo::exists(expand(existing)));
        QCOMPARE(QDir(m_home->home() + "/x").entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});
    }

    void existingLevelInAnotherCaseIsUsed()
    {
        QVERIFY(QDir().mkpath(m_home->home() + "/Tolvane"));
        QVERIFY(CreateFolderPath(m_home->home() + "/tolvane/Wordwell"));
        QVERIFY(isFolder("@/Tolvane/Wordwell"));
        QVERIFY(!QFileInfo::exists(m_home->home() + "/tolvane"));
    }

    void removeFolderLevels_data()
    {
        QTest::addColumn<QString>("existing");      // folders made before
        QTest::addColumn<QString>("fileIn");        // a file placed in this folder, if any
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QStringList>("gone");
        QTest::addColumn<QStringList>("kept");
        // "ab" ends at index 2 and is never tried, like a drive root.
        QTest::newRow("every empty level") << "ab/c/d" << "" << "ab/c/d" << true
                                           << QStringList{"ab/c/d", "ab/c"} << QStringList{"ab"};
        QTest::newRow("stops at a folder holding a file") << "ab/c/d/e" << "ab/c" << "ab/c/d/e" << false
                                                          << QStringList{"ab/c/d/e", "ab/c/d"}
                                                          << QStringList{"ab/c", "ab"};
        QTest::newRow("the folder itself holds a file") << "ab/c/d" << "ab/c/d" << "ab/c/d" << false
                                                        << QStringList{} << QStringList{"ab/c/d", "ab/c"};
        QTest::newRow("three characters") << "ab" << "" << "ab/" << false << QStringList{} << QStringList{"ab"};
        QTest::newRow("mixed separators") << "ab/c/d" << "" << "ab\\c/d" << true
                                          << QStringList{"ab/c/d", "ab/c"} << QStringList{"ab"};
        QTest::newRow("other letter case") << "ab/Cd/Ef" << "" << "ab/cD/eF" << true
                                           << QStringList{"ab/Cd/Ef", "ab/Cd"} << QStringList{"ab"};
    }

    void removeFolderLevels()
    {
        QFETCH(QString, existing);
        QFETCH(QString, fileIn);
        QFETCH(QString, path);
        QFETCH(bool, result);
        QFETCH(QStringList, gone);
        QFETCH(QStringList, kept);
        QVERIFY(QDir().mkpath(existing));
        if (!fileIn.isEmpty())
            WriteFileForTest(fileIn + "/keep.wav", "RIFF");
        QCOMPARE(RemoveFolderLevels(path), result);
        for (const QString& folder : gone)
            QVERIFY2(!QFileInfo::exists(folder), qPrintable(folder));
        for (const QString& folder : kept)
            QVERIFY2(isFolder(folder), qPrintable(folder));
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_GUILESS_MAIN(TestFolderPath)
#include "tst_folderpath.moc"
