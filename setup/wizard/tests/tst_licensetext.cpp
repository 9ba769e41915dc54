#include "setup/wizard/licensetext.h"

#include <QRegularExpression>
#include <QTest>

using setup::wizard::LicensePieces;

class TestLicenseText : public QObject {
    Q_OBJECT

private slots:
    void piecesFollowTheAgreementsStructure()
    {
        const QStringList pieces = LicensePieces();
        QCOMPARE(pieces.size(), 11);
        QCOMPARE(pieces[0], QString("Wordwell Practice - PRODUCT LICENSE INFORMATION\r\n"));
        QVERIFY(pieces[1].startsWith("\r\n"));
        QVERIFY(!pieces[1].startsWith("\r\n\r\n"));
        QVERIFY(!pieces[1].endsWith('\n'));
        QCOMPARE(pieces[1], pieces[1].toUpper());
        const QStringList headings{"GRANT OF USE.",         "OWNERSHIP.",
                                   "PROTECTION OF THE SOFTWARE.", "REVERSE ENGINEERING.",
                                   "NO OTHER WARRANTIES.",  "SEVERABILITY.",
                                   "NO LIABILITY FOR CONSEQUENTIAL DAMAGES.", "GOVERNING LAW.",
                                   "ENTIRE AGREEMENT."};
        for (int n = 1; n <= 9; ++n) {
            const QString& piece = pieces[n + 1];
            QVERIFY2(piece.startsWith(QString("\r\n\r\n%1. %2 ").arg(n).arg(headings[n - 1])), qPrintable(piece));
            QVERIFY(piece.endsWith('.'));
            QVERIFY(!piece.mid(4).contains('\n') && !piece.mid(4).contains('\r'));
        }
        // Paragraphs are separated by one empty line.
        const QString text = LicensePieces().join(QString());
        QVERIFY(text.endsWith('.'));
        QCOMPARE(text.count("\r\n\r\n"), 10);
        QVERIFY(!text.contains("\r\n\r\n\r\n"));
        QVERIFY(!text.contains(QRegularExpression("[^\r]\n")));
    }
};

QTEST_GUILESS_MAIN(TestLicenseText)
#include "tst_licensetext.moc"
