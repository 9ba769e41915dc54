#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QFont;
class QPaintDevice;

// Where the answer key's words go on its pages: plain layout, apart from the
// painting, so that it can be checked from a width and a font.
namespace practice::share {

// One printed line of the key.
struct KeyLine {
    qsizetype number = 0;  // the word's number on its first line; 0 on the lines it wraps onto
    QString text;
    int y = 0;  // the baseline, down from the page's first
};

// `text` in lines no wider than `width`: broken at a blank where there is one,
// else between two letters.
QStringList WrapText(const QString& text, const QFont& font, QPaintDevice* device, int width);

// The key's lines, page by page. Each word's first line is `firstLine` below
// the last word's (room to read it by), the lines it wraps onto `nextLine`
// apart; `room` is a page's height for lines. A word starts a new page rather
// than be split, unless it is too long for any page.
QList<QList<KeyLine>> LayOutAnswerKey(const QStringList& words, const QFont& font, QPaintDevice* device, int width,
                                      int room, int firstLine, int nextLine);

}  // namespace practice::share
