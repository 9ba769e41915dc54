#include "common/record.h"
#include "platform/files/files.h"
#include "platform/framework/messagebox.h"
#include "platform/registry/registry.h"
#include "platform/shell/specialfolders.h"
#include "practice/settings/wordwellapp.h"
#include "setup/install/installproduct.h"
#include "testsupport/desktopentrycheck.h"
#include "testsupport/filetree.h"
#include "testsupport/installmedium.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"
#include "uninstall/aboutdlg.h"
#include "uninstall/outcome.h"
#include "uninstall/removal.h"
#include "uninstall/uninstalldlg.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <memory>

namespace fw = platform::framework;
namespace reg = platform::registry;
namespace record = common::record;
using platform::shell::DesktopFolder;
using platform::shell::ProgramsFolder;

// Ridwell's removal over real installations made by Setup's procedure, its
// Uninstall dialog driven by keys, and Setup and Ridwell against a hostile file
// system: links at every name they write, links at every level of the folders
// they record, files where folders belong, ".." and other letter cases. A
// sentinel tree outside the temporary home, which nothing names, must keep every
// byte and permission through every run, and a run that could not do all its
// work must say so.
//
// In the rows "@" is the home folder, "#" the temporary folder holding it,
// "i" the install folder, "g" the group folder and "d" the desktop folder.
class TestUninstallProduct : public QObject {
    Q_OBJECT

    QString wordsFolder() const { return m_installFolder + "/Words"; }

    // Makes the folders the wizard would, then installs from the working folder.
    bool install() const
    {
        QDir().mkpath(m_installFolder);
        QDir().mkpath(m_groupPath);
        return InstallProduct(m_installFolder, m_groupPath, true);
    }

    void start()
    {
        m_dlg = std::make_unique<CUninstallDlg>();
        m_dlg->show();
        m_dlg->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_dlg.get()));
    }

    QCheckBox* removeAllBox() const { return qobject_cast<QCheckBox*>(fw::GetDlgItem(m_dlg.get(), 1000)); }
    QPushButton* cancelButton() const { return qobject_cast<QPushButton*>(fw::GetDlgItem(m_dlg.get(), 2)); }

    QString sentinel() const { return m_home->path() + "/sentinel"; }

    QString expand(QString path) const
    {
        return path.replace(QRegularExpression("^i"), m_installFolder)
            .replace(QRegularExpression("^g"), m_groupPath)
            .replace(QRegularExpression("^d"), DesktopFolder())
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
        for (const char* decoy : {"install/Words/cat.wav", "install/notes.txt", "mime/wordwell-spelling-list.xml",
                                  "icons/wordwell.png", "made/mime/packages/wordwell-spelling-list.xml",
                                  "made/mime/mime.cache", "made/icons/hicolor/128x128/apps/wordwell.png"})
            WriteFileForTest(s + '/' + decoy, QByteArray("decoy ") + decoy);
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

    // Whether HKEY_LOCAL_MACHINE holds the key.
    static bool LocalMachineKeyExists(const QString& keyPath)
    {
        reg::Key key;
        return reg::OpenKey(reg::HKEY_LOCAL_MACHINE, keyPath, &key) == reg::ERROR_SUCCESS;
    }
    bool recordKept() const { return LocalMachineKeyExists(record::kUninstallKey); }

private slots:
    void init()
    {
        m_home = std::make_unique<IsolatedHome>();
        m_installFolder = m_home->dataHome() + "/Program Files/Tolvane/Wordwell";
        m_groupPath = ProgramsFolder() + "/Tolvane/Wordwell";
        // The distribution files, and a file in the data folder, as a lived-in
        // one holds, so that folder walks stop there.
        WriteInstallMedium(m_home->work());
        WriteFileForTest(m_home->dataHome() + "/keep", "x");
        m_boxes = std::make_unique<MessageBoxRecorder>();
        plantSentinel();
    }

    void cleanup()
    {
        QCOMPARE(TreeSnapshot(sentinel()), m_sentinel);
        m_dlg.reset();
        m_boxes.reset();
        m_home.reset();
    }

    // Any counted deletion that fails fails the outcome, not only the last one; the
    // desktop entry does not count.
    void outcome_data()
    {
        QTest::addColumn<QString>("missing");  // removed before the uninstall
        QTest::addColumn<bool>("success");
        QTest::newRow("program missing, help present") << "i/Wordwell" << false;
        QTest::newRow("a menu entry missing") << "g/Wordwell Help.desktop" << false;
        QTest::newRow("no desktop entry") << "d/Wordwell.desktop" << true;
    }

    void outcome()
    {
        QFETCH(QString, missing);
        QFETCH(bool, success);
        QVERIFY(install());
        QVERIFY(QFile::remove(expand(missing)));
        QCOMPARE(UninstallProduct(0), success);
        QVERIFY(!QFileInfo::exists(DesktopFolder() + "/Wordwell.desktop"));
        QCOMPARE(OutcomeMessage(false, 0), QString("Unable to uninstall all components"));
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
        const QString cache = hicolor + "/icon-theme.cache";
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
            for (const char* tool : {"mime", "mime", "desktop"}) {
                QTest::ignoreMessage(QtWarningMsg,
                                     QRegularExpression(QString("^cannot run update-%1-database").arg(tool)));
            }
        }
        const QString list = m_home->work() + "/week.spl";
        WriteFileForTest(list, QByteArray::fromHex("010003636174"));
        const QString shared = m_home->work() + "/week.splz";
        WriteFileForTest(shared, QByteArray::fromHex("504b0506") + QByteArray(18, '\0'));
        // The install folder stays, as the running uninstaller stays in it.
        QVERIFY(QDir().mkpath(m_installFolder));
        const QStringList dataBefore = TreeSnapshot(m_home->dataHome());

        QVERIFY(install());
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

        QVERIFY(UninstallProduct(1));
        qputenv("PATH", path);
        // The data folder is as it was: what Setup added is gone with the
        // folders it made for it and the databases it generated there, and the
        // user's theme, cache, entry and desktop database are as they were.
        QCOMPARE(TreeSnapshot(m_home->dataHome()), dataBefore);
        if (theme == "cache") {
            QCOMPARE(ApplicationsFor(record::kListMimeType), QStringList{});
            QCOMPARE(ApplicationsFor("text/x-mine"), QStringList{"mine.desktop"});
        }
    }

    // The uninstaller started from the install folder with the flag set: all goes but
    // itself, subfolders and dotted names (the flag clear is wholeRoad's). The install
    // folder has 300 characters, and its first 256 name another folder holding what a
    // careless removal would take: a record value cut short would point there.
    void runningUninstallerRemovesAllButItself()
    {
        QString base = m_home->home() + '/';
        while (base.size() < 256 - 101)
            base += QString(100, u'd') + '/';
        const QString decoy = base + QString(256 - base.size(), u's');
        QCOMPARE(decoy.size(), 256);
        m_installFolder = decoy + QString(300 - decoy.size(), u'x');
        for (const char* name : {"Wordwell", "Wordwell.hlp", "notes.txt", "Words/cat.wav"})
            WriteFileForTest(decoy + '/' + name, QByteArray("sentinel ") + name);
        const QByteArray decoyBefore = HashOfTree(decoy);
        // The uninstaller Setup copies is one that runs the removal when started.
        QFile::remove(m_home->work() + "/Ridwell");
        QVERIFY(QFile::copy(WW_UNINSTALL_RUNNER, m_home->work() + "/Ridwell"));
        QVERIFY(install());
        for (const char* name : {"Words/cat.wav", "Words/.hidden", "Words/old/bird.wav", "notes.txt", ".settings",
                                 "extras/readme"})
            WriteFileForTest(m_installFolder + '/' + name, name);

        QProcess ridwell;
        ridwell.setWorkingDirectory(m_installFolder);
        ridwell.start(m_installFolder + "/Ridwell", {"1"});
        QVERIFY(ridwell.waitForFinished(60000));
        QCOMPARE(ridwell.exitStatus(), QProcess::NormalExit);
        QCOMPARE(ridwell.exitCode(), 0);

        QCOMPARE(HashOfTree(decoy), decoyBefore);
        QCOMPARE(EntriesOf(m_installFolder), (QStringList{".settings", "Ridwell", "Words", "extras"}));
        QCOMPARE(EntriesOf(wordsFolder()), (QStringList{".hidden", "old"}));
        QCOMPARE(ReadFileForTest(wordsFolder() + "/old/bird.wav"), QByteArray("Words/old/bird.wav"));
        QCOMPARE(ReadFileForTest(m_installFolder + "/extras/readme"), QByteArray("extras/readme"));
        // The group folder's empty parents go; the data folder holds more.
        QVERIFY(!QFileInfo::exists(ProgramsFolder()));
        QVERIFY(QFileInfo::exists(m_home->dataHome() + "/keep"));
        for (const QString& key : {record::kProductKey, record::kAppPathsKey, record::kUninstallKey})
            QVERIFY(!LocalMachineKeyExists(key));
        // The company key is not the product's.
        QVERIFY(LocalMachineKeyExists("Software\\Tolvane"));
    }

    // Shift+F10 opens the context menu with its one command chosen, which a
    // screen reader finds there; the command shows the About box.
    void aboutFromTheContextMenu()
    {
        start();
        QString menuHeard;
        QString shownTitle;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu || menu->actions().size() != 1)
                return;
            QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(menu);
            if (heard && heard->role() == QAccessible::PopupMenu && heard->childCount() == 1
                && heard->child(0)->state().focused)
                menuHeard = heard->text(QAccessible::Name) + '/' + heard->child(0)->text(QAccessible::Name);
            QTimer::singleShot(0, [&] {
                auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
                if (!about)
                    return;
                shownTitle = about->windowTitle();
                QTest::keyClick(about, Qt::Key_Return);
            });
            menu->actions().first()->trigger();
            menu->close();
        });
        cancelButton()->setFocus();
        QTest::keyClick(cancelButton(), Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(menuHeard, QString("Uninstall/About Uninstall..."));
        QCOMPARE(shownTitle, QString("About Uninstall"));
        QVERIFY(m_dlg->isVisible());
    }

    // Setup's procedure, a word recorded through the practice program's
    // settings, then Ridwell without and with the box ticked by keys, and
    // Enter taking the default button.
    void wholeRoad()
    {
        for (int removeAll = 0; removeAll <= 1; ++removeAll) {
            QVERIFY(install());
            {
                CWordwellApp app;
                app.EstablishSettings();
                WriteFileForTest(platform::files::NativePath(app.m_strWordsPath + "/words/cat.wav"), "RIFF cat");
            }
            QCOMPARE(EntriesOf(wordsFolder()), QStringList{"cat.wav"});

            start();
            removeAllBox()->setFocus();
            if (removeAll)
                QTest::keyClick(removeAllBox(), Qt::Key_Space);
            QTest::keyClick(removeAllBox(), Qt::Key_Return);
            QCOMPARE(m_boxes->texts().last(),
                     removeAll ? QString("removed all") : QString("Left recorded words in installed folder"));
            QCOMPARE(m_boxes->requests().last().type, 0u);
            QCOMPARE(m_dlg->result(), int(fw::IDOK));
            QCOMPARE(QFileInfo::exists(wordsFolder() + "/cat.wav"), !removeAll);
        }
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
        QTest::newRow("desktop entry") << "d/Wordwell.desktop" << "program" << true;
        QTest::newRow("list type") << "@/.local/share/mime/packages/wordwell-spelling-list.xml" << "victim" << true;
        QTest::newRow("theme icon") << "@/.local/share/icons/hicolor/128x128/apps/wordwell.png" << "victim" << true;
        QTest::newRow("desktop database") << "@/.local/share/applications/mimeinfo.cache" << "victim" << true;
        QTest::newRow("machine hive") << "@/.config/Tolvane/Registry/HKEY_LOCAL_MACHINE.ini" << "hive.ini" << false;
        QTest::newRow("user hive") << "@/.config/Tolvane/Registry/HKEY_CURRENT_USER.ini" << "hive.ini" << false;
    }

    void setupReplacesLinksAtEveryName()
    {
        QFETCH(QString, name);
        QFETCH(QString, target);
        QFETCH(bool, installed);
        name = expand(name);
        link(sentinel() + '/' + target, name);

        if (!installed)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Setup: cannot write the registry key"));
        QCOMPARE(install(), installed);
        QCOMPARE(QFileInfo(name).isSymLink(), !installed);
        QVERIFY(QFileInfo(name).isFile());
    }

    // A record Ridwell can no longer trust: a value changed, or a recorded level
    // replaced by a link into the sentinel. The untrusted folder's steps are
    // skipped, nothing outside is touched, and the record stays for another try.
    // Links below the recorded folders are not the installation's: they go as links.
    // The list types' package and the theme's icon lie outside the recorded
    // folders; Ridwell removes each only where Setup put it, and of the
    // folders on the way only those Setup made.
    void ridwellWorksOnlyInWhatItRecorded_data()
    {
        QTest::addColumn<QString>("tamper");  // "value=data", "-" for no key, a folder made first, or levels to link
        QTest::addColumn<QString>("target");  // in the sentinel, for each level
        QTest::addColumn<bool>("success");
        QTest::addColumn<QStringList>("after");  // what is there afterwards, or with "-" what is not
        const QString kept = "d/Wordwell.desktop";
        const QString gone = "-" + kept;
        // Which folders are usable is the install folder rules' (common/tests); here, one
        // refused folder and one refused group. The sound part of the record is still removed.
        const QString help = "i/Wordwell.hlp";
        const QString entry = "g/Wordwell.desktop";
        QTest::newRow("missing key") << "-" << "" << false << QStringList{kept, help, entry};
        QTest::newRow("home folder") << "Path=@" << "" << false << QStringList{kept, help, "-" + entry};
        QTest::newRow("home folder as group") << "Group=@/" << "" << false << QStringList{kept, "-" + help, entry};
        QTest::newRow("a link to the sentinel") << "Path=@/apps" << "" << false << QStringList{kept, help, "-" + entry};
        QTest::newRow("the install folder became a link") << "i" << "install" << false << QStringList{kept};
        QTest::newRow("the group folder became a link") << "g" << "group" << false << QStringList{kept};
        QTest::newRow("the words folder became a link") << "i/Words" << "install/Words" << true << QStringList{gone};
        QTest::newRow("a linked file in the words folder") << "i/Words/notes.txt" << "install/notes.txt" << true
                                                           << QStringList{gone};
        QTest::newRow("a link in the install folder") << "i/outside" << "install" << true << QStringList{gone};
        for (const char* name : {"ListType", "ThemeIcon"}) {
            const QString file = name;
            const QString kind = file == "ListType" ? "mime" : "icons";
            const QString made = "@/.local/share/" + kind;
            const QString path = made + (file == "ListType" ? "/packages/wordwell-spelling-list.xml"
                                                            : "/hicolor/128x128/apps/wordwell.png");
            const QString folder = QFileInfo(path).path();
            const QString above = QFileInfo(folder).path();
            const QStringList left{path, gone};
            QTest::addRow("%s recorded elsewhere", name) << file + "=#/sentinel/victim" << "" << false << left;
            QTest::addRow("%s became a link", name) << path << "victim" << true << QStringList{"-" + path, gone};
            QTest::addRow("%s: its folder became a link", name) << folder << kind << false << left;
            QTest::addRow("%s: the folder above existed before", name) << "mkdir " + above << "" << true
                                                                       << QStringList{"-" + path, above, gone};
            QTest::addRow("%s: the folder Setup made became a link", name) << made << "made/" + kind << false << left;
            QTest::addRow("%s: the folder Setup made recorded elsewhere", name)
                << file + "Folder=#/sentinel/made" << "" << false << left;
            // An earlier Setup recorded no folders: the file goes, they stay, as then.
            QTest::addRow("%s recorded by an earlier Setup", name) << "older record" << "" << true
                                                                   << QStringList{"-" + path, folder, gone};
        }
        // The database in the MIME folder Setup made goes, as links; what they lead to stays.
        QTest::newRow("ListType: links in the generated database")
            << "@/.local/share/mime/mime.cache @/.local/share/mime/application" << "victim made/mime" << true
            << QStringList{"-@/.local/share/mime/mime.cache", "@/.local/share/mime/application", gone};
    }

    void ridwellWorksOnlyInWhatItRecorded()
    {
        QFETCH(QString, tamper);
        QFETCH(QString, target);
        QFETCH(bool, success);
        QFETCH(QStringList, after);
        if (tamper.startsWith("mkdir "))
            QVERIFY(QDir().mkpath(expand(tamper.mid(6))));
        QVERIFY(install());
        WriteFileForTest(wordsFolder() + "/dog.wav", "RIFF dog");
        link(sentinel() + "/install", m_home->home() + "/apps");
        // What a careless removal would take from the home folder itself.
        for (const char* file : {".profile", "notes.txt", "Wordwell", "Wordwell.hlp", "Words/cat.wav"})
            WriteFileForTest(m_home->home() + '/' + file, file);
        const QStringList homeFiles = EntriesOf(m_home->home());
        const QByteArray words = HashOfTree(m_home->home() + "/Words");
        reg::Key key;
        QCOMPARE(reg::OpenKey(reg::HKEY_LOCAL_MACHINE, record::kProductKey, &key), reg::ERROR_SUCCESS);
        if (tamper == "-") {
            QCOMPARE(reg::DeleteKey(reg::HKEY_LOCAL_MACHINE, record::kProductKey), reg::ERROR_SUCCESS);
        } else if (tamper == "older record") {
            reg::DeleteValue(key, record::kListTypeFolderValue);
            reg::DeleteValue(key, record::kListTypeMediaFolderValue);
            for (const record::ThemeIcon& icon : record::kThemeIcons)
                reg::DeleteValue(key, icon.folderValue);
        } else if (tamper.contains('=')) {
            QCOMPARE(reg::SetStringValue(key, tamper.section('=', 0, 0), expand(tamper.section('=', 1))),
                     reg::ERROR_SUCCESS);
        } else if (!target.isEmpty()) {
            const QStringList targets = target.split(' ');
            for (qsizetype i = 0; i < targets.size(); ++i)
                link(sentinel() + '/' + targets[i], expand(tamper.section(' ', i, i)));
        }

        QCOMPARE(UninstallProduct(1), success);
        QCOMPARE(EntriesOf(m_home->home()), homeFiles);
        QCOMPARE(HashOfTree(m_home->home() + "/Words"), words);
        QCOMPARE(recordKept(), !success);
        if (success) {
            QCOMPARE(EntriesOf(m_installFolder), QStringList{});
            QVERIFY(!QFileInfo::exists(m_groupPath));
        }
        for (const QString& name : after) {
            const QFileInfo info(expand(name.mid(name.startsWith('-'))));
            QVERIFY2((info.isSymLink() || info.exists()) != name.startsWith('-'), qPrintable(name));
        }
    }

    // Setup records the folders as they really are, and what it recorded Ridwell
    // removes whole; a folder Ridwell would refuse is never installed into.
    void setupAcceptsOnlyWhatRidwellRemoves()
    {
        QDir().mkpath(m_groupPath);
        QDir().mkpath(m_home->path() + "/elsewhere/Wordwell");
        link(m_home->path() + "/elsewhere", m_home->home() + "/apps");
        link(QFileInfo(m_groupPath).path(), m_home->home() + "/menu");
        const QStringList homeBefore = EntriesOf(m_home->home());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Setup: refusing"));
        QVERIFY(!InstallProduct(m_home->home(), m_groupPath, false));
        QCOMPARE(EntriesOf(m_home->home()), homeBefore);
        QVERIFY(!recordKept());

        // Ridwell refuses a recorded level that is a link, so a removal that succeeds
        // shows both folders were recorded as they really are.
        QVERIFY(InstallProduct(m_home->home() + "/apps/Wordwell", m_home->home() + "/menu/Wordwell", false));
        QVERIFY(UninstallProduct(1));
        QCOMPARE(EntriesOf(m_home->path() + "/elsewhere/Wordwell"), QStringList{});
        QVERIFY(!recordKept());
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
    QString m_installFolder;
    QString m_groupPath;
    std::unique_ptr<MessageBoxRecorder> m_boxes;
    std::unique_ptr<CUninstallDlg> m_dlg;
    QStringList m_sentinel;
};

QTEST_MAIN(TestUninstallProduct)
#include "tst_uninstallproduct.moc"
