#include "platform/framework/ansitext.h"
#include "platform/framework/archive.h"
#include "platform/framework/commandline.h"
#include "platform/framework/document.h"
#include "platform/framework/progresspace.h"
#include "platform/framework/recentfiles.h"
#include "platform/framework/winapp.h"
#include "platform/registry/registry.h"
#include "testsupport/filetree.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"

#include <QDir>
#include <QFile>
#include <QPoint>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform::framework;
namespace reg = platform::registry;

namespace {

// A document holding one length-prefixed blob.
class BlobDoc : public CDocument {
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar.WriteString(m_blob);
        else
            m_blob = ar.ReadString();
    }
    void DeleteContents() override { m_blob.clear(); }

    QByteArray m_blob;
};

// Files may not grow past `bytes` while it lives: a full disk, even for root.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes) : previousHandler(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limit{bytes, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }
    rlimit saved{};
    void (*previousHandler)(int);
};

}  // namespace

class TestDocument : public QObject {
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<IsolatedHome>(); }
    void cleanup() { m_home.reset(); }

    // Saving, opening and a new document through the template are tst_doctemplate's.
    void openFailuresNameTheFileAndEmptyTheDocument()
    {
        QVERIFY(QDir().mkdir("folder.spl"));
        WriteFileForTest("damaged.spl", QByteArray::fromHex("05616263"));
        QCOMPARE(::mkfifo("pipe.spl", 0600), 0);
        QVERIFY(QFile::link("pipe.spl", "link.spl"));
        // Holes: large files that cost no space.
        WriteFileForTest("huge.spl", {});
        QCOMPARE(::truncate("huge.spl", qint64(3) << 30), 0);
        WriteFileForTest("over.spl", {});
        QCOMPARE(::truncate("over.spl", CDocument::kMaxDocumentBytes + 1), 0);
        const QString tooLarge = "it is too large to be a spelling list (more than 16 MB)";
        const QList<QPair<QString, QString>> rows{
            {"missing.spl", "No such file or directory"}, {"folder.spl", "it is a folder"}, {"damaged.spl", "damaged"},
            {"pipe.spl", "it is not a file"}, {"/dev/zero", "it is not a file"}, {"huge.spl", tooLarge},
            {"over.spl", tooLarge}, {"link.spl", "it is not a file"}};
        for (const auto& [name, reason] : rows) {
            const QString path = name.startsWith('/') ? name : m_home->work() + "/" + name;
            MessageBoxRecorder boxes;
            BlobDoc doc;
            doc.m_blob = "previous";
            // A pipe or device must not block or read without end: a fault hangs here until the test times out.
            QVERIFY(!doc.OnOpenDocument(path));
            QCOMPARE(boxes.requests().size(), 1);
            QVERIFY2(boxes.texts().first().contains("\"" + path + "\": ") && boxes.texts().first().contains(reason),
                     qPrintable(boxes.texts().first()));
            QCOMPARE(doc.m_blob.isEmpty(), name == "damaged.spl");
        }
    }

    void failedSaveLeavesThePreviousFileIntact()
    {
        WriteFileForTest("list.spl", QByteArray::fromHex("0500") + "small");
        QVERIFY(QDir().mkdir("folder.spl"));
        const QStringList before = TreeSnapshot(m_home->work());
        // A full disk, a folder in the way, a file where the folder must be, a missing folder.
        for (const QString target : {"list.spl", "folder.spl", "list.spl/inner.spl", "nowhere/list.spl"}) {
            MessageBoxRecorder boxes;
            BlobDoc doc;
            doc.m_blob = QByteArray(64 * 1024, 'x');
            doc.SetModifiedFlag();
            {
                FileSizeLimit limit(4096);
                QVERIFY(!doc.DoSave(m_home->work() + "/" + target));
            }
            QVERIFY(doc.IsModified());
            QVERIFY(doc.GetPathName().isEmpty());
            QCOMPARE(boxes.texts().size(), 1);
            QVERIFY2(boxes.texts().first().startsWith("Unable to save \"" + m_home->work() + "/" + target + "\": "),
                     qPrintable(boxes.texts().first()));
            // No temporary file is left behind.
            QCOMPARE(TreeSnapshot(m_home->work()), before);
        }
    }

    void saveModifiedAsks()
    {
        MessageBoxRecorder boxes;
        QVERIFY(BlobDoc().SaveModified());
        QVERIFY(boxes.requests().isEmpty());
        // The name Save As gives is empty when it is cancelled.
        // The answer, whether the caller goes on, whether the list is saved.
        const std::tuple<int, bool, bool, QString> rows[] = {{IDYES, true, true, "chosen.spl"},
                                                             {IDYES, false, false, ""},
                                                             {IDNO, true, false, "chosen.spl"},
                                                             {IDCANCEL, false, false, "chosen.spl"}};
        for (const auto& [answer, proceed, saved, chosen] : rows) {
            boxes.clear();
            QFile::remove("chosen.spl");
            BlobDoc doc;
            doc.m_blob = "edited";
            doc.SetModifiedFlag();
            QString proposed;
            doc.SetSaveAsPrompt([&](const QString& name) {
                proposed = name;
                return chosen.isEmpty() ? QString() : m_home->work() + "/" + chosen;
            });
            boxes.queueAnswer(answer);
            QCOMPARE(doc.SaveModified(), proceed);
            QCOMPARE(boxes.texts(), QStringList{"Save changes to Untitled?"});
            QCOMPARE(boxes.requests().first().type & MB_TYPEMASK, unsigned(MB_YESNOCANCEL));
            QCOMPARE(QDir(".").entryList(QDir::Files), saved ? QStringList{"chosen.spl"} : QStringList());
            QCOMPARE(proposed, answer == IDYES ? QString("Untitled") : QString());
            QCOMPARE(doc.IsModified(), !saved);
        }
    }

    // The smaller counts and lengths, cut files and text are the list codec's
    // vectors (tst_wordwelldoc); these are the escapes no list there reaches.
    // Each archive is a count and one word.
    void largeCountsAndLengthsEscape()
    {
        const std::tuple<quint32, int, QByteArray> rows[] = {
            {0xFFFFFFFFu, 0, QByteArray::fromHex("ffffffffffff" "00")},
            {1u, 65533, QByteArray::fromHex("0100" "fffdff")},
            {1u, 65534, QByteArray::fromHex("0100" "fffffffeff0000")}};  // escapes to 32 bits
        for (const auto& [count, length, prefix] : rows) {
            const QByteArray word(length, 'w');
            QByteArray stored;
            CArchive out(&stored);
            out.WriteCount(count);
            out.WriteString(word);
            QCOMPARE(stored.toHex(), (prefix + word).toHex());
            CArchive in{QByteArrayView(stored)};
            QCOMPARE(in.ReadCount(), count);
            QCOMPARE(in.ReadString(), word);
            QCOMPARE(in.BytesLeft(), 0);
        }
    }

    void ansiTextDecode()
    {
        // bytes, text, whether the bytes are UTF-8; the rest reads as Windows-1252.
        const std::tuple<QByteArray, QString, bool> rows[] = {
            {"cat", "cat", true},
            {{}, {}, true},
            {"caf\xc3\xa9", QString::fromUtf8("café"), true},
            {"\xf0\x9f\x90\x88", QString::fromUtf8("🐈"), true},
            {"\x80\x93\x94", QString::fromUtf8("€“”"), false},
            {"\x81", QString(QChar(0x81)), false},  // unassigned in 1252
            {"\xc0\xaf", QString::fromUtf8("À¯"), false},  // overlong slash
            {"\xed\xa0\x80", QString::fromUtf8("í\u00a0€"), false},  // encoded surrogate
            {"a\xc3", QString::fromUtf8("aÃ"), false},  // cut sequence
            {"\xf4\x90\x80\x80", QString::fromUtf8("ô\u0090€€"), false},  // past U+10FFFF
            {QByteArray("a\0b", 3), QString::fromUtf8("a\0b", 3), true},
        };
        for (const auto& [bytes, text, utf8] : rows) {
            QCOMPARE(IsValidUtf8(bytes), utf8);
            QCOMPARE(DecodeAnsi(bytes), text);
            // Whatever was read is saved as UTF-8 and reads back the same.
            QCOMPARE(DecodeAnsi(EncodeAnsi(text)), text);
        }
    }

    // "@" is a temporary root holding usr/share/wordwell; which place wins is tst_modules'.
    void helpFilePath()
    {
        const QString root = m_home->path() + '/';
        QVERIFY(QDir().mkpath(root + "packaged/usr/share/wordwell"));
        const QList<QPair<QString, QString>> rows{
            {"/opt/Tolvane/Wordwell/Wordwell", "/opt/Tolvane/Wordwell/Wordwell.hlp"},
            {"/a/Wordwell.exe", "/a/Wordwell.hlp"},
            {"/a.b/Wordwell", "/a.b/Wordwell.hlp"},
            {"@packaged/usr/bin/Wordwell", "@packaged/usr/share/wordwell/Wordwell.hlp"}};
        for (auto [program, help] : rows)
            QCOMPARE(CWinApp::HelpFilePathFor(program.replace('@', root)), help.replace('@', root));
    }

    void profileLivesUnderTheRegistryKey()
    {
        CWinApp app("Wordwell Practice");
        QCOMPARE(AfxGetApp(), &app);
        QCOMPARE(app.AppName(), QString("Wordwell Practice"));
        QCOMPARE(app.GetHelpFilePath(), QCoreApplication::applicationFilePath() + ".hlp");
        QVERIFY(!app.WriteProfileString("Section", "Entry", "before the key"));
        QCOMPARE(app.GetProfileString("Section", "Entry", "fallback"), QString("fallback"));

        app.SetRegistryKey("Tolvane");
        QCOMPARE(app.GetProfileString("Section", "Entry", "fallback"), QString("fallback"));
        QVERIFY(app.WriteProfileString("Section", "Entry", "value"));
        QCOMPARE(app.GetProfileString("Section", "Entry"), QString("value"));

        reg::Key key;
        QCOMPARE(reg::OpenKey(reg::HKEY_CURRENT_USER, "Software\\Tolvane\\Wordwell Practice\\Section", &key),
                 reg::ERROR_SUCCESS);
        QString stored;
        QCOMPARE(reg::QueryStringValue(key, "Entry", &stored), reg::ERROR_SUCCESS);
        QCOMPARE(stored, QString("value"));
    }

    // A list, none, and printing (to a printer) are tst_mainframe's, from the program's start.
    void parse()
    {
        using Info = CCommandLineInfo;
        // An absolute path that happens to look like a switch name is still a switch only when it is one.
        const std::tuple<QStringList, Info::Shell, QString, QStringList> rows[] = {
            {{"cats.spl"}, Info::FileOpen, "cats.spl", {}},
            {{"a.spl", "b.spl"}, Info::FileOpen, "a.spl", {}},
            {{"/dde"}, Info::FileDDE, "", {}},
            {{"-Embedding", "x.spl"}, Info::FileOpen, "x.spl", {}},
            {{"-verbose", "a.spl"}, Info::FileOpen, "a.spl", {"verbose"}},
            {{"/pets.spl"}, Info::FileOpen, "/pets.spl", {}},
            {{"--", "-x.spl"}, Info::FileOpen, "-x.spl", {}}};
        for (const auto& [arguments, command, file, unknown] : rows) {
            CCommandLineInfo info;
            ParseCommandLine(arguments, info);
            QCOMPARE(info.m_nShellCommand, command);
            QCOMPARE(info.m_strFileName, file);
            QCOMPARE(info.m_unknownSwitches, unknown);
        }
    }

    void abbreviatePath()
    {
        const std::tuple<QString, int, QString> rows[] = {
            {"/home/a/cats.spl", 40, "/home/a/cats.spl"},
            {"/home/teacher/lists/year two/autumn/cats.spl", 30, "/home/.../autumn/cats.spl"},
            {"/home/teacher/a-very-long-list-name.spl", 30, ".../a-very-long-list-name.spl"}};
        for (const auto& [path, maxChars, shown] : rows)
            QCOMPARE(AbbreviatePath(path, maxChars), shown);
    }

    void speaksAtAListenersPace()
    {
        // The total, the updates (done, milliseconds after the start), and the counts said.
        const std::tuple<int, QList<QPoint>, QList<int>> rows[] = {
            // Each new quarter, held back to the gap.
            {1000,
             {{100, 1000}, {250, 2000}, {260, 3500}, {300, 4500}, {500, 5000}, {510, 6600}, {520, 9700}},
             {260, 510}},
            // A long quiet says where it is.
            {1000, {{10, 9999}, {11, 10000}, {20, 15000}, {30, 20000}}, {11, 30}},
            // A word at a time is not a line a word.
            {4, {{1, 1000}, {2, 2000}, {3, 3000}}, {3}},
            // Neither the start nor the end.
            {2, {{0, 5000}, {2, 20000}}, {}}};
        for (const auto& [total, updates, said] : rows) {
            ProgressPace pace;
            QList<int> saying;
            for (const QPoint& update : updates)
                if (pace.Due(update.x(), total, update.y()))
                    saying << update.x();
            QCOMPARE(saying, said);
        }
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_MAIN(TestDocument)
#include "tst_document.moc"
