#include "platform/shell/folderchooser.h"
#include "platform/shell/specialfolders.h"
#include "testsupport/isolatedhome.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace platform::shell;

class TestSpecialFolders : public QObject {
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<IsolatedHome>(); }
    void cleanup()
    {
        SetFolderChooserHandler({});
        m_home.reset();
    }

    void foldersFollowTheSessionsSettings()
    {
        QCOMPARE(ProgramsFolder(), m_home->dataHome() + "/applications");
        QCOMPARE(DesktopFolder(), m_home->home() + "/Desktop");
        QCOMPARE(DefaultInstallFolder(), m_home->dataHome() + "/Tolvane/Wordwell");
        WriteFileForTest(m_home->configHome() + "/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
        QCOMPARE(DesktopFolder(), m_home->home() + "/Schreibtisch");
    }

    void chooserIsRootedAndNamesTheChoice_data()
    {
        QTest::addColumn<int>("root");
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("displayName");
        QTest::newRow("computer") << int(BrowseRoot::Computer) << "/opt/Tolvane/Wordwell/" << "Wordwell";
        QTest::newRow("programs, two levels down") << int(BrowseRoot::Programs) << "@/a/Games" << "Games";
        QTest::newRow("the root itself") << int(BrowseRoot::Computer) << "/" << "/";
    }

    void chooserIsRootedAndNamesTheChoice()
    {
        QFETCH(int, root);
        QFETCH(QString, picked);
        QFETCH(QString, displayName);
        picked.replace("@", ProgramsFolder());
        QString seenRoot;
        SetFolderChooserHandler([&](const QString& rootFolder, const QString& title) -> std::optional<QString> {
            seenRoot = rootFolder;
            [&] { QCOMPARE(title, QString("Choose")); }();
            return picked;
        });
        const auto choice = BrowseForFolder(nullptr, BrowseRoot(root), "Choose");
        QVERIFY(choice.has_value());
        QCOMPARE(seenRoot, BrowseRoot(root) == BrowseRoot::Computer ? QString("/") : ProgramsFolder());
        QCOMPARE(choice->path, QDir::cleanPath(picked));
        QCOMPARE(choice->displayName, displayName);
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

QTEST_MAIN(TestSpecialFolders)
#include "tst_specialfolders.moc"
