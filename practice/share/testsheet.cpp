#include "practice/share/testsheet.h"

#include "platform/files/files.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetrics>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace practice::share {

namespace {

constexpr int kTitlePoints = 18;
constexpr int kTextPoints = 12;
// Room to write by hand: each numbered line is this many text lines high.
constexpr double kLineSpacing = 2.2;
// The width a line's number is right-aligned in.
const QString kNumberRoom = QStringLiteral("0000. ");

QFont titleFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(kTitlePoints);
    font.setBold(true);
    return font;
}

QFont textFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(kTextPoints);
    return font;
}

int lineHeight(QPaintDevice* device)
{
    return int(QFontMetrics(textFont(), device).height() * kLineSpacing);
}

// The heading's height: the title, then the name and date line, then a gap.
int headingHeight(QPaintDevice* device)
{
    return QFontMetrics(titleFont(), device).height() + 3 * lineHeight(device);
}

}  // namespace

TestSheet::TestSheet(QString listName, QStringList words) : m_listName(std::move(listName)), m_words(std::move(words))
{
}

int TestSheet::linesPerPage(QPaintDevice* device, const QRect& page) const
{
    return std::max(1, (page.height() - headingHeight(device)) / lineHeight(device));
}

int TestSheet::sheetPages(QPaintDevice* device, const QRect& page) const
{
    const int perPage = linesPerPage(device, page);
    return std::max(1, int((m_words.size() + perPage - 1) / perPage));
}

const QList<QList<KeyLine>>& TestSheet::keyPages(QPaintDevice* device, const QRect& page) const
{
    if (!m_key || m_key->page != page.size() || m_key->dpiX != device->logicalDpiX() ||
        m_key->dpiY != device->logicalDpiY()) {
        const int numberWidth = QFontMetrics(textFont(), device).horizontalAdvance(kNumberRoom);
        m_key = KeyLayout{page.size(), device->logicalDpiX(), device->logicalDpiY(),
                          LayOutAnswerKey(m_words, textFont(), device, page.width() - numberWidth,
                                          page.height() - headingHeight(device), lineHeight(device),
                                          QFontMetrics(textFont(), device).lineSpacing())};
    }
    return m_key->pages;
}

int TestSheet::pageCount(QPaintDevice* device, const QRect& page) const
{
    return sheetPages(device, page) + int(keyPages(device, page).size());
}

void TestSheet::renderPage(QPainter* painter, const QRect& page, int index) const
{
    QPaintDevice* device = painter->device();
    const int sheets = sheetPages(device, page);
    const bool key = index >= sheets;
    const int pageInPart = key ? index - sheets : index;
    const int pagesInPart = key ? int(keyPages(device, page).size()) : sheets;
    const int perPage = linesPerPage(device, page);
    const int line = lineHeight(device);

    painter->setFont(titleFont());
    const QFontMetrics titleMetrics(titleFont(), device);
    QString title = key ? m_listName + QStringLiteral(" - Answer Key") : m_listName;
    if (pagesInPart > 1)
        title += QStringLiteral(" (page %1 of %2)").arg(pageInPart + 1).arg(pagesInPart);
    painter->drawText(QRect(page.left(), page.top(), page.width(), titleMetrics.height()), Qt::AlignLeft, title);

    painter->setFont(textFont());
    const QFontMetrics metrics(textFont(), device);
    int y = page.top() + titleMetrics.height() + line;
    if (!key) {
        const QString name = QStringLiteral("Name:");
        const QString date = QStringLiteral("Date:");
        const int half = page.width() / 2;
        painter->drawText(page.left(), y, name);
        painter->drawLine(page.left() + metrics.horizontalAdvance(name) + metrics.averageCharWidth(), y,
                          page.left() + half - 2 * metrics.averageCharWidth(), y);
        painter->drawText(page.left() + half, y, date);
        painter->drawLine(page.left() + half + metrics.horizontalAdvance(date) + metrics.averageCharWidth(), y,
                          page.right(), y);
    }
    y += 2 * line;

    const int numberWidth = metrics.horizontalAdvance(kNumberRoom);
    const auto drawNumber = [&](qsizetype number, int at) {
        const QString text = QStringLiteral("%1.").arg(number);
        painter->drawText(page.left() + numberWidth - metrics.horizontalAdvance(text + u' '), at, text);
    };
    if (key) {
        for (const KeyLine& keyLine : keyPages(device, page).at(pageInPart)) {
            if (keyLine.number > 0)
                drawNumber(keyLine.number, y + keyLine.y);
            painter->drawText(page.left() + numberWidth, y + keyLine.y, keyLine.text);
        }
        return;
    }
    const qsizetype first = qsizetype(pageInPart) * perPage;
    const qsizetype last = std::min(m_words.size(), first + perPage);
    for (qsizetype i = first; i < last; ++i, y += line) {
        drawNumber(i + 1, y);
        painter->drawLine(page.left() + numberWidth, y, page.left() + page.width() * 2 / 3, y);
    }
}

bool SaveTestSheetPdf(const TestSheet& sheet, const QString& path, QString* why)
{
    // Made in memory, then written whole: a link at `path` is replaced, never written through.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(platform::framework::DocumentMargins(writer.pageLayout()), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(QStringLiteral("Test sheet"));
        QPainter painter(&writer);
        const QRect page(QPoint(0, 0), writer.pageLayout().paintRectPixels(writer.resolution()).size());
        const int count = sheet.pageCount(&writer, page);
        for (int index = 0; index < count; ++index) {
            if (index > 0)
                writer.newPage();
            sheet.renderPage(&painter, page, index);
        }
    }
    if (!platform::files::WriteWholeFile(path, pdf.data(), 0644)) {
        *why = platform::files::LastErrorText();
        return false;
    }
    return true;
}

}  // namespace practice::share
