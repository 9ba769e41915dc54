#include "practice/review/letterstrip.h"

#include <QPainter>

using namespace practice::review;

namespace {

const QString kWordLabel = QStringLiteral("Word:");
const QString kTypedLabel = QStringLiteral("You typed:");
// Shown where a row has no letter: a missing letter's gap, an extra letter's.
const QString kGap = QStringLiteral("_");
// A row holds at least this many letters, however narrow the strip.
constexpr int kFewestColumns = 8;

QColor markColor(LetterMark mark)
{
    switch (mark) {
    case LetterMark::Same: return QColor(0, 110, 0);
    case LetterMark::Wrong: return QColor(190, 0, 0);
    case LetterMark::Missing: return QColor(170, 90, 0);
    case LetterMark::Extra: return QColor(120, 0, 150);
    case LetterMark::Swapped: return QColor(0, 70, 180);
    }
    return Qt::black;
}

// A blank is drawn as the open box a reader can see.
QString shown(const QStringList& letters, int index)
{
    if (index >= letters.size())
        return kGap;
    return letters[index].trimmed().isEmpty() ? QStringLiteral("\u2423") : letters[index];
}

int cellsOf(const LetterStep& step)
{
    return step.mark == LetterMark::Swapped ? 2 : 1;
}

}  // namespace

CLetterStrip::CLetterStrip(QWidget* parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Letter by letter"));
    QFont big = font();
    big.setFamily(QStringLiteral("Monospace"));
    big.setStyleHint(QFont::TypeWriter);
    big.setPointSize(16);
    setFont(big);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QString CLetterStrip::MarkText(LetterMark mark)
{
    switch (mark) {
    case LetterMark::Same: return QString();
    case LetterMark::Wrong: return QStringLiteral("X");
    case LetterMark::Missing: return QStringLiteral("^");
    case LetterMark::Extra: return QStringLiteral("+");
    case LetterMark::Swapped: return QStringLiteral("<>");
    }
    return QString();
}

QString CLetterStrip::Legend()
{
    return QStringLiteral("X wrong letter    ^ missing letter    + extra letter    <> letters swapped");
}

void CLetterStrip::SetComparison(const QString& word, const QString& answer)
{
    m_steps = CompareLetters(word, answer);
    m_bShown = true;
    const QStringList sentences = DescribeDifferences(word, answer);
    setAccessibleDescription(sentences.isEmpty() ? QStringLiteral("every letter is right")
                                                 : sentences.join(QStringLiteral(". ")));
    updateGeometry();
    update();
}

int CLetterStrip::cellWidth() const
{
    return fontMetrics().horizontalAdvance(QStringLiteral("W")) * 3 / 2;
}

int CLetterStrip::labelWidth() const
{
    return fontMetrics().horizontalAdvance(kTypedLabel) + cellWidth();
}

int CLetterStrip::columns() const
{
    int n = 0;
    for (const LetterStep& step : m_steps)
        n += cellsOf(step);
    return n;
}

int CLetterStrip::rowHeight() const
{
    return (fontMetrics().height() + 4) * 3 + 8;
}

QList<int> CLetterStrip::rowStarts(int width) const
{
    const int room = std::max(kFewestColumns, (width - labelWidth() - 8) / cellWidth());
    QList<int> starts{0};
    int used = 0;
    for (int i = 0; i < m_steps.size(); ++i) {
        const int cells = cellsOf(m_steps[i]);
        // A swap's two letters stay together on one row.
        if (used > 0 && used + cells > room) {
            starts << i;
            used = 0;
        }
        used += cells;
    }
    return starts;
}

QSize CLetterStrip::sizeHint() const
{
    return {labelWidth() + std::max(columns(), kFewestColumns) * cellWidth() + 8, rowHeight()};
}

QSize CLetterStrip::minimumSizeHint() const
{
    return {labelWidth() + kFewestColumns * cellWidth() + 8, rowHeight()};
}

int CLetterStrip::heightForWidth(int width) const
{
    return int(rowStarts(width).size()) * rowHeight();
}

void CLetterStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    if (!m_bShown)
        return;
    const int line = fontMetrics().height() + 4;
    const int cell = cellWidth();
    const QList<int> starts = rowStarts(width());
    for (int row = 0; row < starts.size(); ++row) {
        const int top = row * rowHeight() + 4;
        const int end = row + 1 < starts.size() ? starts[row + 1] : int(m_steps.size());
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRect(4, top, labelWidth(), line), Qt::AlignVCenter, kWordLabel);
        painter.drawText(QRect(4, top + line, labelWidth(), line), Qt::AlignVCenter, kTypedLabel);
        int x = labelWidth();
        for (int i = starts[row]; i < end; ++i) {
            const LetterStep& step = m_steps[i];
            const QColor color = markColor(step.mark);
            const int cells = cellsOf(step);
            const QStringList expected = SplitLetters(step.expected);
            const QStringList typed = SplitLetters(step.typed);
            for (int c = 0; c < cells; ++c) {
                const QRect wordCell(x + c * cell, top, cell, line);
                const QRect typedCell(x + c * cell, top + line, cell, line);
                painter.setPen(palette().color(QPalette::Text));
                painter.drawText(wordCell, Qt::AlignCenter, shown(expected, c));
                painter.setPen(color);
                painter.drawText(typedCell, Qt::AlignCenter, shown(typed, c));
                if (step.mark != LetterMark::Same)
                    painter.drawRect(typedCell.adjusted(1, 1, -2, -2));
            }
            painter.setPen(color);
            painter.drawText(QRect(x, top + 2 * line, cells * cell, line), Qt::AlignCenter, MarkText(step.mark));
            x += cells * cell;
        }
    }
}
