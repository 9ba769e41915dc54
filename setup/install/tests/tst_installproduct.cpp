#include "common/record.h"
#include "platform/registry/registry.h"
#include "platform/shell/specialfolders.h"
#include "setup/install/installproduct.h"
#include "setup/install/recordkey.h"
#include "setup/install/shortcut.h"
#include "testsupport/desktopentrycheck.h"
#include "testsupport/filetree.h"
#include "testsupport/installmedium.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QTest>

#include <memory>

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

}  // namespace

class TestInstallProduct : public QObject {
    Q_OBJECT

    QString installFolder() const { return m_home->dataHome() + "/Program Files/Tolvane/Wordwell"; }
    QString groupPath() const { return ProgramsFolder() + "/Tolvane/Wordwell"; }

    // The values Ridwell never reads back; its round trips (uninstall/tests) show the rest.
    void verifyRegistry()
    {
        const QString folder = installFolder();
        QCOMPARE(value(reg::HKEY_LOCAL_MACHINE, "Software\\Tolvane\\Virir", "Path"), folder);
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

    // Setup run again over an installation, as a second Setup finds it: stale copies
    // and entries are replaced, read-only sources arrive writable, the record names
    // this installation.
    void installationOverAnOlderOne()
    {
        QVERIFY(QDir().mkpath(installFolder()));
        QVERIFY(QDir().mkpath(groupPath()));
        QVERIFY(InstallProduct(installFolder(), groupPath(), true));
        WriteFileForTest(installFolder() + "/Wordwell.hlp", "old help");
        WriteFileForTest(groupPath() + "/Wordwell.desktop", "[Desktop Entry]\nType=Link\nName=old\nURL=x\n");
        QFile::setPermissions(m_home->work() + "/Wordwell.hlp", QFile::ReadOwner | QFile::ReadGroup);
        QFile::setPermissions(m_home->work() + "/Wordwell", QFile::ReadOwner | QFile::ExeOwner);
        {
            reg::Key key = CreateRecordKey(reg::HKEY_LOCAL_MACHINE, record::kProductKey);
            QVERIFY(SetRecordString(key, "Path", "/somewhere/else"));
        }

        MessageBoxRecorder boxes;
        QVERIFY(InstallProduct(installFolder(), groupPath(), true));
        QCOMPARE(boxes.texts(), QStringList());
        verifyFiles();
        verifyRegistry();
        QCOMPARE(EntriesOf(groupPath()),
                 (QStringList{"Uninstall Wordwell.desktop", "Wordwell Help.desktop", "Wordwell.desktop"}));
        for (const QString& entry : EntriesOf(groupPath()))
            QCOMPARE(DesktopEntryErrors(groupPath() + '/' + entry), QString());
        // The desktop's entry is the menu's own.
        QCOMPARE(ReadFileForTest(DesktopFolder() + "/Wordwell.desktop"),
                 ReadFileForTest(groupPath() + "/Wordwell.desktop"));

        // Double-clicking a list: Wordwell's entry opens it. The desktop's types
        // are tst_uninstallproduct's, which sees them come and go.
        const QString marker = m_home->path() + "/marker";
        const QString list = m_home->work() + "/week one.spl";
        WriteFileForTest(list, QByteArray::fromHex("010003636174"));
        QCOMPARE(LaunchDesktopEntry(groupPath() + "/Wordwell.desktop", marker, {list}),
                 installFolder() + '\n' + installFolder() + "/Wordwell " + list + '\n');
        QCOMPARE(LaunchDesktopEntry(groupPath() + "/Uninstall Wordwell.desktop", marker),
                 installFolder() + '\n' + installFolder() + "/Ridwell\n");
        // The help entry starts the installed program as the help file's viewer.
        QCOMPARE(LaunchDesktopEntry(groupPath() + "/Wordwell Help.desktop", marker),
                 installFolder() + '\n' + installFolder() + "/Wordwell " + installFolder() + "/Wordwell.hlp\n");
        const QByteArray types = ReadFileForTest(m_home->dataHome() + "/mime/packages/wordwell-spelling-list.xml");
        QVERIFY(types.contains("<comment>Spelling list</comment>"));
        QVERIFY(types.contains("<comment>Spelling list with recordings</comment>"));
        // The icon those types name, in every size, each recorded.
        for (const record::ThemeIcon& icon : record::kThemeIcons) {
            const QString path = m_home->dataHome() + "/icons" + icon.relative;
            QCOMPARE(ReadFileForTest(path), MediumFileBytes(icon.source));
            QCOMPARE(value(reg::HKEY_LOCAL_MACHINE, "Software\\Tolvane\\Virir", icon.pathValue), path);
        }
    }

    // A failed step makes the outcome a failure, names itself on standard error, and
    // every other step is still done.
    void failedStepsAreReportedAndTheRestIsDone_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("missing source") << "missing source" << "^Setup: copying Ridwell " << QStringList{};
        QTest::newRow("unwritable programs folder")
            << "programs folder" << "^cannot write" << QStringList{"Save failed!", "Save failed!", "Save failed!"};
        QTest::newRow("words folder is a file") << "words folder" << "^Setup: creating the folder " << QStringList{};
        QTest::newRow("icons folder is a file") << "icons folder" << "^cannot write " << QStringList{};
    }

    void failedStepsAreReportedAndTheRestIsDone()
    {
        QFETCH(QString, fault);
        QFETCH(QString, warning);
        QFETCH(QStringList, boxes);
        // A file stands where the step needs a folder; a missing source is the medium's fault.
        const QMap<QString, QString> inTheWay{{"programs folder", ProgramsFolder()},
                                              {"words folder", installFolder() + "/words"},
                                              {"icons folder", m_home->dataHome() + "/icons"}};
        QVERIFY(QDir().mkpath(installFolder()));
        // An older installation's copy: a copy that fails must not pass for a new one.
        WriteFileForTest(installFolder() + "/Ridwell", "older");
        if (fault != "programs folder")
            QVERIFY(QDir().mkpath(groupPath()));
        if (inTheWay.contains(fault))
            WriteFileForTest(inTheWay[fault], "in the way");
        else
            QVERIFY(QFile::remove(m_home->work() + "/Ridwell"));

        MessageBoxRecorder recorder;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
        QVERIFY(!InstallProduct(installFolder(), groupPath(), true));
        QCOMPARE(recorder.texts(), boxes);

        // Every step that could run did.
        if (fault == "missing source") {
            QCOMPARE(EntriesOf(installFolder()),
                     (QStringList{"Ridwell", "Words", "Wordwell", "Wordwell.cnt", "Wordwell.hlp", "Wordwell.png",
                                  "wordwell-audio.so", "wordwell-history.so", "wordwell-print.so", "wordwell-zip.so"}));
        } else {
            verifyFiles();
        }
        if (fault != "programs folder")
            QCOMPARE(EntriesOf(groupPath()).size(), 3);
        QVERIFY(QFileInfo::exists(DesktopFolder() + "/Wordwell.desktop"));
        verifyRegistry();
        QCOMPARE(value(reg::HKEY_LOCAL_MACHINE, record::kProductKey, "ThemeIcon") == "<no value>",
                 fault == "icons folder");
    }

    // Each part of an entry that is refused has its box, and the rest is still tried.
    void shortcutReportsEachFailingCall()
    {
        const QString file = m_home->home() + "/W.desktop";
        MessageBoxRecorder recorder;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^cannot write"));
        QVERIFY(CreateShortcut("/opt/a\nb", file, "a\nb", "/opt\tx") != 0);
        QCOMPARE(recorder.texts(), (QStringList{"SetPath failed!", "SetWorkingDirectory failed!",
                                                "SetDescription failed!", "Save failed!"}));
        for (const auto& request : recorder.requests())
            QCOMPARE(request.type, 0u);
        QVERIFY(!QFileInfo::exists(file));
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_MAIN(TestInstallProduct)
#include "tst_installproduct.moc"
