#include "common/installfolder.h"
#include "testsupport/isolatedhome.h"

#include <QFile>
#include <QTest>

#include <memory>

using namespace common;

// In the rows "@" stands for the home folder and "#" for the temporary folder
// that holds it, where the test lays out:
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
        QTest::newRow("root") << "/" << false << false;
        QTest::newRow("doubled root") << "//" << false << false;
        QTest::newRow("directly under the root") << "/opt" << false << false;
        QTest::newRow("relative") << "Tolvane/Wordwell" << false << false;
        QTest::newRow("tilde") << "~/Wordwell" << false << false;
        QTest::newRow("home") << "@" << false << false;
        QTest::newRow("home with separator") << "@/" << false << false;
        QTest::newRow("home in other case") << "@UPPER" << false << false;
        QTest::newRow("above home") << "#" << false << false;
        QTest::newRow("dot-dot reaching home") << "@/Tolvane/.." << false << false;
        QTest::newRow("dot-dot staying inside") << "@/Tolvane/../Wordwell" << false << false;
        QTest::newRow("dot level") << "@/./Wordwell" << false << false;
        QTest::newRow("home through a linked parent") << "#/alias/home" << false << false;
        QTest::newRow("home as its link") << "#/links/home" << false << false;
        QTest::newRow("above home through a link") << "#/alias" << false << false;
        QTest::newRow("real home when HOME is linked") << "@" << true << false;
        QTest::newRow("linked home's parent when HOME is linked") << "#" << true << false;
        QTest::newRow("a file") << "#/file" << false << false;
        QTest::newRow("a dangling link") << "#/dangling" << false << false;
        QTest::newRow("below a file") << "#/file/inst" << false << true;  // fails later, at creation
        QTest::newRow("missing levels below home") << "@/Tolvane/Wordwell" << false << true;
        QTest::newRow("backslashes") << "@\\Tolvane\\Wordwell" << false << true;
        QTest::newRow("existing folder") << "#/real/inst" << false << true;
        QTest::newRow("inside home through its link") << "#/links/home/Wordwell" << false << true;
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
        QTest::newRow("backslashes") << "#\\real\\inst" << "#/real/inst" << true;
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
        QTest::newRow("through a link") << "#/links/real/a" << "#/real" << true;
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

private:
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_GUILESS_MAIN(TestInstallFolder)
#include "tst_installfolder.moc"
