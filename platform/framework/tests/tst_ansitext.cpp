#include "platform/framework/ansitext.h"

#include <QTest>

using namespace platform::framework;

class TestAnsiText : public QObject {
    Q_OBJECT

private slots:
    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("utf8");
        QTest::newRow("ASCII") << QByteArray("cat") << QString("cat") << true;
        QTest::newRow("empty") << QByteArray() << QString() << true;
        QTest::newRow("UTF-8 two bytes") << QByteArray("caf\xc3\xa9") << QString::fromUtf8("café") << true;
        QTest::newRow("UTF-8 four bytes") << QByteArray("\xf0\x9f\x90\x88") << QString::fromUtf8("🐈") << true;
        QTest::newRow("1252 e acute") << QByteArray("caf\xe9") << QString::fromUtf8("café") << false;
        QTest::newRow("1252 euro and quotes") << QByteArray("\x80\x93\x94") << QString::fromUtf8("€“”") << false;
        QTest::newRow("1252 unassigned byte") << QByteArray("\x81") << QString(QChar(0x81)) << false;
        QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << QString::fromUtf8("À¯") << false;
        QTest::newRow("encoded surrogate") << QByteArray("\xed\xa0\x80") << QString::fromUtf8("í\u00a0€") << false;
        QTest::newRow("cut sequence") << QByteArray("a\xc3") << QString::fromUtf8("aÃ") << false;
        QTest::newRow("past U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << QString::fromUtf8("ô\u0090€€") << false;
        QTest::newRow("NUL byte") << QByteArray("a\0b", 3) << QString::fromUtf8("a\0b", 3) << true;
    }

    void decode()
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

QTEST_APPLESS_MAIN(TestAnsiText)
#include "tst_ansitext.moc"
