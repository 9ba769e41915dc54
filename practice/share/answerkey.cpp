#include "practice/share/answerkey.h"

#include <QFontMetrics>
#include <QTextLayout>

namespace practice::share {

QStringList WrapText(const QString& text, const QFont& font, QPaintDevice* device, int width)
{
    if (QFontMetrics(font, device).horizontalAdvance(text) <= width)
        return {text};
    QTextLayout layout(text, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        QString part = text.mid(line.textStart(), line.textLength());
        // The blank a line was broken at is not printed.
        while (part.size() > 1 && part.back().isSpace())
            part.chop(1);
        lines << part;
    }
    layout.endLayout();
    return lines;
}

QList<QList<KeyLine>> LayOutAnswerKey(const QStringList& words, const QFont& font, QPaintDevice* device, int width,
                                      int room, int firstLine, int nextLine)
{
    QList<QList<KeyLine>> pages(1);
    int used = 0;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QStringList lines = WrapText(words[i], font, device, width);
        const int height = firstLine + int(lines.size() - 1) * nextLine;
        if (used > 0 && used + height > room && height <= room) {
            pages.append(QList<KeyLine>());
            used = 0;
        }
        int y = used;
        for (qsizetype l = 0; l < lines.size(); ++l) {
            if (l > 0) {
                y += nextLine;
                if (y + firstLine > room) {
                    pages.append(QList<KeyLine>());
                    y = 0;
                }
            }
            pages.last().append({l == 0 ? i + 1 : 0, lines[l], y});
        }
        used = y + firstLine;
    }
    return pages;
}

}  // namespace practice::share
