#include "platform/framework/ansitext.h"
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
    // The smaller counts and lengths, cut files and text are the list codec's
    // vectors (tst_wordwelldoc); these are the escapes no list there reaches.
    // Each archive is a count and one word.
    void largeCountsAndLengthsEscape_data()
    {
        QTest::addColumn<quint32>("count");
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("prefix");
        QTest::newRow("the largest count") << 0xFFFFFFFFu << 0 << hex("ffffffffffff" "00");
        QTest::newRow("65533") << 1u << 65533 << hex("0100" "fffdff");
        QTest::newRow("65534 escapes to 32 bits") << 1u << 65534 << hex("0100" "fffffffeff0000");
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
};

QTEST_APPLESS_MAIN(TestArchive)
#include "tst_archive.moc"
