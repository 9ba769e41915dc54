#include "testsupport/desktopentrycheck.h"
#include "platform/shell/folderchooser.h"
#include "platform/shell/shelllink.h"
#include "platform/shell/specialfolders.h"
#include "testsupport/filetree.h"
#include "testsupport/isolatedhome.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace platform::shell;

class TestShellLink : public QObject {
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<IsolatedHome>(); }
    void cleanup()
    {
        SetFolderChooserHandler({});
        m_home.reset();
    }

    // A plain folder is tst_installproduct's, which launches what it installed;
    // here the folder's name holds what a shell or the launcher would read.
    void programEntryStartsTheProgramInItsFolder()
    {
        const QString folder = m_home->home() + "/ a$HOME `x` \"q\" 'y' & b; c # d";
        QVERIFY(QDir().mkpath(folder));
        WriteMarkerProgram(folder + "/Wordwell");
        CShellLink link;
        QCOMPARE(link.SetPath(folder + "/Wordwell"), S_OK);
        QCOMPARE(link.SetWorkingDirectory(folder), S_OK);
        const QString entry = m_home->dataHome() + "/applications/Wordwell.desktop";
        QVERIFY(QDir().mkpath(m_home->dataHome() + "/applications"));
        QCOMPARE(link.Save(entry), S_OK);
        QCOMPARE(DesktopEntryErrors(entry), QString());
        const QString marker = m_home->path() + "/marker";
        QCOMPARE(LaunchDesktopEntry(entry, marker), folder + '\n' + folder + "/Wordwell\n");
        QVERIFY(QFileInfo(entry).isExecutable());
    }

    // Saving needs a target and a folder to save in.
    void documentEntryIsALink()
    {
        const QString folder = m_home->home() + "/Program Files/Word%well";
        const QString entry = m_home->home() + "/Wordwell Help.desktop";
        CShellLink link;
        QCOMPARE(link.Save(entry), E_INVALIDARG);
        QCOMPARE(link.SetPath(folder + "\\Wordwell.hlp"), S_OK);
        QCOMPARE(link.SetWorkingDirectory(folder), S_OK);
        QCOMPARE(link.SetDescription("Wordwell Help"), S_OK);
        QCOMPARE(link.Save(m_home->home() + "/missing/Wordwell.desktop"), STG_E_CANTSAVE);
        QVERIFY(!link.ErrorString().isEmpty());
        QCOMPARE(EntriesOf(m_home->home()), QStringList({".config", ".local"}));
        QCOMPARE(link.Save(entry), S_OK);
        QCOMPARE(DesktopEntryErrors(entry), QString());
        const QString expected = "[Desktop Entry]\nType=Link\nVersion=1.0\nName=Wordwell Help\n"
                                 "Comment=Wordwell Help\nURL=file://"
                                 + m_home->home() + "/Program%20Files/Word%25well/Wordwell.hlp\n";
        QCOMPARE(QString::fromUtf8(ReadFileForTest(entry)), expected);
    }

    void programEntryText()
    {
        CShellLink link;
        QCOMPARE(link.SetPath("/opt/a b/100% Wor\"d"), S_OK);
        QCOMPARE(link.SetWorkingDirectory("/opt/a b"), S_OK);
        QCOMPARE(link.SetDescription("Uninstall Wordwell"), S_OK);
        QCOMPARE(link.SetIconLocation("/opt/a b/Wordwell.png"), S_OK);
        // The backslash before the quote is itself escaped in the file, and a
        // percent sign is doubled so that it is no field code. (GLib's launcher
        // looks for such a program without undoubling, so this row is not launched.)
        QCOMPARE(link.EntryText("Uninstall Wordwell"),
                 QString("[Desktop Entry]\nType=Application\nVersion=1.0\nName=Uninstall Wordwell\n"
                         "Comment=Uninstall Wordwell\nExec=\"/opt/a b/100%% Wor\\\\\"d\"\nPath=/opt/a b\n"
                         "Terminal=false\nStartupWMClass=100% Wor\"d\nIcon=/opt/a b/Wordwell.png\n"));
        // A program that opens file types is handed the file and declares them.
        QCOMPARE(link.SetMimeTypes({"application/x-a", "application/x-b"}), S_OK);
        QVERIFY(link.EntryText("x").contains("Exec=\"/opt/a b/100%% Wor\\\\\"d\" %f\n"));
        QVERIFY(link.EntryText("x").contains("\nMimeType=application/x-a;application/x-b;\n"));
        // A document's entry starts the program that opens it: the windows are that program's.
        CShellLink help;
        QCOMPARE(help.SetPath("/opt/a b/Wordwell.hlp"), S_OK);
        QCOMPARE(help.SetOpenWith("/opt/a b/Wordwell"), S_OK);
        QVERIFY(help.EntryText("x").contains("\nStartupWMClass=Wordwell\n"));
    }

    // A type is one item of the entry's list.
    void settersRefuseWhatAnEntryCannotHold()
    {
        CShellLink link;
        QCOMPARE(link.SetPath(""), E_INVALIDARG);
        QCOMPARE(link.SetWorkingDirectory("/opt/a\tb"), E_INVALIDARG);
        QCOMPARE(link.SetDescription("a\r\nb"), E_INVALIDARG);
        QCOMPARE(link.SetIconLocation("/opt/\x1b.png"), E_INVALIDARG);
        QCOMPARE(link.SetMimeTypes({"application/x-ok", "text/a;text/b"}), E_INVALIDARG);
        QCOMPARE(link.SetMimeTypes({"application/x-ok", ""}), E_INVALIDARG);
        QVERIFY(!link.EntryText("x").contains(u'\r'));
        QVERIFY(!link.EntryText("x").contains("MimeType"));
    }

    void foldersFollowTheSessionsSettings()
    {
        QCOMPARE(ProgramsFolder(), m_home->dataHome() + "/applications");
        QCOMPARE(DesktopFolder(), m_home->home() + "/Desktop");
        QCOMPARE(DefaultInstallFolder(), m_home->dataHome() + "/Tolvane/Wordwell");
        WriteFileForTest(m_home->configHome() + "/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
        QCOMPARE(DesktopFolder(), m_home->home() + "/Schreibtisch");
    }

    // A group two levels down the programs folder is tst_setupwizard's.
    void chooserIsRootedAndNamesTheChoice()
    {
        QString picked = "/opt/Tolvane/Wordwell/";
        QString asked;
        SetFolderChooserHandler([&](const QString& rootFolder, const QString& title) -> std::optional<QString> {
            asked = rootFolder + " " + title;
            return picked;
        });
        auto choice = BrowseForFolder(nullptr, BrowseRoot::Computer, "Choose");
        QCOMPARE(asked, QString("/ Choose"));
        QCOMPARE(choice->path, QString("/opt/Tolvane/Wordwell"));
        QCOMPARE(choice->displayName, QString("Wordwell"));
        picked = "/";
        choice = BrowseForFolder(nullptr, BrowseRoot::Computer, "Choose");
        QCOMPARE(choice->displayName, QString("/"));
    }

    void realDialogOpensAtTheRootWithTheTitle()
    {
        QVERIFY(QDir().mkpath(ProgramsFolder()));
        QString title;
        QString folder;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            title = dialog->windowTitle();
            folder = dialog->directory().absolutePath();
            dialog->reject();
        });
        QVERIFY(!BrowseForFolder(nullptr, BrowseRoot::Programs, "Choose a Program Group").has_value());
        QCOMPARE(title, QString("Choose a Program Group"));
        QCOMPARE(folder, ProgramsFolder());
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_MAIN(TestShellLink)
#include "tst_shelllink.moc"
