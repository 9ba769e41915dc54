#include "practice/document/wordwelldoc.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"

#include <QTest>
#include <QtEndian>

#include <memory>
#include <sys/resource.h>

using platform::framework::CView;

namespace {

struct CountingView : CView {
    void OnUpdate(CView*, qintptr, QObject*) override { ++m_updates; }
    int m_updates = 0;
};

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

// The most memory the process has held so far.
long peakMemoryKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

constexpr qsizetype kEmptyWords = 8'000'000;

}  // namespace

class TestWordwellDoc : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_home = std::make_unique<IsolatedHome>();
        m_doc = std::make_unique<CWordwellDoc>();
        m_doc->AddView(&m_view);
        m_view.m_updates = 0;
    }
    void cleanup()
    {
        m_doc.reset();
        m_home.reset();
    }

    void savedBytes_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty list") << QStringList() << hex("0000");
        QTest::newRow("cat, house") << QStringList{"cat", "house"} << hex("0200036361740568 6f757365");
        QTest::newRow("254 bytes") << QStringList{QString(254, u'a')} << hex("0100fe") + QByteArray(254, 'a');
        QTest::newRow("255 bytes") << QStringList{QString(255, u'b')} << hex("0100ffff00") + QByteArray(255, 'b');
        QTest::newRow("UTF-8 word") << QStringList{QString::fromUtf8("zoë")} << hex("0100047a6fc3ab");
        QTest::newRow("empty word") << QStringList{""} << hex("010000");
        // Counts from 65535 on take the escape.
        const std::pair<int, const char*> escaped[]{{65534, "feff"}, {65535, "ffffffff0000"}, {70000, "ffff70110100"}};
        for (const auto& [count, prefix] : escaped)
            QTest::addRow("%d words", count)
                << QStringList(count, "7") << hex(prefix) + QByteArray("\x01" "7").repeated(count);
    }

    void savedBytes()
    {
        QFETCH(QStringList, words);
        QFETCH(QByteArray, bytes);
        MessageBoxRecorder boxes;
        m_doc->m_wordList = words;
        QVERIFY(m_doc->OnSaveDocument("list.spl"));
        QCOMPARE(ReadFileForTest("list.spl").toHex(), bytes.toHex());
        QCOMPARE(m_view.m_updates, 0);  // storing tells no view
        m_doc->m_wordList.clear();
        QVERIFY(m_doc->OnOpenDocument("list.spl"));
        QCOMPARE(m_doc->m_wordList, words);
        QCOMPARE(m_view.m_updates, 1);
        QVERIFY(boxes.requests().isEmpty());
    }

    // A list from Windows opens and is saved as UTF-8; bytes after the last word are not read.
    void windowsListOpensAndSavesAsUtf8()
    {
        WriteFileForTest("old.spl", hex("0200") + "\x04" "caf\xe9" + "\x05" "na\xefve" + "trailing junk");
        QVERIFY(m_doc->OnOpenDocument("old.spl"));
        QCOMPARE(m_doc->m_wordList, QStringList({QString::fromUtf8("café"), QString::fromUtf8("naïve")}));
        QVERIFY(m_doc->OnSaveDocument("old.spl"));
        QCOMPARE(ReadFileForTest("old.spl"), hex("0200") + "\x05" "caf\xc3\xa9" + "\x06" "na\xc3\xafve");
    }

    void badFilesFailCleanly_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("escaped count promises billions") << hex("ffffffffff7f") + "\x01" "a";
        QTest::newRow("length promises gigabytes") << hex("0100ffffffffffff7f") + "abc";
        // Every cut of a list of three words, the second 256 bytes long, the empty file first.
        const QByteArray full = hex("0300") + "\x03" "cat" + hex("ff0001") + QByteArray(256, 'l') + "\x02" "ox";
        for (qsizetype cut = 0; cut < full.size(); ++cut)
            QTest::addRow("cut at %d", int(cut)) << full.left(cut);
    }

    void badFilesFailCleanly()
    {
        QFETCH(QByteArray, bytes);
        WriteFileForTest("bad.spl", bytes);
        expectLoadFailure("bad.spl", QTest::currentDataTag());
    }

    void manyEmptyWordsTakeNoMoreThanTheirEntries_data()
    {
        QTest::addColumn<quint32>("declared");
        QTest::addColumn<bool>("opens");
        // More than the data can hold: refused before the list grows at all.
        // (First: the peak these rows measure is the process's so far.)
        QTest::newRow("billions") << quint32(0xFFFFFFFE) << false;
        QTest::newRow("one more") << quint32(kEmptyWords + 1) << false;
        // Millions of empty words make an odd list, but a list.
        QTest::newRow("as many as there are") << quint32(kEmptyWords) << true;
    }

    void manyEmptyWordsTakeNoMoreThanTheirEntries()
    {
        QFETCH(quint32, declared);
        QFETCH(bool, opens);
        char count[4];
        qToLittleEndian(declared, count);
        WriteFileForTest("empty.spl", hex("ffff") + QByteArray(count, 4) + QByteArray(kEmptyWords, '\0'));
        const long before = peakMemoryKiB();
        if (opens) {
            QVERIFY(m_doc->OnOpenDocument("empty.spl"));
            QCOMPARE(m_doc->m_wordList.size(), kEmptyWords);
            QVERIFY(m_doc->m_wordList.first().isEmpty() && m_doc->m_wordList.last().isEmpty());
        } else {
            expectLoadFailure("empty.spl", QTest::currentDataTag());
        }
        // The file, and one list entry a word when it opens; never more than that twice over.
        const long allowed = (opens ? 2 * kEmptyWords * qsizetype(sizeof(QString)) : 0) / 1024 + 64 * 1024;
        const long grown = peakMemoryKiB() - before;
        QVERIFY2(grown < allowed, qPrintable(QString("%1 KiB").arg(grown)));
    }

private:
    void expectLoadFailure(const QString& name, const QString& what)
    {
        m_doc->m_wordList = QStringList{"previous", "list"};
        m_view.m_updates = 0;
        MessageBoxRecorder boxes;
        QVERIFY2(!m_doc->OnOpenDocument(name), qPrintable(what));
        QVERIFY2(m_doc->m_wordList.isEmpty(), qPrintable(what));
        QCOMPARE(m_view.m_updates, 0);
        QCOMPARE(boxes.requests().size(), 1);
        QVERIFY2(boxes.texts().first().contains("\"" + name + "\""), qPrintable(boxes.texts().first()));
    }

    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<CWordwellDoc> m_doc;
    CountingView m_view;
};

QTEST_MAIN(TestWordwellDoc)
#include "tst_wordwelldoc.moc"
