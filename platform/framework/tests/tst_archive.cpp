#include "platform/framework/archive.h"

#include <QTest>

using namespace platform::framework;

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

}  // namespace

class TestArchive : public QObject {
    Q_OBJECT

private slots:
    void countEncoding_data()
    {
        QTest::addColumn<quint32>("count");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("0") << 0u << hex("0000");
        QTest::newRow("2") << 2u << hex("0200");
        QTest::newRow("65534") << 65534u << hex("feff");
        QTest::newRow("65535 escapes") << 65535u << hex("ffffffff0000");
        QTest::newRow("70000") << 70000u << hex("ffff70110100");
        QTest::newRow("largest") << 0xFFFFFFFFu << hex("ffffffffffff");
    }

    void countEncoding()
    {
        QFETCH(quint32, count);
        QFETCH(QByteArray, bytes);
        QByteArray stored;
        CArchive out(&stored);
        QVERIFY(out.IsStoring());
        out.WriteCount(count);
        QCOMPARE(stored.toHex(), bytes.toHex());

        CArchive in{QByteArrayView(bytes)};
        QVERIFY(in.IsLoading());
        QCOMPARE(in.ReadCount(), count);
        QCOMPARE(in.BytesLeft(), 0);
    }

    void stringLengthEncoding_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("prefix");
        QTest::newRow("0") << 0 << hex("00");
        QTest::newRow("3") << 3 << hex("03");
        QTest::newRow("254") << 254 << hex("fe");
        QTest::newRow("255 escapes to 16 bits") << 255 << hex("ffff00");
        QTest::newRow("65533") << 65533 << hex("fffdff");
        QTest::newRow("65534 escapes to 32 bits") << 65534 << hex("fffffffeff0000");
        QTest::newRow("70000") << 70000 << hex("ffffff70110100");
    }

    void stringLengthEncoding()
    {
        QFETCH(int, length);
        QFETCH(QByteArray, prefix);
        const QByteArray word(length, 'w');
        QByteArray stored;
        CArchive out(&stored);
        out.WriteString(word);
        QCOMPARE(stored.left(prefix.size()).toHex(), prefix.toHex());
        QCOMPARE(stored.size(), prefix.size() + length);

        CArchive in{QByteArrayView(stored)};
        QCOMPARE(in.ReadString(), word);
        QCOMPARE(in.BytesLeft(), 0);
    }

    void readingPastTheEndThrows_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("no count") << QByteArray();
        QTest::newRow("half a count") << hex("02");
        QTest::newRow("escaped count cut") << hex("ffff0100");
        QTest::newRow("no length") << hex("0100");
        QTest::newRow("word cut") << hex("010003636174").left(5);
        QTest::newRow("16-bit length cut") << hex("0100ff00");
        QTest::newRow("32-bit length cut") << hex("0100ffffff0000");
        // Promises gigabytes with three bytes behind it: must fail before allocating.
        QTest::newRow("huge length") << hex("0100ffffffffffff7f616263");
    }

    void readingPastTheEndThrows()
    {
        QFETCH(QByteArray, bytes);
        CArchive in{QByteArrayView(bytes)};
        QVERIFY_THROWS_EXCEPTION(CArchiveException, {
            const quint32 count = in.ReadCount();
            for (quint32 i = 0; i < count; ++i)
                in.ReadString();
        });
    }

    void textIsStoredAsUtf8()
    {
        QByteArray stored;
        CArchive out(&stored);
        out.WriteText(QString::fromUtf8("zoë"));
        QCOMPARE(stored.toHex(), QByteArray("047a6fc3ab"));
        CArchive in{QByteArrayView(stored)};
        QCOMPARE(in.ReadText(), QString::fromUtf8("zoë"));
    }
};

QTEST_APPLESS_MAIN(TestArchive)
#include "tst_archive.moc"
