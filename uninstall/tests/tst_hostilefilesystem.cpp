#include "installation.h"

#include "common/record.h"
#include "platform/registry/registry.h"
#include "platform/shell/specialfolders.h"
#include "setup/install/installproduct.h"
#include "testsupport/installmedium.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"
#include "uninstall/removal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTest>

#include <memory>

namespace reg = platform::registry;
namespace record = common::record;
using platform::shell::DesktopFolder;
using platform::shell::ProgramsFolder;

// Setup and Ridwell against a hostile file system: links at every name they
// write, links at every level of the folders they record, linked parents of
// home, files where folders belong, ".." and other letter cases. A sentinel
// tree outside the temporary home, which nothing names, must keep every byte
// and permission through every run, and a run that could not do all its work
// must say so.
//
// In the rows "@" is the home folder, "#" the temporary folder holding it,
// "i" the install folder and "g" the group folder.
class TestHostileFileSystem : public QObject {
    Q_OBJECT

    QString sentinel() const { return m_home->path() + "/sentinel"; }

    QString expand(QString path) const
    {
        return path.replace(QRegularExpression("^i"), m_install->installFolder)
            .replace(QRegularExpression("^g"), m_install->groupPath)
            .replace("@", m_home->home())
            .replace("#", m_home->path());
    }

    // A tree a careless program would damage: plain, read-only and executable
    // files, a registry hive, and decoys of an installation and a group.
    void plantSentinel()
    {
        const QString s = sentinel();
        WriteFileForTest(s + "/victim", "the user's own file\n");
        WriteFileForTest(s + "/readonly", "read-only\n");
        QFile::setPermissions(s + "/readonly", QFile::ReadOwner | QFile::ReadGroup);
        WriteFileForTest(s + "/program", "#!/bin/sh\n");
        QFile::setPermissions(s + "/program", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        WriteFileForTest(s + "/hive.ini", "[Software]\nmine=1\n");
        for (const record::InstalledFile& file : record::kInstalledFiles)
            WriteFileForTest(s + "/install" + file.destination, "decoy " + file.source.toUtf8());
        WriteFileForTest(s + "/install/Words/cat.wav", "RIFF decoy");
        WriteFileForTest(s + "/install/notes.txt", "mine");
        WriteFileForTest(s + "/mime/wordwell-spelling-list.xml", "decoy type");
        WriteFileForTest(s + "/icons/wordwell.png", "decoy icon");
        WriteFileForTest(s + "/made/mime/packages/wordwell-spelling-list.xml", "decoy type");
        WriteFileForTest(s + "/made/mime/mime.cache", "decoy database");
        WriteFileForTest(s + "/made/icons/hicolor/128x128/apps/wordwell.png", "decoy icon");
        for (const record::Shortcut& entry : record::kGroupShortcuts)
            WriteFileForTest(s + "/group" + entry.file, "decoy entry");
        m_sentinel = TreeSnapshot(s);
        QVERIFY(m_sentinel.size() > 15);
    }

    void link(const QString& target, const QString& name)
    {
        QFile::remove(name);
        QDir(name).removeRecursively();
        QDir().mkpath(QFileInfo(name).path());
        QVERIFY2(QFile::link(target, name), qPrintable(name));
    }

    bool recordKept() const { return LocalMachineKeyExists(record::kUninstallKey); }
    QString listTypePackage() const { return m_home->dataHome() + "/mime/packages/wordwell-spelling-list.xml"; }
    QString themeIcon() const { return m_home->dataHome() + "/icons/hicolor/128x128/apps/wordwell.png"; }

private slots:
    void init()
    {
        m_home = std::make_unique<IsolatedHome>();
        m_install = std::make_unique<TestInstallation>(*m_home);
        m_boxes = std::make_unique<MessageBoxRecorder>();
        plantSentinel();
    }

    void cleanup()
    {
        QCOMPARE(TreeSnapshot(sentinel()), m_sentinel);
        m_boxes.reset();
        m_install.reset();
        m_home.reset();
    }

    void setupReplacesLinksAtEveryName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("target");   // in the sentinel
        QTest::addColumn<bool>("installed");   // false: the name is refused, and the run says so
        for (const record::InstalledFile& file : record::kInstalledFiles)
            QTest::addRow("installed file %s", qPrintable(file.source)) << "i" + file.destination << "victim" << true;
        QTest::newRow("read-only target") << "i/Wordwell.hlp" << "readonly" << true;
        for (const record::Shortcut& entry : record::kGroupShortcuts)
            QTest::addRow("menu entry %s", qPrintable(entry.file.mid(1))) << "g" + entry.file << "program" << true;
        QTest::newRow("desktop entry") << "desktop" << "program" << true;
        QTest::newRow("list type") << "mime" << "victim" << true;
        QTest::newRow("theme icon") << "icon" << "victim" << true;
        QTest::newRow("desktop database") << "database" << "victim" << true;
        QTest::newRow("machine hive") << "hive HKEY_LOCAL_MACHINE.ini" << "hive.ini" << false;
        QTest::newRow("user hive") << "hive HKEY_CURRENT_USER.ini" << "hive.ini" << false;
    }

    void setupReplacesLinksAtEveryName()
    {
        QFETCH(QString, name);
        QFETCH(QString, target);
        QFETCH(bool, installed);
        QDir().mkpath(m_install->installFolder);
        QDir().mkpath(m_install->groupPath);
        const QMap<QString, QString> named{{"desktop", DesktopFolder() + "/Wordwell.desktop"},
                                           {"mime", listTypePackage()},
                                           {"icon", themeIcon()},
                                           {"database", ProgramsFolder() + "/mimeinfo.cache"}};
        if (name.startsWith("hive "))
            name = m_home->configHome() + "/Tolvane/Registry/" + name.mid(5);
        else
            name = named.value(name, expand(name));
        link(sentinel() + '/' + target, name);

        if (!installed)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Setup: cannot write the registry key"));
        QCOMPARE(InstallProduct(m_install->installFolder, m_install->groupPath, true), installed);
        QCOMPARE(QFileInfo(name).isSymLink(), !installed);
        if (!installed)
            return;
        QVERIFY(QFileInfo(name).isFile());
        // And the installation comes off again whole; a database that was
        // there before Setup is the user's, and only forgets the entries.
        QVERIFY(UninstallProduct(1));
        if (name.endsWith("/mimeinfo.cache"))
            QVERIFY(QFileInfo(name).isFile() && !ReadFileForTest(name).contains("Wordwell"));
        else
            QVERIFY(!QFileInfo::exists(name));
    }

    void ridwellNeverFollowsARecordedLevelThatBecameALink_data()
    {
        QTest::addColumn<QString>("level");   // replaced, after installing, by a link into the sentinel
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("success");
        QTest::newRow("the install folder") << "i" << "install" << false;
        QTest::newRow("the install folder's parent") << "i/.." << "." << false;
        QTest::newRow("the group folder") << "g" << "group" << false;
        QTest::newRow("the group folder's parent") << "g/.." << "." << false;
        // Its contents are not the installation's: the link itself goes.
        QTest::newRow("the words folder") << "i/Words" << "install/Words" << true;
        QTest::newRow("a link in the words folder") << "i/Words/escape" << "install" << true;
        QTest::newRow("a linked file in the words folder") << "i/Words/notes.txt" << "install/notes.txt" << true;
        QTest::newRow("a link in the install folder") << "i/outside" << "install" << true;
    }

    void ridwellNeverFollowsARecordedLevelThatBecameALink()
    {
        QFETCH(QString, level);
        QFETCH(QString, target);
        QFETCH(bool, success);
        QVERIFY(m_install->install());
        WriteFileForTest(m_install->wordsFolder() + "/dog.wav", "RIFF dog");
        const bool parent = level.endsWith("/..");
        const QString name = parent ? QFileInfo(expand(level.chopped(3))).path() : expand(level);
        // A link to the sentinel takes the level's place.
        QString linkTarget = sentinel() + '/' + target;
        if (parent) {
            // The sentinel must hold the level below, as the real parent did.
            linkTarget = sentinel() + (level.startsWith('i') ? "/installparent" : "/groupparent");
            link(sentinel() + (level.startsWith('i') ? "/install" : "/group"),
                 linkTarget + '/' + QFileInfo(expand(level.chopped(3))).fileName());
            m_sentinel = TreeSnapshot(sentinel());
        }
        link(linkTarget, name);

        QCOMPARE(UninstallProduct(1), success);
        // A record that can no longer be trusted stays for another try.
        QCOMPARE(recordKept(), !success);
        if (success) {
            QCOMPARE(EntriesOf(m_install->installFolder), QStringList{});
            QVERIFY(!QFileInfo::exists(m_install->groupPath));
        }
    }

    // The list types' package and the theme's icon lie outside the recorded
    // folders; Ridwell removes each only where Setup put it, and of the
    // folders on the way only those Setup made.
    void ridwellRemovesOnlyTheDesktopFilesItRecorded_data()
    {
        QTest::addColumn<QString>("file");  // "ListType" or "ThemeIcon", its record value
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("removed");
        for (const char* file : {"ListType", "ThemeIcon"}) {
            QTest::addRow("%s recorded elsewhere", file) << file << "record" << false;
            QTest::addRow("%s became a link", file) << file << "file" << true;
            QTest::addRow("%s: its folder became a link", file) << file << "folder" << false;
            QTest::addRow("%s: the folder above existed before", file) << file << "existed" << true;
            QTest::addRow("%s: the folder Setup made became a link", file) << file << "made folder" << false;
            QTest::addRow("%s: the folder Setup made recorded elsewhere", file) << file << "made record" << false;
            // An earlier Setup recorded no folders: the file goes, they stay, as then.
            QTest::addRow("%s recorded by an earlier Setup", file) << file << "older record" << true;
        }
        // The database in the MIME folder Setup made goes, as links; what they lead to stays.
        QTest::newRow("ListType: links in the generated database") << "ListType" << "generated links" << true;
    }

    void ridwellRemovesOnlyTheDesktopFilesItRecorded()
    {
        QFETCH(QString, file);
        QFETCH(QString, change);
        QFETCH(bool, removed);
        const bool listType = file == "ListType";
        const QString path = listType ? listTypePackage() : themeIcon();
        const QString decoys = sentinel() + (listType ? "/mime" : "/icons");
        const QString madeFolder = m_home->dataHome() + (listType ? "/mime" : "/icons");
        const QString above = QFileInfo(QFileInfo(path).path()).path();
        if (change == "existed")
            QVERIFY(QDir().mkpath(above));
        QVERIFY(m_install->install());
        QVERIFY(QFileInfo(path).isFile());
        reg::Key key;
        QCOMPARE(reg::OpenKey(reg::HKEY_LOCAL_MACHINE, record::kProductKey, &key), reg::ERROR_SUCCESS);
        if (change == "record") {
            QCOMPARE(reg::SetStringValue(key, file, sentinel() + "/victim"), reg::ERROR_SUCCESS);
        } else if (change == "file") {
            link(sentinel() + "/victim", path);
        } else if (change == "folder") {
            const QString folder = QFileInfo(path).path();
            QVERIFY(QDir(folder).removeRecursively());
            link(decoys, folder);
        } else if (change == "made folder") {
            link(sentinel() + "/made" + madeFolder.mid(madeFolder.lastIndexOf('/')), madeFolder);
        } else if (change == "made record") {
            QCOMPARE(reg::SetStringValue(key, file + "Folder", sentinel() + "/made"), reg::ERROR_SUCCESS);
        } else if (change == "generated links") {
            link(sentinel() + "/victim", madeFolder + "/mime.cache");
            link(sentinel() + "/made/mime", madeFolder + "/application");
        } else if (change == "older record") {
            QStringList values{record::kListTypeFolderValue, record::kListTypeMediaFolderValue};
            for (const record::ThemeIcon& icon : record::kThemeIcons)
                values << icon.folderValue;
            for (const QString& value : values)
                reg::DeleteValue(key, value);
        }
        QCOMPARE(UninstallProduct(1), removed);
        QCOMPARE(QFileInfo(path).isSymLink() || QFileInfo::exists(path), !removed);
        QCOMPARE(recordKept(), !removed);
        if (change == "existed") {
            QVERIFY(QFileInfo(above).isDir());
            QVERIFY(!QFileInfo::exists(QFileInfo(path).path()));
        }
        if (change == "generated links")
            QCOMPARE(EntriesOf(madeFolder), QStringList{"application"});
        if (change == "older record")
            QVERIFY(QFileInfo(QFileInfo(path).path()).isDir());
    }

    void hostileRecordsTouchNothingOutside_data()
    {
        QTest::addColumn<QString>("value");   // "Path" or "Group"; empty removes the whole key
        QTest::addColumn<QString>("data");
        QTest::addColumn<bool>("homeThroughLink");
        // Which folders are usable is the install folder rules' (common/tests); here, one of
        // each kind, and that nothing outside is touched.
        QTest::newRow("missing key") << "" << "" << false;
        QTest::newRow("empty path") << "Path" << "" << false;
        QTest::newRow("empty group") << "Group" << "" << false;
        QTest::newRow("root group") << "Group" << "/" << false;
        QTest::newRow("relative") << "Path" << "sentinel/install" << false;
        QTest::newRow("home folder") << "Path" << "@" << false;
        QTest::newRow("home folder as group") << "Group" << "@/" << false;
        QTest::newRow("dot-dot into the sentinel") << "Path" << "@/../sentinel/install" << false;
        QTest::newRow("home through a linked parent") << "Path" << "#/alias/home" << false;
        QTest::newRow("real home, HOME named through a link") << "Path" << "#/home" << true;
        QTest::newRow("the sentinel through a link") << "Path" << "@/apps" << false;
    }

    void hostileRecordsTouchNothingOutside()
    {
        QFETCH(QString, value);
        QFETCH(QString, data);
        QFETCH(bool, homeThroughLink);
        QVERIFY(m_install->install());
        link(m_home->path(), m_home->path() + "/alias");
        link(sentinel() + "/install", m_home->home() + "/apps");
        // What a careless removal would take from the home folder itself.
        for (const char* file : {".profile", "notes.txt", "Wordwell", "Wordwell.hlp", "Words/cat.wav"})
            WriteFileForTest(m_home->home() + '/' + file, file);
        const QStringList homeFiles = EntriesOf(m_home->home());
        const QByteArray words = HashOfTree(m_home->home() + "/Words");
        QDir::setCurrent(m_home->path());  // where a relative record would land
        reg::Key key;
        QCOMPARE(reg::OpenKey(reg::HKEY_LOCAL_MACHINE, record::kProductKey, &key), reg::ERROR_SUCCESS);
        if (value.isEmpty()) {
            QCOMPARE(reg::DeleteValue(key, "Path"), reg::ERROR_SUCCESS);
            QCOMPARE(reg::DeleteValue(key, "Group"), reg::ERROR_SUCCESS);
            QCOMPARE(reg::DeleteKey(reg::HKEY_LOCAL_MACHINE, record::kProductKey), reg::ERROR_SUCCESS);
        } else {
            QCOMPARE(reg::SetStringValue(key, value, expand(data)), reg::ERROR_SUCCESS);
        }
        if (homeThroughLink)
            qputenv("HOME", QFile::encodeName(m_home->path() + "/alias/home"));
        const QStringList rootBefore = EntriesOf("/");

        QVERIFY(!UninstallProduct(1));

        QCOMPARE(EntriesOf(m_home->home()), homeFiles);
        QCOMPARE(HashOfTree(m_home->home() + "/Words"), words);
        QCOMPARE(EntriesOf("/"), rootBefore);
        // The sound part of the record is still removed; the record stays for another try.
        QCOMPARE(QFileInfo::exists(m_install->installFolder + "/Wordwell.hlp"), value != "Group");
        QCOMPARE(QFileInfo::exists(m_install->groupPath + "/Wordwell.desktop"), value != "Path");
        QVERIFY(QFileInfo::exists(DesktopFolder() + "/Wordwell.desktop"));
        QVERIFY(recordKept());
    }

    void setupAcceptsOnlyWhatRidwellRemoves_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("realFolder");  // empty: refused, nothing written
        QTest::newRow("as typed") << "i" << "g" << "i";
        QTest::newRow("other letter cases") << "@/.LOCAL/share/program files/tolvane/WORDWELL"
                                            << "@/.local/SHARE/applications/TOLVANE/wordwell" << "i";
        QTest::newRow("linked levels") << "@/apps/Wordwell" << "@/menu/Wordwell" << "#/elsewhere/Wordwell";
        QTest::newRow("home folder") << "@" << "g" << "";
        QTest::newRow("home through a linked parent") << "#/alias/home" << "g" << "";
        QTest::newRow("group at home") << "i" << "@" << "";
    }

    void setupAcceptsOnlyWhatRidwellRemoves()
    {
        QFETCH(QString, folder);
        QFETCH(QString, group);
        QFETCH(QString, realFolder);
        QDir().mkpath(m_install->installFolder);
        QDir().mkpath(m_install->groupPath);
        QDir().mkpath(m_home->path() + "/elsewhere/Wordwell");
        link(m_home->path() + "/elsewhere", m_home->home() + "/apps");
        link(QFileInfo(m_install->groupPath).path(), m_home->home() + "/menu");
        link(m_home->path(), m_home->path() + "/alias");
        const QStringList homeBefore = EntriesOf(m_home->home());

        if (realFolder.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Setup: refusing"));
        const bool installed = InstallProduct(expand(folder), expand(group), false);
        QCOMPARE(installed, !realFolder.isEmpty());
        QCOMPARE(EntriesOf(m_home->home()), homeBefore);
        if (!installed) {
            QVERIFY(!recordKept());
            return;
        }
        reg::Key key;
        QCOMPARE(reg::OpenKey(reg::HKEY_LOCAL_MACHINE, record::kProductKey, &key), reg::ERROR_SUCCESS);
        QString recorded;
        QCOMPARE(reg::QueryStringValue(key, "Path", &recorded), reg::ERROR_SUCCESS);
        QCOMPARE(recorded, expand(realFolder));
        QVERIFY(QFileInfo::exists(recorded + "/Wordwell"));
        QString recordedGroup;
        QCOMPARE(reg::QueryStringValue(key, "Group", &recordedGroup), reg::ERROR_SUCCESS);
        QCOMPARE(recordedGroup, m_install->groupPath);
        // What Setup recorded, Ridwell removes whole.
        QVERIFY(UninstallProduct(1));
        QCOMPARE(EntriesOf(recorded), QStringList{});
        QVERIFY(!recordKept());
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<TestInstallation> m_install;
    std::unique_ptr<MessageBoxRecorder> m_boxes;
    QStringList m_sentinel;
};

QTEST_MAIN(TestHostileFileSystem)
#include "tst_hostilefilesystem.moc"
