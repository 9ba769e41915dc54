// The test sheet and its answer key: what each page says, read from the
// painter's own output, and the pages of the PDF it saves.
#include "practice/share/testsheet.h"
#include "testsupport/isolatedhome.h"

#include <QGuiApplication>
#include <QPaintEngine>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

using practice::share::TestSheet;

namespace {

// An A4 page at 300 dpi that keeps the text drawn on it and counts its lines.
class TextPage : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &m_engine; }
    QStringList texts() const { return m_engine.texts; }
    int lines() const { return m_engine.lines; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return 2480;
        case PdmHeight: return 3508;
        case PdmWidthMM: return 210;
        case PdmHeightMM: return 297;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 300;
        case PdmDepth: return 32;
        case PdmNumColors: return 0xFFFFFF;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    class Engine : public QPaintEngine {
    public:
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawTextItem(const QPointF&, const QTextItem& item) override { texts << item.text(); }
        void drawLines(const QLineF*, int count) override { lines += count; }
        void drawLines(const QLine*, int count) override { lines += count; }
        Type type() const override { return User; }
        QStringList texts;
        int lines = 0;
    };
    mutable Engine m_engine;
};

QStringList words(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("word%1").arg(i + 1);
    return list;
}

const QRect kPage(0, 0, 2480, 3508);

}  // namespace

class TestTestSheet : public QObject {
    Q_OBJECT

private slots:
    void eachPageSaysWhatItShould_data()
    {
        QTest::addColumn<int>("wordCount");
        QTest::newRow("no words") << 0;
        QTest::newRow("ten words") << 10;
        QTest::newRow("one page full") << -1;   // exactly one page of lines
        QTest::newRow("one line over") << -2;  // one line more
    }
    void eachPageSaysWhatItShould()
    {
        QFETCH(int, wordCount);
        TextPage probe;
        const int perPage = TestSheet("x", {}).linesPerPage(&probe, kPage);
        QVERIFY(perPage > 10);
        if (wordCount < 0)
            wordCount = perPage - 1 - wordCount;
        const TestSheet sheet("Week one", words(wordCount));
        const int sheetPages = std::max(1, (wordCount + perPage - 1) / perPage);
        QCOMPARE(sheet.pageCount(&probe, kPage), 2 * sheetPages);

        int number = 0;
        for (int index = 0; index < 2 * sheetPages; ++index) {
            const bool key = index >= sheetPages;
            if (index == sheetPages)
                number = 0;
            TextPage page;
            QPainter painter(&page);
            sheet.renderPage(&painter, kPage, index);
            painter.end();
            QStringList expected;
            QString title = key ? "Week one - Answer Key" : "Week one";
            if (sheetPages > 1)
                title += QString(" (page %1 of %2)").arg(index % sheetPages + 1).arg(sheetPages);
            expected << title;
            if (!key)
                expected << "Name:" << "Date:";
            const int onPage = std::min(perPage, wordCount - number);
            for (int i = 0; i < onPage; ++i) {
                ++number;
                expected << QString("%1.").arg(number);
                if (key)
                    expected << QString("word%1").arg(number);
            }
            QCOMPARE(page.texts(), expected);
            // The sheet's lines: name, date and one blank per word; the key has none.
            QCOMPARE(page.lines(), key ? 0 : 2 + onPage);
        }
        QCOMPARE(number, wordCount);
    }

    void savesAsPdfOrSaysWhyNot()
    {
        IsolatedHome home;
        const QString path = home.work() + "/sheet.pdf";
        QString why;
        TextPage probe;
        const int perPage = TestSheet("x", {}).linesPerPage(&probe, kPage);
        QVERIFY(practice::share::SaveTestSheetPdf(TestSheet("Week one", words(perPage + 1)), path, &why));
        const QByteArray pdf = ReadFileForTest(path);
        QVERIFY(pdf.startsWith("%PDF-"));
        // Two pages of sheet, two of key.
        QCOMPARE(pdf.count(QByteArray("/Type /Page\n")) + pdf.count(QByteArray("/Type /Page ")), 4);
        QVERIFY(!practice::share::SaveTestSheetPdf(TestSheet("x", {"cat"}), home.work() + "/missing/sheet.pdf", &why));
        QCOMPARE(why, QString("No such file or directory"));
    }

    // A printer's unprintable border or the user's wider margin wins over the
    // least, whatever unit the printer's page is measured in.
    void marginsAreThePagesButAtLeast15Mm_data()
    {
        QTest::addColumn<QPageLayout>("layout");
        QTest::addColumn<QMarginsF>("expected");
        QPageLayout points(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                           QPageLayout::Point, QMarginsF(20 / 25.4 * 72, 0, 0, 0));
        QTest::newRow("printer's border, in points") << points << QMarginsF(20, 15, 15, 15);
        QPageLayout chosen(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0, 25, 0, 0),
                           QPageLayout::Millimeter);
        QTest::newRow("the user's margin") << chosen << QMarginsF(15, 25, 15, 15);
    }
    void marginsAreThePagesButAtLeast15Mm()
    {
        QFETCH(QPageLayout, layout);
        QFETCH(QMarginsF, expected);
        const QMarginsF margins = platform::framework::DocumentMargins(layout);
        QVERIFY2(qAbs(margins.left() - expected.left()) < 0.1 && qAbs(margins.top() - expected.top()) < 0.1 &&
                     qAbs(margins.right() - expected.right()) < 0.1 && qAbs(margins.bottom() - expected.bottom()) < 0.1,
                 qPrintable(QString("%1 %2 %3 %4").arg(margins.left()).arg(margins.top()).arg(margins.right())
                                .arg(margins.bottom())));
    }

    // The key as a reader of the PDF finds it: a word too long for a line is
    // wrapped whole, and nothing comes nearer an edge than 15 mm.
    void thePdfKeyWrapsWithinTheMargins()
    {
        IsolatedHome home;
        const QString path = home.work() + "/sheet.pdf";
        const QString longWord = QString("abcdefghij").repeated(15);
        QString why;
        QVERIFY(practice::share::SaveTestSheetPdf(TestSheet("Week one", {"cat", longWord}), path, &why));
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-bbox", path, "-"});
        QVERIFY2(pdftotext.waitForFinished() && pdftotext.exitCode() == 0,
                 pdftotext.readAllStandardError().constData());
        const double margin = 15 / 25.4 * 72;
        QXmlStreamReader xml(pdftotext.readAllStandardOutput());
        QSizeF page;
        int pages = 0;
        QString key;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QXmlStreamAttributes a = xml.attributes();
            if (xml.name() == u"page") {
                page = QSizeF(a.value("width").toDouble(), a.value("height").toDouble());
                ++pages;
            } else if (xml.name() == u"word") {
                const QRectF box(QPointF(a.value("xMin").toDouble(), a.value("yMin").toDouble()),
                                 QPointF(a.value("xMax").toDouble(), a.value("yMax").toDouble()));
                const QString text = xml.readElementText();
                QVERIFY2(QRectF(QPointF(margin, margin), page - QSizeF(margin, margin) * 2).contains(box),
                         qPrintable(QString("\"%1\" at %2,%3 to %4,%5").arg(text).arg(box.left()).arg(box.top())
                                        .arg(box.right()).arg(box.bottom())));
                if (pages == 2)
                    key += text;
            }
        }
        QVERIFY(!xml.hasError());
        QCOMPARE(pages, 2);
        QCOMPARE(key, "Weekone-AnswerKey1.cat2." + longWord);
    }
};

QTEST_MAIN(TestTestSheet)
#include "tst_testsheet.moc"
