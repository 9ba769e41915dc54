#include "common/folderpath.h"
#include "common/installfolder.h"
#include "testsupport/isolatedhome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <memory>

using namespace common;

// Which folders Setup and Ridwell may use, and how their levels are made and
// removed. In the rows "@" stands for the home folder and "#" for the temporary
// folder that holds it, where the test lays out (other paths are relative to the
// working folder):
//   #/real/inst              a folder
//   #/alias -> #             a linked parent of home: #/alias/home is home
//   #/links/home -> #/home   a link to home
//   #/links/real -> #/real
//   #/file                   a file
//   #/dangling -> #/nowhere
class TestInstallFolder : public QObject {
    Q_OBJECT

    QString expand(QString path) const
    {
        return path.replace("@UPPER", m_home->home().toUpper())
            .replace("@", m_home->home())
            .replace("#", m_home->path());
    }

    // Each name in `after` is a folder, or with a leading "-", is not there at all.
    void verifyAfter(const QStringList& after) const
    {
        for (const QString& name : after) {
            const QFileInfo info(expand(name.mid(name.startsWith('-'))));
            QVERIFY2(name.startsWith('-') ? !info.exists() : info.isDir(), qPrintable(name));
        }
    }

private slots:
    void init()
    {
        m_home = std::make_unique<IsolatedHome>();
        const QString root = m_home->path();
        WriteFileForTest(root + "/real/inst/keep", "x");
        WriteFileForTest(root + "/file", "x");
        QVERIFY(QFile::link(root, root + "/alias"));
        WriteFileForTest(root + "/links/keep", "x");
        QVERIFY(QFile::link(root + "/home", root + "/links/home"));
        QVERIFY(QFile::link(root + "/real", root + "/links/real"));
        QVERIFY(QFile::link(root + "/nowhere", root + "/dangling"));
    }
    void cleanup() { m_home.reset(); }

    void usableFolders_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("homeThroughLink");  // HOME itself named through #/alias
        QTest::addColumn<bool>("usable");
        QTest::newRow("empty") << "" << false << false;
        QTest::newRow("directly under the root") << "/opt" << false << false;
        QTest::newRow("relative") << "Tolvane/Wordwell" << false << false;
        QTest::newRow("home") << "@" << false << false;
        QTest::newRow("home in other case") << "@UPPER" << false << false;
        QTest::newRow("above home") << "#" << false << false;
        QTest::newRow("dot-dot reaching home") << "@/Tolvane/.." << false << false;
        QTest::newRow("dot level") << "@/./Wordwell" << false << false;
        QTest::newRow("home as its link") << "#/links/home" << false << false;
        QTest::newRow("real home when HOME is linked") << "@" << true << false;
        QTest::newRow("a file") << "#/file" << false << false;
        QTest::newRow("a dangling link") << "#/dangling" << false << false;
        QTest::newRow("below a file") << "#/file/inst" << false << true;  // fails later, at creation
        QTest::newRow("backslashes") << "@\\Tolvane\\Wordwell" << false << true;
        QTest::newRow("existing folder") << "#/real/inst" << false << true;
        QTest::newRow("inside home when HOME is linked") << "@/Wordwell" << true << true;
    }

    void usableFolders()
    {
        QFETCH(QString, folder);
        QFETCH(bool, homeThroughLink);
        QFETCH(bool, usable);
        folder = expand(folder);
        if (homeThroughLink)
            qputenv("HOME", QFile::encodeName(m_home->path() + "/alias/home"));
        QCOMPARE(IsUsableFolder(folder), usable);
    }

    void realFolders_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("real");
        QTest::addColumn<bool>("intact");  // as a record, still where it was recorded
        QTest::newRow("as stored") << "#/real/inst" << "#/real/inst" << true;
        QTest::newRow("other letter case") << "#/REAL/Inst" << "#/real/inst" << true;
        QTest::newRow("linked level") << "#/links/real/inst" << "#/real/inst" << false;
        QTest::newRow("linked parent of the missing tail") << "#/alias/real/New/Deeper" << "#/real/New/Deeper"
                                                            << false;
        QTest::newRow("missing tail keeps its case") << "#/real/New/Deeper" << "#/real/New/Deeper" << true;
        QTest::newRow("one trailing separator kept") << "#/Real/inst/" << "#/real/inst/" << true;
    }

    void realFolders()
    {
        QFETCH(QString, folder);
        QFETCH(QString, real);
        QFETCH(bool, intact);
        QCOMPARE(RealFolder(expand(folder)), expand(real));
        QCOMPARE(IsRecordedFolderIntact(expand(folder)), intact);
    }

    void insideFolder_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("container");
        QTest::addColumn<bool>("inside");
        QTest::newRow("below") << "#/real/inst/a" << "#/real" << true;
        QTest::newRow("the container itself") << "#/real/" << "#/real" << true;
        QTest::newRow("a sibling sharing its name's start") << "#/realm" << "#/real" << false;
        QTest::newRow("container through a link") << "#/real/a" << "#/links/real" << true;
        QTest::newRow("outside") << "#/file" << "#/real" << false;
    }

    void insideFolder()
    {
        QFETCH(QString, folder);
        QFETCH(QString, container);
        QFETCH(bool, inside);
        QCOMPARE(IsInsideFolder(expand(folder), expand(container)), inside);
    }

    void createFolderPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("empty") << "" << false << QStringList{};
        QTest::newRow("three characters") << "abc" << false << QStringList{"-abc"};
        QTest::newRow("every missing level") << "@/Program Files/Tolvane/Wordwell" << true
                                             << QStringList{"@/Program Files/Tolvane/Wordwell"};
        QTest::newRow("trailing separator") << "@/a/b/" << true << QStringList{"@/a/b"};
        QTest::newRow("backslashes") << "@\\x\\y" << true << QStringList{"@/x/y"};
        QTest::newRow("existing level in another case") << "#/REAL/New" << true << QStringList{"#/real/New", "-#/REAL"};
        // A file at the last level counts as made, and stays.
        QTest::newRow("a file at the last level") << "#/file" << true << QStringList{};
        // Index 2 is never examined: the level before it is neither tested nor made.
        QTest::newRow("level ending at index two") << "ab/c" << false << QStringList{"-ab"};
        // A path that cannot be made whole leaves nothing of itself; what stood before stays.
        QTest::newRow("file in the way") << "#/file/a/b" << false << QStringList{"-#/file/a"};
        QTest::newRow("name too long") << "#/real/a/b/" + QString(300, u'n') << false
                                       << QStringList{"#/real", "-#/real/a"};
    }

    void createFolderPath()
    {
        QFETCH(QString, path);
        QFETCH(bool, result);
        QFETCH(QStringList, after);
        QCOMPARE(CreateFolderPath(expand(path)), result);
        verifyAfter(after);
    }

    void removeFolderLevels_data()
    {
        QTest::addColumn<QString>("existing");  // folders made before
        QTest::addColumn<QString>("fileIn");    // a file placed in this folder, if any
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QStringList>("after");
        // "ab" ends at index 2 and is never tried, like a drive root.
        QTest::newRow("every empty level") << "ab/c/d" << "" << "ab/c/d" << true << QStringList{"-ab/c/d", "-ab/c", "ab"};
        QTest::newRow("stops at a folder holding a file") << "ab/c/d/e" << "ab/c" << "ab/c/d/e" << false
                                                          << QStringList{"-ab/c/d/e", "-ab/c/d", "ab/c", "ab"};
        QTest::newRow("the folder itself holds a file") << "ab/c/d" << "ab/c/d" << "ab/c/d" << false
                                                        << QStringList{"ab/c/d", "ab/c"};
        QTest::newRow("three characters") << "ab" << "" << "ab/" << false << QStringList{"ab"};
        // A file at the last level is never removed.
        QTest::newRow("a file") << "ab/c" << "ab/c" << "ab/c/keep.wav" << false << QStringList{"ab/c"};
        QTest::newRow("mixed separators") << "ab/c/d" << "" << "ab\\c/d" << true << QStringList{"-ab/c/d", "-ab/c", "ab"};
        QTest::newRow("other letter case") << "ab/Cd/Ef" << "" << "ab/cD/eF" << true
                                           << QStringList{"-ab/Cd/Ef", "-ab/Cd", "ab"};
    }

    void removeFolderLevels()
    {
        QFETCH(QString, existing);
        QFETCH(QString, fileIn);
        QFETCH(QString, path);
        QFETCH(bool, result);
        QFETCH(QStringList, after);
        QVERIFY(QDir().mkpath(existing));
        if (!fileIn.isEmpty())
            WriteFileForTest(fileIn + "/keep.wav", "RIFF");
        QCOMPARE(RemoveFolderLevels(path), result);
        verifyAfter(after);
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_GUILESS_MAIN(TestInstallFolder)
#include "tst_installfolder.moc"
