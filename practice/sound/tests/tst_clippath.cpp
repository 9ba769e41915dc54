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
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("climbs");
        QTest::newRow("plain") << "cat" << false;
        QTest::newRow("up one") << "../cat" << true;
        QTest::newRow("up with backslashes") << "..\\..\\cat" << true;
        QTest::newRow("down and up") << "a/../../b" << true;
        QTest::newRow("the word itself") << ".." << false;  // "...wav" is a plain name
        QTest::newRow("dots inside a name") << "a..b" << false;
        QTest::newRow("three dots") << ".../cat" << false;
        QTest::newRow("a dot level") << "./cat" << false;
    }

    void climbingLevelsAreFound()
    {
        QFETCH(QString, word);
        QFETCH(bool, climbs);
        QCOMPARE(ClipPathClimbs(MakeClipPath("/data", word)), climbs);
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_GUILESS_MAIN(TestClipPath)
#include "tst_clippath.moc"
