#include "installation.h"

#include "common/record.h"
#include "platform/registry/registry.h"
#include "platform/shell/specialfolders.h"
#include "testsupport/desktopentrycheck.h"
#include "testsupport/isolatedhome.h"
#include "uninstall/outcome.h"
#include "uninstall/removal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <memory>

namespace reg = platform::registry;
namespace record = common::record;
using platform::shell::DesktopFolder;
using platform::shell::ProgramsFolder;

namespace {

// Files a careless removal would take: the product's names, a words folder, a
// user's own file and a subfolder.
void placeSentinels(const QString& folder)
{
    for (const char* name : {"Wordwell.png", "wordwell-audio.so", "wordwell-print.so", "wordwell-zip.so", "wordwell-history.so", "Wordwell", "Wordwell.cnt", "Wordwell.hlp", "Ridwell",
                                "Wordwell.desktop", "notes.txt", "Words/cat.wav", "Tolvane/Wordwell/Wordwell.desktop"})
        WriteFileForTest(folder + '/' + name, QByteArray("sentinel ") + name);
}

}  // namespace

class TestUninstallProduct : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_home = std::make_unique<IsolatedHome>();
        m_install = std::make_unique<TestInstallation>(*m_home);
    }

    void cleanup()
    {
        m_install.reset();
        m_home.reset();
    }

    void outcome_data()
    {
        QTest::addColumn<int>("removeAll");
        QTest::addColumn<QString>("missing");  // removed before the uninstall
        QTest::addColumn<QString>("message");
        QTest::newRow("flag clear") << 0 << "" << "Left recorded words in installed folder";
        QTest::newRow("flag set") << 1 << "" << "removed all";
        QTest::newRow("help file missing") << 0 << "i/Wordwell.hlp" << "Unable to uninstall all components";
        // Any failed deletion fails the outcome, not only the last one.
        QTest::newRow("program missing, help present") << 0 << "i/Wordwell" << "Unable to uninstall all components";
        QTest::newRow("sound module missing") << 0 << "i/wordwell-audio.so" << "Unable to uninstall all components";
        QTest::newRow("a menu entry missing") << 0 << "g/Wordwell Help.desktop"
                                              << "Unable to uninstall all components";
        QTest::newRow("no desktop entry") << 0 << "d/Wordwell.desktop" << "Left recorded words in installed folder";
    }

    void outcome()
    {
        QFETCH(int, removeAll);
        QFETCH(QString, missing);
        QFETCH(QString, message);
        QVERIFY(m_install->install());
        if (!missing.isEmpty()) {
            const QString folder = missing[0] == 'i'   ? m_install->installFolder
                                   : missing[0] == 'g' ? m_install->groupPath
                                                       : DesktopFolder();
            QVERIFY(QFile::remove(folder + missing.mid(1)));
        }
        const bool success = UninstallProduct(removeAll);
        QCOMPARE(OutcomeMessage(success, removeAll), message);
        QVERIFY(!QFileInfo::exists(DesktopFolder() + "/Wordwell.desktop"));
    }

    void theDesktopLearnsAndForgetsTheListTypes_data()
    {
        QTest::addColumn<QString>("theme");
        // No MIME or icons folder yet: Setup makes them, Ridwell takes them away.
        QTest::newRow("a fresh data folder") << "fresh";
        QTest::newRow("no icon cache, no desktop database") << "no cache";
        // All three belong to the user (and another program's entry): rebuilt, kept.
        QTest::newRow("an icon cache, a desktop database and a MIME package") << "cache";
        // No database or cache can be rebuilt: the files still come and go.
        QTest::newRow("no tools on the path") << "no tools";
    }

    void theDesktopLearnsAndForgetsTheListTypes()
    {
        QFETCH(QString, theme);
        const QString hicolor = m_home->dataHome() + "/icons/hicolor";
        const QString icon = hicolor + "/128x128/apps/wordwell.png";
        const QString cache = hicolor + "/icon-theme.cache";
        const QString package = m_home->dataHome() + "/mime/packages/wordwell-spelling-list.xml";
        // The user's own icon, which every refresh of the cache must keep.
        if (theme != "fresh") {
            QVERIFY(QDir().mkpath(hicolor + "/48x48/apps"));
            QVERIFY(QFile::copy(WW_SOURCE_DIR "/icons/Wordwell.png", hicolor + "/48x48/apps/mine.png"));
        }
        if (theme == "cache") {
            QCOMPARE(QProcess::execute("gtk-update-icon-cache", {"-q", "-f", "-t", hicolor}), 0);
            WriteFileForTest(ProgramsFolder() + "/mine.desktop",
                             "[Desktop Entry]\nType=Application\nName=Mine\nExec=true %f\nMimeType=text/x-mine;\n");
            QCOMPARE(QProcess::execute("update-desktop-database", {ProgramsFolder()}), 0);
            WriteFileForTest(m_home->dataHome() + "/mime/packages/mine.xml",
                             "<?xml version=\"1.0\"?>\n"
                             "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                             "<mime-type type=\"text/x-mine\"><glob pattern=\"*.mine\"/></mime-type>\n</mime-info>\n");
            QCOMPARE(QProcess::execute("update-mime-database", {m_home->dataHome() + "/mime"}), 0);
        }
        const QByteArray path = qgetenv("PATH");
        if (theme == "no tools") {
            qputenv("PATH", QFile::encodeName(m_home->path() + "/no-tools"));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^cannot run update-mime-database"));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^cannot run update-mime-database"));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^cannot run update-desktop-database"));
        }
        const QString list = m_home->work() + "/week.spl";
        WriteFileForTest(list, QByteArray::fromHex("010003636174"));
        const QString shared = m_home->work() + "/week.splz";
        WriteFileForTest(shared, QByteArray::fromHex("504b0506") + QByteArray(18, '\0'));
        // The install folder stays, as the running uninstaller stays in it.
        QVERIFY(QDir().mkpath(m_install->installFolder));
        const QStringList dataBefore = TreeSnapshot(m_home->dataHome());

        QVERIFY(m_install->install());
        QVERIFY(QFileInfo(package).isFile());
        QVERIFY(QFileInfo(icon).isFile());
        qputenv("PATH", path);
        if (theme != "no tools") {
            QCOMPARE(ContentTypeOf(list), QString("application/x-wordwell-spelling-list"));
            QCOMPARE(ContentTypeOf(shared), QString("application/x-wordwell-recorded-list"));
            QCOMPARE(IconNamesOf(shared).value(0), QString("wordwell"));
            for (const QString& type : {record::kListMimeType, record::kSharedListMimeType})
                QCOMPARE(ApplicationsFor(type), QStringList{"Tolvane-Wordwell-Wordwell.desktop"});
        }
        // A cache that was there knows the new icon; none is made where there was none.
        QCOMPARE(QFileInfo::exists(cache), theme == "cache");
        if (theme == "cache") {
            QVERIFY(ReadFileForTest(cache).contains("wordwell"));
            QVERIFY(ReadFileForTest(cache).contains("mine"));
        }

        if (theme == "no tools")
            qputenv("PATH", QFile::encodeName(m_home->path() + "/no-tools"));
        QVERIFY(UninstallProduct(1));
        qputenv("PATH", path);
        // The data folder is as it was: what Setup added is gone with the
        // folders it made for it and the databases it generated there, and the
        // user's theme, cache, entry and desktop database are as they were.
        QCOMPARE(TreeSnapshot(m_home->dataHome()), dataBefore);
        if (theme != "no tools") {
            QVERIFY(ContentTypeOf(list) != "application/x-wordwell-spelling-list");
            QVERIFY(ContentTypeOf(shared) != "application/x-wordwell-recorded-list");
        }
        if (theme == "cache") {
            QCOMPARE(ApplicationsFor(record::kListMimeType), QStringList{});
            QCOMPARE(ApplicationsFor("text/x-mine"), QStringList{"mine.desktop"});
        }
        QVERIFY(!LocalMachineKeyExists(record::kProductKey));
    }

    void runningUninstallerRemovesAllButItself_data()
    {
        QTest::addColumn<int>("removeAll");
        QTest::addColumn<bool>("subfolders");
        QTest::addColumn<QStringList>("installAfter");
        QTest::addColumn<QStringList>("wordsAfter");
        QTest::newRow("flag set, plain folders") << 1 << false << QStringList{"Ridwell"} << QStringList{};
        QTest::newRow("flag set, subfolders and dotted names")
            << 1 << true << QStringList{".settings", "Ridwell", "Words", "extras"} << QStringList{".hidden", "old"};
        QTest::newRow("flag clear") << 0 << true
                                    << QStringList{".settings", "Ridwell", "Words", "extras", "notes.txt"}
                                    << QStringList{".hidden", "Dog.wav", "cat.wav", "old"};
    }

    void runningUninstallerRemovesAllButItself()
    {
        QFETCH(int, removeAll);
        QFETCH(bool, subfolders);
        QFETCH(QStringList, installAfter);
        QFETCH(QStringList, wordsAfter);
        // The uninstaller Setup copies is one that runs the removal when started.
        QFile::remove(m_home->work() + "/Ridwell");
        QVERIFY(QFile::copy(WW_UNINSTALL_RUNNER, m_home->work() + "/Ridwell"));
        QVERIFY(m_install->install());
        WriteFileForTest(m_install->wordsFolder() + "/cat.wav", "RIFF cat");
        WriteFileForTest(m_install->wordsFolder() + "/Dog.wav", "RIFF dog");
        WriteFileForTest(m_install->installFolder + "/notes.txt", "mine");
        if (subfolders) {
            WriteFileForTest(m_install->wordsFolder() + "/.hidden", "x");
            WriteFileForTest(m_install->wordsFolder() + "/old/bird.wav", "RIFF bird");
            WriteFileForTest(m_install->installFolder + "/.settings", "x");
            WriteFileForTest(m_install->installFolder + "/extras/readme", "x");
        }

        QProcess ridwell;
        ridwell.setWorkingDirectory(m_install->installFolder);
        ridwell.start(m_install->installFolder + "/Ridwell", {QString::number(removeAll)});
        QVERIFY(ridwell.waitForFinished(60000));
        QCOMPARE(ridwell.exitStatus(), QProcess::NormalExit);
        QCOMPARE(ridwell.exitCode(), 0);

        QCOMPARE(EntriesOf(m_install->installFolder), installAfter);
        QCOMPARE(EntriesOf(m_install->wordsFolder()), wordsAfter);
        QCOMPARE(QFileInfo::exists(m_install->wordsFolder()), installAfter.contains("Words"));
        if (subfolders) {
            QCOMPARE(ReadFileForTest(m_install->wordsFolder() + "/old/bird.wav"), QByteArray("RIFF bird"));
            QCOMPARE(ReadFileForTest(m_install->installFolder + "/extras/readme"), QByteArray("x"));
        }
        QVERIFY(!QFileInfo::exists(m_install->groupPath));
        // The group folder's empty parents go; the data folder holds more.
        QVERIFY(!QFileInfo::exists(ProgramsFolder()));
        QVERIFY(QFileInfo::exists(m_home->dataHome() + "/keep"));
        QVERIFY(!LocalMachineKeyExists(record::kProductKey));
        QVERIFY(!LocalMachineKeyExists(record::kAppPathsKey));
        QVERIFY(!LocalMachineKeyExists(record::kUninstallKey));
        if (removeAll)
            return;
        // Words kept: the company key and the words path stay for them.
        QVERIFY(LocalMachineKeyExists("Software\\Tolvane"));
        reg::Key user;
        QCOMPARE(reg::OpenKey(reg::HKEY_CURRENT_USER, record::kWordsPathKey, &user), reg::ERROR_SUCCESS);
        QString wordsPath;
        QCOMPARE(reg::QueryStringValue(user, "Path", &wordsPath), reg::ERROR_SUCCESS);
        QCOMPARE(wordsPath, m_install->installFolder);
    }

    void longRecordValuesAreReadWhole()
    {
        // A 300-character install folder whose first 256 characters name another
        // folder: a value cut short would point there.
        QString base = m_home->home() + '/';
        while (base.size() < 256 - 101)
            base += QString(100, u'd') + '/';
        const QString decoy = base + QString(256 - base.size(), u's');
        QCOMPARE(decoy.size(), 256);
        const QString folder = decoy + QString(300 - decoy.size(), u'x');
        placeSentinels(decoy);
        const QByteArray before = HashOfTree(decoy);
        m_install->installFolder = folder;
        QVERIFY(m_install->install());

        QVERIFY(UninstallProduct(1));
        QCOMPARE(HashOfTree(decoy), before);
        QCOMPARE(EntriesOf(folder), QStringList{});
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<TestInstallation> m_install;
};

QTEST_GUILESS_MAIN(TestUninstallProduct)
#include "tst_uninstallproduct.moc"
