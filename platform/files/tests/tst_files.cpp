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

    void nativePathResolvesEachLevelCaseBlind()
    {
        WriteFileForTest(m_home->work() + "/Words/cat.wav", "RIFF");
        // A missing level or file keeps its spelling, and the rest; dot levels pass through.
        const QList<QPair<QString, QString>> rows{{"Words/cat.wav", "Words/cat.wav"},
                                                  {"words/CAT.WAV", "Words/cat.wav"},
                                                  {"words\\Cat.wav", "Words/cat.wav"},
                                                  {"WORDS/Dog.wav", "Words/Dog.wav"},
                                                  {"Other/Words/cat.wav", "Other/Words/cat.wav"},
                                                  {"words\\", "Words/"},
                                                  {"./words/../WORDS/cat.wav", "./Words/../Words/cat.wav"}};
        for (const auto& [given, expected] : rows) {
            QCOMPARE(NativePath(given), expected);
            QCOMPARE(NativePath(m_home->work() + "/" + given), m_home->work() + "/" + expected);
            // The index, reading each folder once, names them alike.
            FolderIndex index;
            QCOMPARE(index.NativePath(given), expected);
            QCOMPARE(index.NativePath(m_home->work() + "/" + given), m_home->work() + "/" + expected);
        }
    }

    void foldersAreMadeAndRemovedInAnyCase()
    {
        QVERIFY(CreateDirectory("Words"));
        QVERIFY(CreateDirectory("WORDS\\Inner"));
        QVERIFY(QFileInfo("Words/Inner").isDir());
        QVERIFY(RemoveDirectory("words/INNER"));
        QVERIFY(RemoveDirectory("WORDS"));
        QCOMPARE(EntriesOf("."), QStringList());
        // The exact name wins over another case.
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

    void attributesAreReadAndReadOnlyToggles()
    {
        WriteFileForTest("file.txt", "x");
        WriteFileForTest("readonly.txt", "x");
        QVERIFY(QFile::setPermissions("readonly.txt", QFile::ReadOwner | QFile::ReadGroup));
        QVERIFY(QDir().mkdir("folder"));
        QVERIFY(QFile::link("folder", "link"));
        QVERIFY(QFile::link("gone", "dangling"));
        const QList<QPair<QString, quint32>> rows{{"nothing", INVALID_FILE_ATTRIBUTES},
                                                  {"file.txt", FILE_ATTRIBUTE_NORMAL},
                                                  {"folder", FILE_ATTRIBUTE_DIRECTORY},
                                                  {"readonly.txt", FILE_ATTRIBUTE_READONLY},
                                                  {"link", FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY},
                                                  {"dangling", FILE_ATTRIBUTE_REPARSE_POINT}};
        for (const auto& [name, expected] : rows)
            QCOMPARE(GetFileAttributes(name), expected);
        QVERIFY(SetFileAttributes("FILE.txt", FILE_ATTRIBUTE_READONLY));
        QCOMPARE(GetFileAttributes("file.txt"), quint32(FILE_ATTRIBUTE_READONLY));
        QVERIFY(SetFileAttributes("file.txt", FILE_ATTRIBUTE_NORMAL));
        QVERIFY(QFileInfo("file.txt").permission(QFile::WriteOwner));
    }

    // What each call refuses, with the system's reason, touching nothing: not
    // the files in the way, nor what a link leads to.
    void refusalsLeaveEverythingAsItWas()
    {
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
        // The call, its path, where a copy goes, and the system's reason.
        const std::tuple<QString, QString, QString, int> rows[] = {
            {"make", "Words", "", EEXIST},
            {"make", "words", "", EEXIST},
            {"make", "missing/child", "", ENOENT},
            {"remove", "full", "", ENOTEMPTY},
            {"remove", "gone", "", ENOENT},
            {"remove", "file", "", ENOTDIR},
            {"remove", "link", "", ENOTDIR},
            {"copy", "missing", "copy", ENOENT},
            {"copy", "folder", "copy", EISDIR},
            {"copy", "file", "FOLDER", EISDIR},
            {"copy", "file", "file/copy", ENOTDIR},
            {"copy", "file", "readonly", EACCES},
            {"copy new", "file", "READONLY", EEXIST},
            {"attributes", "missing", "", ENOENT},
            {"attributes", "filelink", "", ELOOP},
            {"write", "folder", "", EISDIR},
            {"delete", "missing", "", ENOENT},
            {"delete", "Folder", "", EISDIR},
            {"find", "missing/*.*", "", ENOENT},
            {"find", "folder/*.wav", "", ENOENT},
            {"find", "file/*.*", "", ENOENT}};
        for (const auto& [call, path, to, error] : rows) {
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

    // Writing replaces a link, and deleting removes one in any case; what they lead to stays.
    void linksAreReplacedAndDeletedButNotWhatTheyLeadTo()
    {
        WriteFileForTest(m_home->path() + "/outside/sentinel", "keep me");
        QVERIFY(QFile::link(m_home->path() + "/outside/sentinel", "entry"));
        QVERIFY(WriteWholeFile("ENTRY", "mine", 0750));
        QVERIFY(!QFileInfo("entry").isSymLink());
        QCOMPARE(ReadFileForTest("entry"), QByteArray("mine"));
        QCOMPARE(QFileInfo("entry").permissions() & kModeBits, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                                 | QFile::ReadGroup | QFile::ExeGroup);
        QVERIFY(QFile::link(m_home->path() + "/outside", "to-folder"));
        QVERIFY(QFile::link(m_home->path() + "/outside/sentinel", "to-file"));
        QVERIFY(DeleteFile("Entry"));
        QVERIFY(DeleteFile("to-folder"));
        QVERIFY(DeleteFile("to-file"));
        QCOMPARE(EntriesOf("."), QStringList());
        QCOMPARE(ReadFileForTest(m_home->path() + "/outside/sentinel"), QByteArray("keep me"));
    }

    void findFiles()
    {
        for (const char* name : {"Words/Cat.wav", "Words/dog.WAV", "Words/readme", "Words/.hidden", "Words/inner/deep.wav"})
            WriteFileForTest(name, "x");
        // A folder's name ends in "/" here.
        const QList<QPair<QString, QStringList>> rows{
            {"Words\\*.*", {"./", "../", ".hidden", "Cat.wav", "dog.WAV", "inner/", "readme"}},
            {"WORDS/*.wav", {"Cat.wav", "dog.WAV"}},
            {"words/cat.wav", {"Cat.wav"}}};
        for (const auto& [pattern, expected] : rows) {
            QList<FindEntry> entries;
            QVERIFY(FindFiles(pattern, &entries));
            QStringList names;
            for (const FindEntry& e : entries)
                names << e.name + (e.attributes & FILE_ATTRIBUTE_DIRECTORY ? "/" : "");
            QCOMPARE(names, expected);
        }
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
