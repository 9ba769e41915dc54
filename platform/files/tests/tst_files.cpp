#include "platform/files/files.h"
#include "platform/files/folderindex.h"
#include "platform/files/staging.h"
#include "testsupport/filetree.h"
#include "testsupport/isolatedhome.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <memory>

using namespace platform::files;

// The owner, group and other bits; the "user" ones say what this process may do.
constexpr QFile::Permissions kModeBits = QFile::Permissions(0x7077);

class TestFiles : public QObject {
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<IsolatedHome>(); }
    void cleanup() { m_home.reset(); }

    void nativePathResolvesEachLevelCaseBlind_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("expected");
        QTest::newRow("exact") << "Words/cat.wav" << "Words/cat.wav";
        QTest::newRow("other case") << "words/CAT.WAV" << "Words/cat.wav";
        QTest::newRow("backslashes") << "words\\Cat.wav" << "Words/cat.wav";
        QTest::newRow("missing file keeps its spelling") << "WORDS/Dog.wav" << "Words/Dog.wav";
        QTest::newRow("missing level keeps the rest") << "Other/Words/cat.wav" << "Other/Words/cat.wav";
        QTest::newRow("trailing separator") << "words\\" << "Words/";
        QTest::newRow("dot levels pass through") << "./words/../WORDS/cat.wav" << "./Words/../Words/cat.wav";
    }

    void nativePathResolvesEachLevelCaseBlind()
    {
        QFETCH(QString, given);
        QFETCH(QString, expected);
        WriteFileForTest(m_home->work() + "/Words/cat.wav", "RIFF");
        QCOMPARE(NativePath(given), expected);
        QCOMPARE(NativePath(m_home->work() + "/" + given), m_home->work() + "/" + expected);
        // The index, reading each folder once, names them alike.
        FolderIndex index;
        QCOMPARE(index.NativePath(given), expected);
        QCOMPARE(index.NativePath(m_home->work() + "/" + given), m_home->work() + "/" + expected);
    }

    void exactNameWinsOverAnotherCase()
    {
        QVERIFY(QDir().mkpath("Words"));
        QVERIFY(QDir().mkpath("words"));
        QCOMPARE(NativePath("words/x"), QString("words/x"));
        QCOMPARE(NativePath("Words/x"), QString("Words/x"));
        FolderIndex index;
        QCOMPARE(index.NativePath("words/x"), QString("words/x"));
        QCOMPARE(index.NativePath("WORDS/x"), QString("Words/x"));
        QStringList made;
        QVERIFY(index.CreateFolderPath("WORDS/x/y", &made));
        QCOMPARE(made, (QStringList{"WORDS", "WORDS/x", "WORDS/x/y"}));
        // A file where a level should be stops the path with the system's reason.
        WriteFileForTest("file", "x");
        FolderIndex fresh;
        made.clear();
        QVERIFY(!fresh.CreateFolderPath("file/x", &made));
        QCOMPARE(LastError(), ENOTDIR);
        QVERIFY(made.isEmpty());
    }

    // What cannot be made or moved fails with the system's reason; Undo still
    // takes back the move that was made.
    void stagingFailsWithTheReason()
    {
        StagingFolder staging;
        QVERIFY(!staging.Create(m_home->work() + "/missing"));
        QCOMPARE(LastError(), ENOENT);
        QVERIFY(staging.Create(m_home->work()));
        QString name;
        QVERIFY(staging.Write("new", 0644, &name));
        QVERIFY(!staging.MoveIn(name, m_home->work() + "/missing/new"));
        QCOMPARE(LastError(), ENOENT);
        QVERIFY(staging.MoveIn(name, m_home->work() + "/new"));
        staging.Undo();
        QVERIFY(!QFileInfo::exists("new"));
    }

    // A run killed half-way leaves its hidden folder; the next run takes it
    // away, but never a living run's, nor anything through a link.
    void aStagingFolderLeftByAKilledRunGoesWithTheNextRun()
    {
        const QString folder = m_home->work() + "/words";
        const QString staging = folder + "/" + StagingFolder::kPrefix;
        auto hidden = [&folder] {
            return QDir(folder, StagingFolder::kPrefix + "*").entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
        };
        WriteFileForTest(staging + "killed/0", "half");
        WriteFileForTest(m_home->path() + "/outside/keep.wav", "keep");
        QVERIFY(QFile::link(m_home->path() + "/outside/keep.wav", staging + "killed/1"));
        QVERIFY(QFile::link(m_home->path() + "/outside", staging + "linked"));
        StagingFolder living;
        QVERIFY(living.Create(folder));
        QCOMPARE(hidden().size(), 2);
        {
            StagingFolder next;
            QVERIFY(next.Create(folder));
            QString name;
            QVERIFY(next.Write("new", 0644, &name));
            QCOMPARE(hidden().size(), 3);  // the living run's, the link, and the next run's own
            QVERIFY(!hidden().contains(StagingFolder::kPrefix + "killed"));
        }
        QCOMPARE(hidden().size(), 2);
        QCOMPARE(ReadFileForTest(m_home->path() + "/outside/keep.wav"), QByteArray("keep"));
    }

    void attributes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<quint32>("expected");
        QTest::newRow("missing") << "nothing" << quint32(INVALID_FILE_ATTRIBUTES);
        QTest::newRow("file") << "file.txt" << quint32(FILE_ATTRIBUTE_NORMAL);
        QTest::newRow("folder") << "folder" << quint32(FILE_ATTRIBUTE_DIRECTORY);
        QTest::newRow("read-only file") << "readonly.txt" << quint32(FILE_ATTRIBUTE_READONLY);
        QTest::newRow("link to a folder") << "link" << quint32(FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY);
        QTest::newRow("dangling link") << "dangling" << quint32(FILE_ATTRIBUTE_REPARSE_POINT);
    }

    void attributes()
    {
        QFETCH(QString, name);
        QFETCH(quint32, expected);
        WriteFileForTest("file.txt", "x");
        WriteFileForTest("readonly.txt", "x");
        QVERIFY(QFile::setPermissions("readonly.txt", QFile::ReadOwner | QFile::ReadGroup));
        QVERIFY(QDir().mkdir("folder"));
        QVERIFY(QFile::link("folder", "link"));
        QVERIFY(QFile::link("gone", "dangling"));
        QCOMPARE(GetFileAttributes(name), expected);
    }

    // What each call refuses, with the system's reason, touching nothing: not
    // the files in the way, nor what a link leads to.
    void refusalsLeaveEverythingAsItWas_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("error");
        QTest::newRow("make: there") << "make" << "Words" << "" << EEXIST;
        QTest::newRow("make: there in another case") << "make" << "words" << "" << EEXIST;
        QTest::newRow("make: missing parent") << "make" << "missing/child" << "" << ENOENT;
        QTest::newRow("remove: holds a folder") << "remove" << "full" << "" << ENOTEMPTY;
        QTest::newRow("remove: missing") << "remove" << "gone" << "" << ENOENT;
        QTest::newRow("remove: a file") << "remove" << "file" << "" << ENOTDIR;
        QTest::newRow("remove: a link to a folder") << "remove" << "link" << "" << ENOTDIR;
        QTest::newRow("copy: missing source") << "copy" << "missing" << "copy" << ENOENT;
        QTest::newRow("copy: a folder as source") << "copy" << "folder" << "copy" << EISDIR;
        QTest::newRow("copy: a folder in the way") << "copy" << "file" << "FOLDER" << EISDIR;
        QTest::newRow("copy: a file where the folder must be") << "copy" << "file" << "file/copy" << ENOTDIR;
        QTest::newRow("copy: read-only destination") << "copy" << "file" << "readonly" << EACCES;
        QTest::newRow("copy: there, asked not to replace") << "copy new" << "file" << "READONLY" << EEXIST;
        QTest::newRow("attributes: missing") << "attributes" << "missing" << "" << ENOENT;
        QTest::newRow("attributes: a link") << "attributes" << "filelink" << "" << ELOOP;
        QTest::newRow("write: a folder") << "write" << "folder" << "" << EISDIR;
        QTest::newRow("delete: missing") << "delete" << "missing" << "" << ENOENT;
        QTest::newRow("delete: a folder") << "delete" << "Folder" << "" << EISDIR;
        QTest::newRow("find: missing folder") << "find" << "missing/*.*" << "" << ENOENT;
        QTest::newRow("find: no match") << "find" << "folder/*.wav" << "" << ENOENT;
        QTest::newRow("find: a file as folder") << "find" << "file/*.*" << "" << ENOENT;
    }

    void refusalsLeaveEverythingAsItWas()
    {
        QFETCH(QString, call);
        QFETCH(QString, path);
        QFETCH(QString, to);
        QFETCH(int, error);
        WriteFileForTest("file", "x");
        WriteFileForTest("readonly", "kept");
        QVERIFY(QFile::setPermissions("readonly", QFile::ReadOwner));
        QVERIFY(QDir().mkpath("folder"));
        QVERIFY(QDir().mkpath("full/inner"));
        QVERIFY(QDir().mkpath("Words"));
        WriteFileForTest(m_home->path() + "/outside/sentinel", "keep me");
        QVERIFY(QFile::setPermissions(m_home->path() + "/outside/sentinel", QFile::ReadOwner));
        QVERIFY(QFile::link(m_home->path() + "/outside", "link"));
        QVERIFY(QFile::link(m_home->path() + "/outside/sentinel", "filelink"));
        const QStringList before = TreeSnapshot(m_home->path());
        QList<FindEntry> entries{{"stale", 0}};
        const bool done = call == "make"         ? CreateDirectory(path)
                          : call == "remove"     ? RemoveDirectory(path)
                          : call == "copy"       ? CopyFile(path, to, false)
                          : call == "copy new"   ? CopyFile(path, to, true)
                          : call == "attributes" ? SetFileAttributes(path, FILE_ATTRIBUTE_NORMAL)
                          : call == "write"      ? WriteWholeFile(path, "mine", 0644)
                          : call == "delete"     ? DeleteFile(path)
                                                 : FindFiles(path, &entries);
        QVERIFY(!done);
        QCOMPARE(LastError(), error);
        QVERIFY(!LastErrorText().isEmpty());
        QVERIFY(entries.isEmpty() == (call == "find"));
        QCOMPARE(TreeSnapshot(m_home->path()), before);
    }

    void foldersAreMadeAndRemovedInAnyCase()
    {
        QVERIFY(CreateDirectory("Words"));
        QVERIFY(CreateDirectory("WORDS\\Inner"));
        QVERIFY(QFileInfo("Words/Inner").isDir());
        QVERIFY(RemoveDirectory("words/INNER"));
        QVERIFY(RemoveDirectory("WORDS"));
        QCOMPARE(EntriesOf("."), QStringList());
    }

    void copyFileKeepsBytesAndPermissionsAndReplacesInItsOwnCase()
    {
        const QByteArray bytes("\x7f" "ELF program bytes\0\x01", 21);
        WriteFileForTest("Wordwell", bytes);
        QVERIFY(QFile::setPermissions("Wordwell", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(QDir().mkdir("install"));
        QVERIFY(CopyFile("Wordwell", "install\\Wordwell", false));
        QCOMPARE(ReadFileForTest("install/Wordwell"), bytes);
        QVERIFY(QFileInfo("install/Wordwell").isExecutable());

        WriteFileForTest("new", "new bytes");
        WriteFileForTest("Old", "old bytes");
        QVERIFY(CopyFile("new", "old", false));
        // No second file appears.
        QCOMPARE(ReadFileForTest("Old"), QByteArray("new bytes"));
        QCOMPARE(EntriesOf("."), QStringList({"Old", "Wordwell", "install", "new"}));
    }

    void setFileAttributesTogglesReadOnly()
    {
        WriteFileForTest("f", "x");
        QVERIFY(SetFileAttributes("F", FILE_ATTRIBUTE_READONLY));
        QCOMPARE(GetFileAttributes("f"), quint32(FILE_ATTRIBUTE_READONLY));
        QVERIFY(SetFileAttributes("f", FILE_ATTRIBUTE_NORMAL));
        QCOMPARE(GetFileAttributes("f"), quint32(FILE_ATTRIBUTE_NORMAL));
        QVERIFY(QFileInfo("f").permission(QFile::WriteOwner));
    }

    void writeWholeFileReplacesALink()
    {
        WriteFileForTest(m_home->path() + "/outside", "keep me");
        QVERIFY(QFile::link(m_home->path() + "/outside", "entry"));
        QVERIFY(WriteWholeFile("ENTRY", "mine", 0750));
        QVERIFY(!QFileInfo("entry").isSymLink());
        QCOMPARE(ReadFileForTest("entry"), QByteArray("mine"));
        QCOMPARE(QFileInfo("entry").permissions() & kModeBits, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                                 | QFile::ReadGroup | QFile::ExeGroup);
        QCOMPARE(ReadFileForTest(m_home->path() + "/outside"), QByteArray("keep me"));
        QCOMPARE(EntriesOf("."), QStringList{"entry"});
    }

    void deleteFileRemovesTheNameInAnyCaseAndLinksButNotWhatTheyLeadTo()
    {
        WriteFileForTest("Cat.wav", "x");
        QVERIFY(DeleteFile("cat.WAV"));
        WriteFileForTest(m_home->path() + "/outside/sentinel", "keep me");
        QVERIFY(QFile::link(m_home->path() + "/outside", "to-folder"));
        QVERIFY(QFile::link(m_home->path() + "/outside/sentinel", "to-file"));
        QVERIFY(DeleteFile("to-folder"));
        QVERIFY(DeleteFile("to-file"));
        QCOMPARE(EntriesOf("."), QStringList());
        QCOMPARE(ReadFileForTest(m_home->path() + "/outside/sentinel"), QByteArray("keep me"));
    }

    void findFiles_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("expected");
        // A folder's name ends in "/" here.
        QTest::newRow("everything") << "Words\\*.*" << QStringList{"./", "../", ".hidden", "Cat.wav", "dog.WAV", "inner/", "readme"};
        QTest::newRow("by extension, case-blind") << "WORDS/*.wav" << QStringList{"Cat.wav", "dog.WAV"};
        QTest::newRow("one name") << "words/cat.wav" << QStringList{"Cat.wav"};
    }

    void findFiles()
    {
        QFETCH(QString, pattern);
        QFETCH(QStringList, expected);
        for (const char* name : {"Words/Cat.wav", "Words/dog.WAV", "Words/readme", "Words/.hidden", "Words/inner/deep.wav"})
            WriteFileForTest(name, "x");
        QList<FindEntry> entries;
        QVERIFY(FindFiles(pattern, &entries));
        QStringList names;
        for (const FindEntry& e : entries)
            names << e.name + (e.attributes & FILE_ATTRIBUTE_DIRECTORY ? "/" : "");
        QCOMPARE(names, expected);
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
