#include "common/record.h"
#include "platform/files/files.h"
#include "platform/registry/registry.h"
#include "platform/shell/specialfolders.h"
#include "setup/install/installproduct.h"
#include "setup/install/recordkey.h"
#include "setup/install/shortcut.h"
#include "testsupport/desktopentrycheck.h"
#include "testsupport/installmedium.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QTest>

#include <memory>
#include <tuple>

namespace reg = platform::registry;
namespace record = common::record;
using platform::shell::DesktopFolder;
using platform::shell::ProgramsFolder;

namespace {

QString value(const reg::Key& root, const QString& keyPath, const QString& name)
{
    reg::Key key;
    if (reg::OpenKey(root, keyPath, &key) != reg::ERROR_SUCCESS)
        return QStringLiteral("<no key>");
    QString data;
    if (reg::QueryStringValue(key, name, &data) != reg::ERROR_SUCCESS)
        return QStringLiteral("<no value>");
    return data;
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

}  // namespace

class TestInstallProduct : public QObject {
    Q_OBJECT

    QString installFolder() const { return m_home->dataHome() + "/Program Files/Tolvane/Wordwell"; }
    QString groupPath() const { return ProgramsFolder() + "/Tolvane/Wordwell"; }
    QString themeIcon() const { return m_home->dataHome() + "/icons/hicolor/128x128/apps/wordwell.png"; }

    // The folders the wizard makes before Finish.
    void makeWizardFolders()
    {
        QVERIFY(QDir().mkpath(installFolder()));
        QVERIFY(QDir().mkpath(groupPath()));
    }

    void verifyRegistry(bool themeIconRecorded = true)
    {
        const QString folder = installFolder();
        QCOMPARE(value(reg::HKEY_LOCAL_MACHINE, "Software\\Tolvane\\Virir", "Path"), folder);
        QCOMPARE(value(reg::HKEY_LOCAL_MACHINE, "Software\\Tolvane\\Virir", "Group"), groupPath());
        QCOMPARE(value(reg::HKEY_LOCAL_MACHINE, "Software\\Tolvane\\Virir", "ListType"),
                 m_home->dataHome() + "/mime/packages/wordwell-spelling-list.xml");
        QCOMPARE(value(reg::HKEY_LOCAL_MACHINE, "Software\\Tolvane\\Virir", "ThemeIcon"),
                 themeIconRecorded ? themeIcon() : QString("<no value>"));
        // The folders Setup made for them, the outermost of each chain.
        QCOMPARE(value(reg::HKEY_LOCAL_MACHINE, "Software\\Tolvane\\Virir", "ListTypeFolder"),
                 m_home->dataHome() + "/mime");
        QCOMPARE(value(reg::HKEY_LOCAL_MACHINE, "Software\\Tolvane\\Virir", "ThemeIconFolder"),
                 themeIconRecorded ? m_home->dataHome() + "/icons" : QString("<no value>"));
        QCOMPARE(value(reg::HKEY_CURRENT_USER, "Software\\Tolvane\\Wordwell Practice\\WordsPath", "Path"), folder);
        const QString appPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Wordwell.exe";
        QCOMPARE(value(reg::HKEY_LOCAL_MACHINE, appPaths, ""), folder + "/Wordwell");
        QCOMPARE(value(reg::HKEY_LOCAL_MACHINE, appPaths, "Path"), folder);
        const QString uninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\WordwellPractice";
        QCOMPARE(value(reg::HKEY_LOCAL_MACHINE, uninstall, "DisplayName"), QString("Wordwell Practice"));
        QCOMPARE(value(reg::HKEY_LOCAL_MACHINE, uninstall, "UninstallString"), folder + "/Ridwell");
    }

    void verifyFiles()
    {
        for (const record::InstalledFile& file : record::kInstalledFiles) {
            const QString path = installFolder() + file.destination;
            QCOMPARE(ReadFileForTest(path), MediumFileBytes(file.source));
            const QFileInfo info(path);
            QVERIFY2(info.permissions().testFlag(QFile::WriteOwner), qPrintable(path));
            QCOMPARE(info.isExecutable(), !file.source.contains(u'.'));
        }
    }

private slots:
    void init()
    {
        m_home = std::make_unique<IsolatedHome>();
        WriteInstallMedium(m_home->work());
    }
    void cleanup() { m_home.reset(); }

    void fullInstallation_data()
    {
        QTest::addColumn<bool>("desktop");
        QTest::newRow("menu entries only") << false;
        QTest::newRow("with the desktop entry") << true;
    }

    void fullInstallation()
    {
        QFETCH(bool, desktop);
        makeWizardFolders();
        MessageBoxRecorder boxes;
        QVERIFY(InstallProduct(installFolder(), groupPath(), desktop));
        QCOMPARE(boxes.texts(), QStringList());

        verifyFiles();
        QCOMPARE(entries(installFolder()),
                 (QStringList{"Ridwell", "Wordwell", "Wordwell.cnt", "Wordwell.hlp", "Wordwell.png", "wordwell-audio.so",
                              "wordwell-history.so", "wordwell-print.so", "wordwell-zip.so"}));
        QVERIFY(QFileInfo(installFolder() + "/Words").isDir());
        QCOMPARE(entries(groupPath()),
                 (QStringList{"Uninstall Wordwell.desktop", "Wordwell Help.desktop", "Wordwell.desktop"}));
        QCOMPARE(entries(DesktopFolder()), desktop ? QStringList{"Wordwell.desktop"} : QStringList{});
        verifyRegistry();

        QStringList written{groupPath() + "/Wordwell.desktop", groupPath() + "/Wordwell Help.desktop",
                            groupPath() + "/Uninstall Wordwell.desktop"};
        if (desktop)
            written << DesktopFolder() + "/Wordwell.desktop";
        for (const QString& entry : written)
            QCOMPARE(DesktopEntryErrors(entry), QString());

        const QString marker = m_home->path() + "/marker";
        const QString started = installFolder() + '\n' + installFolder() + "/Wordwell\n";
        QCOMPARE(LaunchDesktopEntry(groupPath() + "/Wordwell.desktop", marker), started);
        QCOMPARE(LaunchDesktopEntry(groupPath() + "/Uninstall Wordwell.desktop", marker),
                 installFolder() + '\n' + installFolder() + "/Ridwell\n");
        if (desktop)
            QCOMPARE(LaunchDesktopEntry(DesktopFolder() + "/Wordwell.desktop", marker), started);
        // Double-clicking a list or a list with its recordings (a zip archive,
        // here an empty one): Wordwell's entry opens it. The desktop's types are
        // tst_uninstallproduct's, which sees them come and go.
        const QString list = m_home->work() + "/week one.spl";
        WriteFileForTest(list, QByteArray::fromHex("010003636174"));
        const QString shared = m_home->work() + "/week one.splz";
        WriteFileForTest(shared, QByteArray::fromHex("504b0506") + QByteArray(18, '\0'));
        for (const auto& [file, type, comment] :
             {std::tuple{list, "application/x-wordwell-spelling-list", "Spelling list"},
              std::tuple{shared, "application/x-wordwell-recorded-list", "Spelling list with recordings"}}) {
            QCOMPARE(LaunchDesktopEntry(groupPath() + "/Wordwell.desktop", marker, {file}),
                     installFolder() + '\n' + installFolder() + "/Wordwell " + file + '\n');
            QVERIFY(ReadFileForTest(m_home->dataHome() + "/mime/" + type + ".xml")
                        .contains("<comment>" + QByteArray(comment) + "</comment>"));
        }
        QCOMPARE(value(reg::HKEY_LOCAL_MACHINE, "Software\\Tolvane\\Virir", "DesktopDatabase"),
                 ProgramsFolder() + "/mimeinfo.cache");
        // The icon those names find, in every size, each recorded.
        for (const record::ThemeIcon& icon : record::kThemeIcons) {
            const QString path = m_home->dataHome() + "/icons" + icon.relative;
            QCOMPARE(ReadFileForTest(path), MediumFileBytes(icon.source));
            QCOMPARE(value(reg::HKEY_LOCAL_MACHINE, "Software\\Tolvane\\Virir", icon.pathValue), path);
        }
        // The help entry starts the installed program as the help file's viewer.
        QCOMPARE(LaunchDesktopEntry(groupPath() + "/Wordwell Help.desktop", marker),
                 installFolder() + '\n' + installFolder() + "/Wordwell " + installFolder() + "/Wordwell.hlp\n");
    }

    void secondInstallationReplacesEverything()
    {
        makeWizardFolders();
        QVERIFY(InstallProduct(installFolder(), groupPath(), true));
        // Stale copies and entries from an older installation.
        WriteFileForTest(installFolder() + "/Wordwell.hlp", "old help");
        WriteFileForTest(groupPath() + "/Wordwell.desktop", "[Desktop Entry]\nType=Link\nName=old\nURL=x\n");
        WriteFileForTest(m_home->work() + "/Wordwell.hlp", "new help");
        // Read-only sources arrive writable.
        QFile::setPermissions(m_home->work() + "/Wordwell.hlp", QFile::ReadOwner | QFile::ReadGroup);
        QFile::setPermissions(m_home->work() + "/Wordwell", QFile::ReadOwner | QFile::ExeOwner);
        {
            reg::Key key = CreateRecordKey(reg::HKEY_LOCAL_MACHINE, record::kProductKey);
            QVERIFY(SetRecordString(key, "Path", "/somewhere/else"));
        }

        MessageBoxRecorder boxes;
        QVERIFY(InstallProduct(installFolder(), groupPath(), true));
        QCOMPARE(boxes.texts(), QStringList());
        QCOMPARE(ReadFileForTest(installFolder() + "/Wordwell.hlp"), QByteArray("new help"));
        for (const char* name : {"/Wordwell.hlp", "/Wordwell"})
            QVERIFY(QFileInfo(installFolder() + name).permission(QFile::WriteOwner));
        QVERIFY(QFileInfo(installFolder() + "/Wordwell").isExecutable());
        QCOMPARE(DesktopEntryErrors(groupPath() + "/Wordwell.desktop"), QString());
        QVERIFY(ReadFileForTest(groupPath() + "/Wordwell.desktop").contains("Type=Application"));
        verifyRegistry();
    }

    void failedStepsAreReportedAndTheRestIsDone_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("missing source") << "missing source" << QStringList{};
        QTest::newRow("unwritable programs folder")
            << "programs folder" << QStringList{"Save failed!", "Save failed!", "Save failed!"};
        QTest::newRow("unwritable registry folder") << "registry folder" << QStringList{};
        QTest::newRow("unwritable desktop folder") << "desktop folder" << QStringList{"Save failed!"};
        QTest::newRow("install folder is a file") << "install folder" << QStringList{};
        QTest::newRow("words folder is a file") << "words folder" << QStringList{};
        QTest::newRow("icons folder is a file") << "icons folder" << QStringList{};
    }

    void failedStepsAreReportedAndTheRestIsDone()
    {
        QFETCH(QString, fault);
        QFETCH(QStringList, boxes);
        // A file stands where the step needs a folder; a missing source is the medium's fault.
        const QMap<QString, QString> inTheWay{{"install folder", installFolder()},
                                              {"programs folder", ProgramsFolder()},
                                              {"registry folder", m_home->configHome() + "/Tolvane/Registry"},
                                              {"desktop folder", DesktopFolder()},
                                              {"words folder", installFolder() + "/words"},
                                              {"icons folder", m_home->dataHome() + "/icons"}};
        if (fault != "install folder")
            QVERIFY(QDir().mkpath(installFolder()));
        if (fault != "programs folder")
            QVERIFY(QDir().mkpath(groupPath()));
        if (inTheWay.contains(fault))
            WriteFileForTest(inTheWay[fault], "in the way");
        else
            QVERIFY(QFile::remove(m_home->work() + "/Ridwell"));

        MessageBoxRecorder recorder;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Setup: |^cannot write"));
        QVERIFY(!InstallProduct(installFolder(), groupPath(), true));
        QCOMPARE(recorder.texts(), boxes);

        if (fault == "install folder") {
            // Nothing is installed for a record Ridwell could never remove.
            QCOMPARE(entries(groupPath()), QStringList{});
            QVERIFY(!QFileInfo::exists(DesktopFolder() + "/Wordwell.desktop"));
            QCOMPARE(value(reg::HKEY_LOCAL_MACHINE, record::kProductKey, "Path"), QString("<no key>"));
            return;
        }
        // Every step that could run did.
        if (fault == "missing source") {
            QCOMPARE(entries(installFolder()),
                     (QStringList{"Wordwell", "Wordwell.cnt", "Wordwell.hlp", "Wordwell.png", "wordwell-audio.so",
                              "wordwell-history.so", "wordwell-print.so", "wordwell-zip.so"}));
            QVERIFY(QFileInfo::exists(groupPath() + "/Uninstall Wordwell.desktop"));
        }
        if (fault != "programs folder")
            QCOMPARE(entries(groupPath()).size(), 3);
        if (fault != "desktop folder")
            QVERIFY(QFileInfo::exists(DesktopFolder() + "/Wordwell.desktop"));
        if (fault == "registry folder")
            QCOMPARE(value(reg::HKEY_LOCAL_MACHINE, record::kProductKey, "Path"), QString("<no key>"));
        else
            verifyRegistry(fault != "icons folder");
        if (fault != "missing source")
            verifyFiles();
    }

    void shortcutReportsEachFailingCall_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<bool>("saved");
        const QString ok = "/opt/Wordwell/Wordwell";
        QTest::newRow("target") << "/opt/a\nb" << "/opt" << "Wordwell" << "@/W.desktop"
                                << QStringList{"SetPath failed!", "Save failed!"} << false;
        QTest::newRow("working folder") << ok << "/opt\tx" << "Wordwell" << "@/W.desktop"
                                        << QStringList{"SetWorkingDirectory failed!"} << true;
        QTest::newRow("description") << ok << "/opt" << "a\nb" << "@/W.desktop"
                                     << QStringList{"SetDescription failed!"} << true;
        QTest::newRow("save") << ok << "/opt" << "Wordwell" << "@/missing/W.desktop" << QStringList{"Save failed!"}
                              << false;
        QTest::newRow("none") << ok << "/opt" << "Wordwell" << "@/W.desktop" << QStringList{} << true;
    }

    void shortcutReportsEachFailingCall()
    {
        QFETCH(QString, target);
        QFETCH(QString, folder);
        QFETCH(QString, description);
        QFETCH(QString, file);
        QFETCH(QStringList, boxes);
        QFETCH(bool, saved);
        file.replace("@", m_home->home());
        MessageBoxRecorder recorder;
        if (!saved)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^cannot write"));
        const long status = CreateShortcut(target, file, description, folder);
        QCOMPARE(recorder.texts(), boxes);
        for (const auto& request : recorder.requests())
            QCOMPARE(request.type, 0u);
        QCOMPARE(status == 0, saved);
        QCOMPARE(QFileInfo::exists(file), saved);
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_MAIN(TestInstallProduct)
#include "tst_installproduct.moc"
