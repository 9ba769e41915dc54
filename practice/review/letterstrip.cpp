#include "practice/review/letterstrip.h"

#include <QPainter>

using namespace practice::review;

namespace {

const QString kWordLabel = QStringLiteral("Word:");
const QString kTypedLabel = QStringLiteral("You typed:");
// Shown where a row has no letter: a missing letter's gap, an extra letter's.
const QString kGap = QStringLiteral("_");

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
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
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

QSize CLetterStrip::sizeHint() const
{
    const int line = fontMetrics().height() + 4;
    return {labelWidth() + std::max(columns(), 8) * cellWidth() + 8, line * 3 + 8};
}

void CLetterStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    if (!m_bShown)
        return;
    const int line = fontMetrics().height() + 4;
    const int cell = cellWidth();
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QRect(4, 4, labelWidth(), line), Qt::AlignVCenter, kWordLabel);
    painter.drawText(QRect(4, 4 + line, labelWidth(), line), Qt::AlignVCenter, kTypedLabel);
    int x = labelWidth();
    for (const LetterStep& step : m_steps) {
        const QColor color = markColor(step.mark);
        const int cells = cellsOf(step);
        const QStringList expected = SplitLetters(step.expected);
        const QStringList typed = SplitLetters(step.typed);
        for (int c = 0; c < cells; ++c) {
            const QRect wordCell(x + c * cell, 4, cell, line);
            const QRect typedCell(x + c * cell, 4 + line, cell, line);
            painter.setPen(palette().color(QPalette::Text));
            painter.drawText(wordCell, Qt::AlignCenter, shown(expected, c));
            painter.setPen(color);
            painter.drawText(typedCell, Qt::AlignCenter, shown(typed, c));
            if (step.mark != LetterMark::Same)
                painter.drawRect(typedCell.adjusted(1, 1, -2, -2));
        }
        painter.setPen(color);
        painter.drawText(QRect(x, 4 + 2 * line, cells * cell, line), Qt::AlignCenter, MarkText(step.mark));
        x += cells * cell;
    }
}
