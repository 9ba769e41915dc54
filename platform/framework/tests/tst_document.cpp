#include "platform/framework/ansitext.h"
#include "platform/framework/archive.h"
#include "platform/framework/document.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform::framework;

namespace {

void makePipe(const QString& path)
{
    QVERIFY2(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0, qPrintable(path));
}

// A file of `bytes` that holds nothing on disk (a hole): large files cost no space.
void makeSparseFile(const QString& path, qint64 bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    QVERIFY2(::ftruncate(file.handle(), bytes) == 0, qPrintable(path));
}

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
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_previousHandler);
    }

private:
    rlimit m_saved{};
    void (*m_previousHandler)(int) = nullptr;
};

}  // namespace

class TestDocument : public QObject {
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<IsolatedHome>(); }
    void cleanup() { m_home.reset(); }

    // Saving, opening and a new document through the template are tst_doctemplate's.
    void openFailuresNameTheFileAndEmptyTheDocument_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "missing.spl" << "No such file or directory";
        QTest::newRow("a folder") << "folder.spl" << "it is a folder";
        QTest::newRow("damaged") << "damaged.spl" << "damaged";
        // Neither waits for a writer nor reads without end.
        QTest::newRow("a pipe") << "pipe.spl" << "it is not a file";
        QTest::newRow("a device") << "/dev/zero" << "it is not a file";
        QTest::newRow("3 GB") << "huge.spl" << "it is too large to be a spelling list (more than 16 MB)";
        QTest::newRow("a byte too many") << "over.spl" << "it is too large to be a spelling list (more than 16 MB)";
        QTest::newRow("a link to a pipe") << "link.spl" << "it is not a file";
    }

    void openFailuresNameTheFileAndEmptyTheDocument()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QVERIFY(QDir().mkdir("folder.spl"));
        WriteFileForTest("damaged.spl", QByteArray::fromHex("05616263"));
        makePipe("pipe.spl");
        QVERIFY(QFile::link("pipe.spl", "link.spl"));
        makeSparseFile("huge.spl", qint64(3) << 30);
        makeSparseFile("over.spl", CDocument::kMaxDocumentBytes + 1);
        const QString path = name.startsWith('/') ? name : m_home->work() + "/" + name;
        MessageBoxRecorder boxes;
        BlobDoc doc;
        doc.m_blob = "previous";
        // A fault that waits for a writer on the pipe hangs here until the test times out.
        QVERIFY(!doc.OnOpenDocument(path));
        QCOMPARE(boxes.requests().size(), 1);
        QVERIFY2(boxes.texts().first().contains("\"" + path + "\": "), qPrintable(boxes.texts().first()));
        QVERIFY2(boxes.texts().first().contains(reason), qPrintable(boxes.texts().first()));
        if (name == "damaged.spl")
            QVERIFY(doc.m_blob.isEmpty());
    }

    void failedSaveLeavesThePreviousFileIntact_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("disk full") << "list.spl";
        QTest::newRow("folder in the way") << "folder.spl";
        QTest::newRow("file where the folder must be") << "list.spl/inner.spl";
        QTest::newRow("missing folder") << "nowhere/list.spl";
    }

    void failedSaveLeavesThePreviousFileIntact()
    {
        QFETCH(QString, target);
        const QByteArray previous = QByteArray::fromHex("0500") + "small";
        WriteFileForTest("list.spl", previous);
        QVERIFY(QDir().mkdir("folder.spl"));
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
        QCOMPARE(boxes.requests().size(), 1);
        QVERIFY2(boxes.texts().first().startsWith("Unable to save \"" + m_home->work() + "/" + target + "\": "),
                 qPrintable(boxes.texts().first()));
        QCOMPARE(ReadFileForTest("list.spl"), previous);
        QVERIFY(QFileInfo("folder.spl").isDir());
        // No temporary file is left behind.
        QStringList left = QDir(".").entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        left.sort();
        QCOMPARE(left, QStringList({"folder.spl", "list.spl"}));
    }

    void saveModifiedAsks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("proceed");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("chosen");  // the name Save As gives; empty: cancelled
        QTest::newRow("yes saves") << int(IDYES) << true << true << "chosen.spl";
        QTest::newRow("yes, save as cancelled") << int(IDYES) << false << false << "";
        QTest::newRow("no discards") << int(IDNO) << true << false << "chosen.spl";
        QTest::newRow("cancel stops") << int(IDCANCEL) << false << false << "chosen.spl";
    }

    void saveModifiedAsks()
    {
        QFETCH(int, answer);
        QFETCH(bool, proceed);
        QFETCH(bool, saved);
        QFETCH(QString, chosen);
        MessageBoxRecorder boxes;
        BlobDoc doc;
        QVERIFY(doc.SaveModified());
        QVERIFY(boxes.requests().isEmpty());

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

    // The smaller counts and lengths, cut files and text are the list codec's
    // vectors (tst_wordwelldoc); these are the escapes no list there reaches.
    // Each archive is a count and one word.
    void largeCountsAndLengthsEscape_data()
    {
        QTest::addColumn<quint32>("count");
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("prefix");
        QTest::newRow("the largest count") << 0xFFFFFFFFu << 0 << QByteArray::fromHex("ffffffffffff" "00");
        QTest::newRow("65533") << 1u << 65533 << QByteArray::fromHex("0100" "fffdff");
        QTest::newRow("65534 escapes to 32 bits") << 1u << 65534 << QByteArray::fromHex("0100" "fffffffeff0000");
    }

    void largeCountsAndLengthsEscape()
    {
        QFETCH(quint32, count);
        QFETCH(int, length);
        QFETCH(QByteArray, prefix);
        const QByteArray word(length, 'w');
        QByteArray stored;
        CArchive out(&stored);
        out.WriteCount(count);
        out.WriteString(word);
        QCOMPARE(stored.left(prefix.size()).toHex(), prefix.toHex());
        QCOMPARE(stored.size(), prefix.size() + length);

        CArchive in{QByteArrayView(stored)};
        QCOMPARE(in.ReadCount(), count);
        QCOMPARE(in.ReadString(), word);
        QCOMPARE(in.BytesLeft(), 0);
    }

    void ansiTextDecode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("utf8");
        QTest::newRow("ASCII") << QByteArray("cat") << QString("cat") << true;
        QTest::newRow("empty") << QByteArray() << QString() << true;
        QTest::newRow("UTF-8 two bytes") << QByteArray("caf\xc3\xa9") << QString::fromUtf8("café") << true;
        QTest::newRow("UTF-8 four bytes") << QByteArray("\xf0\x9f\x90\x88") << QString::fromUtf8("🐈") << true;
        QTest::newRow("1252 euro and quotes") << QByteArray("\x80\x93\x94") << QString::fromUtf8("€“”") << false;
        QTest::newRow("1252 unassigned byte") << QByteArray("\x81") << QString(QChar(0x81)) << false;
        QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << QString::fromUtf8("À¯") << false;
        QTest::newRow("encoded surrogate") << QByteArray("\xed\xa0\x80") << QString::fromUtf8("í\u00a0€") << false;
        QTest::newRow("cut sequence") << QByteArray("a\xc3") << QString::fromUtf8("aÃ") << false;
        QTest::newRow("past U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << QString::fromUtf8("ô\u0090€€") << false;
        QTest::newRow("NUL byte") << QByteArray("a\0b", 3) << QString::fromUtf8("a\0b", 3) << true;
    }

    void ansiTextDecode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(bool, utf8);
        QCOMPARE(IsValidUtf8(bytes), utf8);
        QCOMPARE(DecodeAnsi(bytes), text);
        // Whatever was read is saved as UTF-8 and reads back the same.
        QCOMPARE(DecodeAnsi(EncodeAnsi(text)), text);
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_MAIN(TestDocument)
#include "tst_document.moc"
