// A list with its recordings as one file: exported from one home, opened in
// another; hostile archives refused with nothing written anywhere. The test
// sheet and its answer key: what each page of the PDF it saves says.
#include "handzip.h"

#include "platform/framework/archive.h"
#include "platform/framework/doctemplate.h"
#include "platform/zip/zipcodec.h"
#include "practice/document/wordlist.h"
#include "practice/document/wordwelldoc.h"
#include "practice/share/clipinstall.h"
#include "practice/share/sharecommands.h"
#include "practice/share/testsheet.h"
#include "practice/testview/testmessages.h"
#include "practice/testview/wordwellview.h"
#include "practice/ui/practiceapp.h"
#include "testsupport/filetree.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"
#include "testsupport/practice/practiceprogram.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <QXmlStreamReader>

#include <algorithm>
#include <memory>

using namespace platform::framework;
using practice::share::TestSheet;

namespace {

QByteArray listBytes(QStringList words)
{
    QByteArray bytes;
    CArchive out(&bytes);
    SerializeWordList(out, words);
    return bytes;
}

// A clip's stand-in: the archive carries bytes, whatever they sound like.
QByteArray clipBytes(const QString& word, int size = 3000)
{
    QByteArray bytes = "RIFF" + word.toUtf8();
    while (bytes.size() < size)
        bytes.append(char(bytes.size() * 7));
    return bytes;
}

}  // namespace

class TestSharedList : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_home = std::make_unique<IsolatedHome>();
        QVERIFY(StartWordwell(m_app, {}));
        m_app->m_strWordsPath = m_home->path() + "/teacher";
    }
    void cleanup()
    {
        m_app.reset();
        m_home.reset();
    }

    void aListTravelsWithItsClips()
    {
        const QStringList words{"cat", "house", "Sub\\dog", "CAT", "unrecorded"};
        doc()->m_wordList = words;
        doc()->SetTitle("animals.spl");
        const QString teacher = m_app->m_strWordsPath;
        WriteFileForTest(teacher + "/words/cat.wav", clipBytes("cat"));
        WriteFileForTest(teacher + "/words/house.wav", clipBytes("house", 200000));
        WriteFileForTest(teacher + "/words/Sub/dog.wav", clipBytes("dog"));
        const QString shared = m_home->work() + "/animals.splz";
        MessageBoxRecorder boxes;
        QVERIFY(practice::share::ExportSharedList(*doc(), shared));

        // Another teacher, another words folder, nothing in it yet, a test running.
        m_app->m_strWordsPath = m_home->path() + "/colleague";
        doc()->m_wordList = {"left", "over"};
        doc()->SetModifiedFlag(false);
        doc()->UpdateAllViews(nullptr);
        view()->OnTakeTest();
        QVERIFY(view()->m_bTesting);
        QVERIFY(practice::share::ImportSharedList(shared));
        QCOMPARE(boxes.texts(), QStringList());
        // The form greets the list as it greets one opened with Open, the test cut short.
        QVERIFY(!view()->m_bTesting);
        QCOMPARE(view()->m_nWords, 5);
        QCOMPARE(view()->m_strMessage, practice::testview::kReadyToTestMessage);
        QCOMPARE(doc()->m_wordList, words);
        QCOMPARE(doc()->GetTitle(), QString("animals"));
        QVERIFY(doc()->IsModified() && doc()->GetPathName().isEmpty());
        QCOMPARE(TreeSnapshot(m_app->m_strWordsPath + "/words"), TreeSnapshot(teacher + "/words"));
    }

    void aSharedListOnTheCommandLineOpens()
    {
        const QString shared =
            writeShared("pets", HandZip({{"pets.spl", listBytes({"cat", "dog"})}, {"words/cat.wav", clipBytes("cat")}}));
        m_app.reset();
        m_app = std::make_unique<CPracticeApp>(QStringList{shared});
        MessageBoxRecorder boxes;
        QVERIFY(m_app->InitInstance());
        QCOMPARE(boxes.texts(), QStringList());
        QCOMPARE(doc()->m_wordList, (QStringList{"cat", "dog"}));
        QCOMPARE(doc()->GetTitle(), QString("pets"));
        QCOMPARE(view()->m_strMessage, practice::testview::kReadyToTestMessage);
        // Into the words folder of the settings, read before the list is opened.
        QCOMPARE(ReadFileForTest(m_home->dataHome() + "/Tolvane/Wordwell/words/cat.wav"), clipBytes("cat"));
    }

    void aDifferentClipIsReplacedOnlyWhenTheUserSaysSo_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("replaced");
        QTest::addColumn<bool>("opens");
        QTest::newRow("yes, no, yes") << QList<int>{IDYES, IDNO, IDYES} << QStringList{"cat", "owl"} << true;
        QTest::newRow("no to all") << QList<int>{IDNOTOALL} << QStringList{} << true;
        QTest::newRow("no, then yes to all") << QList<int>{IDNO, IDYESTOALL} << QStringList{"emu", "owl"} << true;
        QTest::newRow("cancel") << QList<int>{IDCANCEL} << QStringList{} << false;
    }
    void aDifferentClipIsReplacedOnlyWhenTheUserSaysSo()
    {
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, replaced);
        QFETCH(bool, opens);
        const QString words = m_app->m_strWordsPath + "/words";
        const QStringList differing{"Cat", "emu", "owl"};
        for (const QString& word : differing)
            WriteFileForTest(words + "/" + word + ".wav", clipBytes("mine"));
        // A link where a clip goes is replaced, not written through.
        const QString outside = m_home->path() + "/outside.wav";
        WriteFileForTest(outside, clipBytes("mine"));
        QVERIFY(QFile::remove(words + "/owl.wav") && QFile::link(outside, words + "/owl.wav"));
        WriteFileForTest(words + "/dog.wav", clipBytes("dog"));
        const QString shared = writeShared(
            "shared", HandZip({{"pets.spl", listBytes({"cat", "dog", "emu", "owl", "yak"})},
                               {"words/cat.wav", clipBytes("shared")}, {"words/dog.wav", clipBytes("dog")},
                               {"words/emu.wav", clipBytes("shared")}, {"words/owl.wav", clipBytes("shared")},
                               {"words/yak.wav", clipBytes("yak")}}));
        MessageBoxRecorder boxes;
        for (int answer : answers)
            boxes.queueAnswer(answer);
        QCOMPARE(practice::share::ImportSharedList(shared), opens);
        // A question per differing clip until one for all; the same clip is left as it is.
        QCOMPARE(boxes.requests().size(), answers.size());
        QVERIFY(boxes.texts().first().contains("different recording of \"cat\""));
        for (const MessageBoxRequest& request : boxes.requests())
            QCOMPARE(request.type, unsigned(MB_YESNOALLCANCEL | MB_DEFBUTTON3 | MB_ICONQUESTION));
        for (const QString& word : differing)
            QCOMPARE(ReadFileForTest(words + "/" + word + ".wav"),
                     clipBytes(replaced.contains(word.toLower()) ? "shared" : "mine"));
        QVERIFY(!QFile::exists(words + "/cat.wav"));
        QCOMPARE(QFile::exists(words + "/yak.wav"), opens);
        QCOMPARE(ReadFileForTest(outside), clipBytes("mine"));
        QCOMPARE(QFileInfo(words + "/owl.wav").isSymLink(), !replaced.contains("owl"));
        QCOMPARE(doc()->m_wordList, (opens ? QStringList{"cat", "dog", "emu", "owl", "yak"} : QStringList{}));
    }

    // A subfolder of the clip folder that is a link may not carry a clip out of it.
    void aLinkedSubfolderLeadingOutIsRefusedWithNothingWritten_data()
    {
        QTest::addColumn<bool>("inside");
        QTest::newRow("to a folder outside") << false;
        QTest::newRow("to a folder inside") << true;
    }
    void aLinkedSubfolderLeadingOutIsRefusedWithNothingWritten()
    {
        QFETCH(bool, inside);
        const QString words = m_app->m_strWordsPath + "/words";
        const QString elsewhere = inside ? words + "/real" : m_home->path() + "/elsewhere";
        QVERIFY(QDir().mkpath(elsewhere) && QDir().mkpath(words));
        QVERIFY(QFile::link(elsewhere, words + "/sub"));
        const QString shared = writeShared("shared", HandZip({{"pets.spl", listBytes({"cat", "Sub/x"})},
                                                              {"words/cat.wav", clipBytes("cat")},
                                                              {"words/Sub/x.wav", clipBytes("x")}}));
        const QByteArray before = HashOfTree(m_home->path());
        MessageBoxRecorder boxes;
        QCOMPARE(practice::share::ImportSharedList(shared), inside);
        if (inside)
            QCOMPARE(ReadFileForTest(elsewhere + "/x.wav"), clipBytes("x"));
        else
            QCOMPARE(HashOfTree(m_home->path()), before);
        const QString leaves = "\"" + shared + "\" could not be opened: the clip of \"Sub/x\" would leave the words folder.";
        QCOMPARE(boxes.texts(), inside ? QStringList() : QStringList{leaves});
    }

    // Stopped half-way, by Cancel or by a clip that cannot go in, an import
    // leaves the words folder exactly as it was (a killed one, its hidden folder:
    // see tst_files).
    void aWriteStoppedHalfWayLeavesTheWordsFolderAsItWas_data()
    {
        QTest::addColumn<bool>("wordsFolderExists");
        QTest::addColumn<int>("cancelAt");  // clips written when Cancel comes; -1: none
        QTest::newRow("cancelled, a new words folder") << false << 150;
        QTest::newRow("cancelled before the last, replacing clips") << true << 299;
        QTest::newRow("the last clip cannot go in") << true << -1;
    }
    void aWriteStoppedHalfWayLeavesTheWordsFolderAsItWas()
    {
        QFETCH(bool, wordsFolderExists);
        QFETCH(int, cancelAt);
        const QString words = m_app->m_strWordsPath + "/words";
        practice::share::SharedList list;
        for (int i = 0; i < 300; ++i) {
            // New clips in new and old subfolders, and clips that replace others.
            const QString word = i % 3 == 0 ? QString("new%1/w").arg(i) : QString("Old/w%1").arg(i);
            list.words << word;
            list.clips.append({word, clipBytes(word)});
        }
        if (wordsFolderExists) {
            for (int i = 1; i < 300; i += 3)
                WriteFileForTest(words + QString("/old/W%1.wav").arg(i), clipBytes("mine"));
        }
        QList<practice::share::ClipPlan> plans;
        QString why;
        QVERIFY(practice::share::PlanClips(m_app->m_strWordsPath, list, &plans, &why));
        for (practice::share::ClipPlan& plan : plans)
            plan.replace = true;
        if (cancelAt < 0)
            QVERIFY(QDir().mkpath(words + "/old/w299.wav"));  // where the last clip goes, since planning
        const QByteArray before = HashOfTree(m_home->path());
        int written = 0;
        const practice::share::InstallProgress progress{[&](int done, int) { written = done; },
                                                        [&] { return written == cancelAt; }};
        QVERIFY(!practice::share::WriteClips(m_app->m_strWordsPath, plans, &why, progress));
        QCOMPARE(written, cancelAt < 0 ? 300 : cancelAt);
        QVERIFY2(cancelAt >= 0 ? why.isEmpty() : why.endsWith("/old/w299.wav\" could not be written (Is a directory)"),
                 qPrintable(why));
        QCOMPARE(HashOfTree(m_home->path()), before);
        QCOMPARE(QFileInfo::exists(words), wordsFolderExists);
    }

    void hostileArchivesAreRefusedWithNothingWritten_data()
    {
        QTest::addColumn<QByteArray>("archive");
        QTest::addColumn<QString>("because");
        const QByteArray list = listBytes({"cat", "dog"});
        const HandZipEntry good{"list.spl", list};
        const HandZipEntry cat{"words/cat.wav", clipBytes("cat")};
        auto row = [](const char* name, const QByteArray& archive, const char* because) {
            QTest::newRow(name) << archive << QString(because);
        };
        row("dot-dot in a clip", HandZip({good, {"words/../../evil.wav", "x"}}), "an entry named");
        row("absolute path", HandZip({good, {"/tmp/evil.wav", "x"}}), "an entry named");
        row("backslashes", HandZip({good, {"words\\..\\..\\evil.wav", "x"}}), "an entry named");
        row("control character", HandZip({good, {"words/c\nt.wav", "x"}}), "an entry named");
        row("link", HandZip({good, {.name = "words/cat.wav", .data = "/etc/passwd", .mode = 0120777}}),
            "is a link or a special file");
        row("device", HandZip({good, {.name = cat.name, .data = cat.data, .mode = 0020644}}), "is a link or a special file");
        row("duplicate", HandZip({good, cat, cat}), "File already exists");
        row("duplicate in another case", HandZip({good, cat, {"words/CAT.wav", clipBytes("x")}}), "twice");
        row("two lists", HandZip({good, {"other.spl", list}, cat}), "more than one list");
        row("no list", HandZip({cat}), "holds no list");
        row("a stranger", HandZip({good, {"evil.sh", "#!/bin/sh\n"}}), "neither the list nor one of its clips");
        row("a folder outside words", HandZip({good, {"bin/", {}, 040755}}), "outside words/");
        row("the clip of no word", HandZip({good, {"words/zebra.wav", "x"}}), "no word of its list");
        row("damaged list", HandZip({{"list.spl", list.left(5)}, cat}), "is damaged");
        row("larger than it claims", HandZip({good, {.name = cat.name, .data = cat.data, .declaredSize = 100}}), "CRC error");
        // Deflated, 65 MB of silence takes 64 kB: more than any clip may be.
        QString reason;
        const platform::zip::ZipCodec* codec = platform::zip::LoadZipCodec(&reason);
        QVERIFY2(codec, qPrintable(reason));
        QByteArray bomb;
        QVERIFY(codec->pack({{"list.spl", list}, {"words/cat.wav", QByteArray(65 << 20, '\0')}}, &bomb, &reason));
        row("larger than any clip", bomb, "is larger than 67108864 bytes");
        row("wrong checksum", HandZip({good, {.name = cat.name, .data = cat.data, .wrongChecksum = true}}), "CRC error");
        row("encrypted", HandZip({good, {.name = cat.name, .data = cat.data, .flags = 0x0801}}), "is encrypted");
        const QByteArray whole = HandZip({good, cat});
        row("cut short", whole.left(whole.size() - 30), "not a whole zip archive");
        row("not a zip", QByteArray(4096, 'z'), "not a whole zip archive");
        row("empty file", QByteArray(), "holds no list");
    }
    void hostileArchivesAreRefusedWithNothingWritten()
    {
        QFETCH(QByteArray, archive);
        QFETCH(QString, because);
        WriteFileForTest(m_app->m_strWordsPath + "/words/dog.wav", clipBytes("dog"));
        const QString shared = writeShared("hostile", archive);
        doc()->m_wordList = {"mine"};
        const QByteArray before = HashOfTree(m_home->path());
        MessageBoxRecorder boxes;
        QVERIFY(!practice::share::ImportSharedList(shared));
        QCOMPARE(HashOfTree(m_home->path()), before);
        QCOMPARE(boxes.requests().size(), 1);
        const QString text = boxes.texts().first();
        QVERIFY2(text.startsWith("\"" + shared + "\" could not be opened: ") && text.contains(because), qPrintable(text));
        QCOMPARE(doc()->m_wordList, QStringList{"mine"});
    }

    void aFolderIsNoSharedListAndAnExportThatCannotBeWrittenSaysWhy()
    {
        MessageBoxRecorder boxes;
        QVERIFY(!practice::share::ImportSharedList(m_home->work()));
        doc()->m_wordList = {"cat"};
        const QString target = m_home->work() + "/missing/folder/list.splz";
        QVERIFY(!practice::share::ExportSharedList(*doc(), target));
        QCOMPARE(boxes.texts(), (QStringList{"\"" + m_home->work() + "\" could not be opened: it is not a file.",
                                             "The list could not be exported to \"" + target + "\": No such file or directory."}));
    }

    // A printer's unprintable border or the user's wider margin wins over the
    // least, whatever unit the printer's page is measured in.
    void marginsAreThePagesButAtLeast15Mm()
    {
        const QPageLayout points(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                 QPageLayout::Point, QMarginsF(20 / 25.4 * 72, 0, 0, 0));
        QCOMPARE(DocumentMargins(points).toMargins(), QMargins(20, 15, 15, 15));
        const QPageLayout chosen(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0, 25, 0, 0),
                                 QPageLayout::Millimeter);
        QCOMPARE(DocumentMargins(chosen).toMargins(), QMargins(15, 25, 15, 15));
    }

    // The sheet and its key as a reader of the PDF finds them: on each sheet
    // page its title, Name and Date, then the numbers, going on from page to
    // page; then the key's pages, each number with its word, a word too long
    // for a line wrapped whole; nothing nearer an edge than 15 mm.
    void thePdfSaysWhatEachPageShould()
    {
        const QString path = m_home->work() + "/sheet.pdf";
        QStringList words{"cat", QString("abcdefghij").repeated(15)};
        for (int i = 3; i <= 60; ++i)
            words << QString("w%1").arg(i);
        QString why;
        QVERIFY(!practice::share::SaveTestSheetPdf(TestSheet("x", {"cat"}), m_home->work() + "/missing/sheet.pdf", &why));
        QCOMPARE(why, QString("No such file or directory"));
        QVERIFY(practice::share::SaveTestSheetPdf(TestSheet("Week one", words), path, &why));
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-bbox", path, "-"});
        QVERIFY2(pdftotext.waitForFinished() && pdftotext.exitCode() == 0,
                 pdftotext.readAllStandardError().constData());
        const double margin = 15 / 25.4 * 72;
        QXmlStreamReader xml(pdftotext.readAllStandardOutput());
        QSizeF page;
        QStringList pages;  // each page's words run together
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QXmlStreamAttributes a = xml.attributes();
            if (xml.name() == u"page") {
                page = QSizeF(a.value("width").toDouble(), a.value("height").toDouble());
                pages << QString();
            } else if (xml.name() == u"word") {
                const QRectF box(QPointF(a.value("xMin").toDouble(), a.value("yMin").toDouble()),
                                 QPointF(a.value("xMax").toDouble(), a.value("yMax").toDouble()));
                const QString text = xml.readElementText();
                QVERIFY2(QRectF(QPointF(margin, margin), page - QSizeF(margin, margin) * 2).contains(box), qPrintable(text));
                pages.last() += text;
            }
        }
        QString sheet, key, expectedSheet, expectedKey;
        for (int i = 1; i <= words.size(); ++i) {
            expectedSheet += QString("%1.").arg(i);
            expectedKey += QString("%1.").arg(i) + words[i - 1];
        }
        const auto isSheet = [](const QString& text) { return !text.startsWith("Weekone-"); };
        const int sheetPages = int(std::count_if(pages.begin(), pages.end(), isSheet));
        const int keyPages = int(pages.size()) - sheetPages;
        QVERIFY(sheetPages > 1 && keyPages > 1);
        for (int i = 0; i < pages.size(); ++i) {
            const bool isKey = i >= sheetPages;
            const QString heading = isKey
                                        ? QString("Weekone-AnswerKey(page%1of%2)").arg(i + 1 - sheetPages).arg(keyPages)
                                        : QString("Weekone(page%1of%2)Name:").arg(i + 1).arg(sheetPages);
            QVERIFY2(pages[i].startsWith(heading), qPrintable(pages[i]));
            // Date: is beside Name:, read after that line's numbers.
            QString rest = pages[i].mid(heading.size());
            QCOMPARE(rest.count("Date:"), isKey ? 0 : 1);
            (isKey ? key : sheet) += rest.remove("Date:");
        }
        QCOMPARE(sheet, expectedSheet);
        QCOMPARE(key, expectedKey);
    }

private:
    QString writeShared(const QString& name, const QByteArray& archive) const
    {
        const QString path = m_home->work() + "/" + name + ".splz";
        WriteFileForTest(path, archive);
        return path;
    }
    CWordwellDoc* doc() const { return DocOf(*m_app); }
    CWordwellView* view() const { return ViewOf(*m_app); }

    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<CPracticeApp> m_app;
};

QTEST_MAIN(TestSharedList)
#include "tst_sharedlist.moc"
