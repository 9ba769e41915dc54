#include "practice/sound/clippath.h"

#include "practice/settings/wordwellapp.h"
#include "testsupport/isolatedhome.h"

#include <QTest>

#include <memory>

using namespace practice::sound;

class TestClipPath : public QObject {
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<IsolatedHome>(); }
    void cleanup() { m_home.reset(); }

    void composesWordsPathFolderWordAndExtension_data()
    {
        QTest::addColumn<QString>("wordsPath");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << "/data" << "cat" << "/data/words/cat.wav";
        QTest::newRow("empty words path") << "" << "cat" << "/words/cat.wav";
        QTest::newRow("trailing separator doubles") << "/data/" << "cat" << "/data//words/cat.wav";
        QTest::newRow("blanks kept") << "/data" << " cat  " << "/data/words/ cat  .wav";
        QTest::newRow("case kept") << "/data" << "Cat" << "/data/words/Cat.wav";
        QTest::newRow("backslash names a subfolder") << "/data" << "a\\b" << "/data/words/a\\b.wav";
        QTest::newRow("characters no file name holds") << "/data" << "why?:*" << "/data/words/why?:*.wav";
        QTest::newRow("empty word") << "/data" << "" << "/data/words/.wav";
        QTest::newRow("non-ASCII") << "/data" << QString::fromUtf8("Straße") << QString::fromUtf8("/data/words/Straße.wav");
    }

    void composesWordsPathFolderWordAndExtension()
    {
        QFETCH(QString, wordsPath);
        QFETCH(QString, word);
        QFETCH(QString, path);
        QCOMPARE(MakeClipPath(wordsPath, word), path);
    }

    void usesTheApplicationsWordsPath()
    {
        QCOMPARE(MakeClipPath("cat"), QString("/words/cat.wav"));
        CWordwellApp app;
        app.m_strWordsPath = "/home/a b/Tolvane/Wordwell";
        QCOMPARE(MakeClipPath("cat"), QString("/home/a b/Tolvane/Wordwell/words/cat.wav"));
    }

    void climbingLevelsAreFound_data()
    {
        QTest::addColumn<QString>("wordsPath");
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("climbs");
        QTest::newRow("plain") << "/data" << "cat" << false;
        QTest::newRow("up one") << "/data" << "../cat" << true;
        QTest::newRow("up with backslashes") << "/data" << "..\\..\\cat" << true;
        QTest::newRow("down and up") << "/data" << "a/../../b" << true;
        QTest::newRow("leading separator") << "/data" << "/../cat" << true;
        QTest::newRow("leading backslash") << "/data" << "\\..\\cat" << true;
        QTest::newRow("the word itself") << "/data" << ".." << false;  // "...wav" is a plain name
        QTest::newRow("dots inside a name") << "/data" << "a..b" << false;
        QTest::newRow("three dots") << "/data" << ".../cat" << false;
        QTest::newRow("a dot level") << "/data" << "./cat" << false;
        // The words path is the user's setting: only the word is judged.
        QTest::newRow("words path up a level") << "/tmp/a/../inst" << "cat" << false;
        QTest::newRow("words path with backslashes") << "/tmp\\a\\..\\inst" << "cat" << false;
        QTest::newRow("both climb") << "/tmp/a/../inst" << "../cat" << true;
        QTest::newRow("empty words path") << "" << "../cat" << true;
    }

    void climbingLevelsAreFound()
    {
        QFETCH(QString, wordsPath);
        QFETCH(QString, word);
        QFETCH(bool, climbs);
        QCOMPARE(ClipPathClimbs(wordsPath, MakeClipPath(wordsPath, word)), climbs);
        // Under the application's words path the same holds.
        CWordwellApp app;
        app.m_strWordsPath = wordsPath;
        QCOMPARE(ClipPathClimbs(MakeClipPath(word)), climbs);
    }

    void pathsOutsideTheClipFolderAreJudgedWhole()
    {
        QVERIFY(ClipPathClimbs("/data", "/elsewhere/../x.wav"));
        QVERIFY(!ClipPathClimbs("/data", "/elsewhere/x.wav"));
        // A folder whose name only begins like the clip folder is elsewhere.
        QVERIFY(ClipPathClimbs("/data", "/data/wordsmith/../x.wav"));
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_GUILESS_MAIN(TestClipPath)
#include "tst_clippath.moc"
