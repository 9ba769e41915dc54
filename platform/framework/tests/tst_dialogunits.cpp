#include "platform/framework/dialogtemplate.h"
#include "platform/framework/dialogunits.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWidget>

using namespace platform::framework;

class TestDialogUnits : public QObject {
    Q_OBJECT

private slots:
    void mapsWithRounding_data()
    {
        QTest::addColumn<int>("baseX");
        QTest::addColumn<int>("baseY");
        QTest::addColumn<QRect>("units");
        QTest::addColumn<QRect>("pixels");
        // 6/4 = 1.5 per unit across, 13/8 = 1.625 down; halves round up.
        QTest::newRow("origin") << 6 << 13 << QRect(0, 0, 4, 8) << QRect(0, 0, 6, 13);
        QTest::newRow("halves round up") << 6 << 13 << QRect(1, 1, 1, 1) << QRect(2, 2, 1, 1);
        QTest::newRow("uninstall button") << 6 << 13 << QRect(17, 71, 50, 14) << QRect(26, 115, 75, 23);
        QTest::newRow("larger font") << 8 << 16 << QRect(7, 18, 203, 87) << QRect(14, 36, 406, 174);
    }

    void mapsWithRounding()
    {
        QFETCH(int, baseX);
        QFETCH(int, baseY);
        QFETCH(QRect, units);
        QFETCH(QRect, pixels);
        QCOMPARE(DialogUnits(baseX, baseY).MapDialogRect(units), pixels);
    }

    void neighboursMeetWithoutGapOrOverlap()
    {
        const DialogUnits units(7, 15);
        for (int x = 0; x < 40; ++x) {
            const QRect left = units.MapDialogRect(QRect(x, x, 3, 5));
            const QRect right = units.MapDialogRect(QRect(x + 3, x + 5, 3, 5));
            QCOMPARE(left.right() + 1, right.left());
            QCOMPARE(left.bottom() + 1, right.top());
        }
    }

    void unitsComeFromTheFontsMetrics()
    {
        QFont small = DialogFont();
        QFont large = DialogFont("MS Sans Serif", 16);
        const DialogUnits a(small);
        const DialogUnits b(large);
        QVERIFY(a.MapX(4) > 0 && a.MapY(8) > 0);
        QVERIFY(b.MapX(4) > a.MapX(4));
        QVERIFY(b.MapY(8) > a.MapY(8));
        QCOMPARE(a.MapY(8), QFontMetrics(small).height());
        // Forty units across hold about ten average letters of the font.
        const int tenLetters = QFontMetrics(small).horizontalAdvance("abcdefghij");
        QVERIFY(qAbs(a.MapX(40) - tenLetters) <= tenLetters / 4);
    }

    void plainCaptionsDropMnemonicMarksAndLineBreaks_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("plain");
        QTest::newRow("mark") << "Save &As..." << "Save As...";
        QTest::newRow("doubled mark") << "Salt && Pepper" << "Salt & Pepper";
        QTest::newRow("a doubled mark, then a mark") << "a&&&b" << "a&b";
        QTest::newRow("mark at the end") << "end&" << "end";
        QTest::newRow("marks only") << "&&&&" << "&&";
        QTest::newRow("line breaks") << "Remove all\r\nfiles?\nYes" << "Remove all files? Yes";
    }

    void plainCaptionsDropMnemonicMarksAndLineBreaks()
    {
        QFETCH(QString, caption);
        QFETCH(QString, plain);
        QCOMPARE(platform::framework::PlainCaption(caption), plain);
    }

    void controlsKeepTheirIds()
    {
        QWidget dialog;
        const DialogUnits units(6, 13);
        auto* box = new QCheckBox("Remove all files including recorded words?", &dialog);
        auto* label = new QLabel("Remove Wordwell Practice", &dialog);
        auto* ok = new QPushButton("Uninstall", &dialog);
        PlaceControl(box, units, QRect(17, 40, 151, 10), 1000);
        PlaceControl(label, units, QRect(17, 14, 113, 8));
        PlaceControl(ok, units, QRect(17, 71, 50, 14), 1);
        QCOMPARE(GetDlgItem(&dialog, 1000), box);
        QCOMPARE(GetDlgItem(&dialog, 1), ok);
        QCOMPARE(GetDlgItem(&dialog, 2), nullptr);
        QCOMPARE(GetDlgCtrlID(label), 0);
        QCOMPARE(box->geometry(), units.MapDialogRect(QRect(17, 40, 151, 10)));
    }
};

QTEST_MAIN(TestDialogUnits)
#include "tst_dialogunits.moc"
