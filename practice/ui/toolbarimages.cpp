#include "practice/ui/toolbarimages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace practice::ui {

namespace {

const QColor kInk(0, 0, 0);
const QColor kPaper(255, 255, 255);
const QColor kFolder(255, 204, 0);
const QColor kDisk(0, 0, 128);
const QColor kRed(220, 0, 0);
const QColor kBlue(0, 64, 192);

void drawPage(QPainter& p)
{
    QPainterPath page;
    page.moveTo(3.5, 1.5);
    page.lineTo(10.5, 1.5);
    page.lineTo(13.5, 4.5);
    page.lineTo(13.5, 13.5);
    page.lineTo(3.5, 13.5);
    page.closeSubpath();
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawPath(page);
    p.drawLine(QPointF(10.5, 1.5), QPointF(10.5, 4.5));
    p.drawLine(QPointF(10.5, 4.5), QPointF(13.5, 4.5));
}

void drawOpen(QPainter& p)
{
    p.setPen(kInk);
    p.setBrush(kFolder.darker(130));
    p.drawRect(QRectF(1.5, 4.5, 11, 8));
    p.setBrush(kFolder);
    QPainterPath flap;
    flap.moveTo(1.5, 12.5);
    flap.lineTo(4.5, 7.5);
    flap.lineTo(14.5, 7.5);
    flap.lineTo(12.5, 12.5);
    flap.closeSubpath();
    p.drawPath(flap);
}

void drawSave(QPainter& p)
{
    p.setPen(kInk);
    p.setBrush(kDisk);
    p.drawRect(QRectF(1.5, 1.5, 12, 12));
    p.setBrush(kPaper);
    p.drawRect(QRectF(3.5, 1.5, 8, 5));
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(QRectF(4.5, 9.5, 6, 4));
}

void drawTakeTest(QPainter& p)
{
    // The red letter T the messages speak of.
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawRect(QRect(2, 1, 12, 3));
    p.drawRect(QRect(6, 4, 4, 10));
}

void drawEditList(QPainter& p)
{
    drawPage(p);
    p.setPen(kBlue);
    for (int y : {5, 8})
        p.drawLine(5, y, 9, y);
    p.setPen(QPen(kRed, 2));
    p.drawLine(8, 11, 14, 11);
    p.drawLine(11, 8, 11, 14);
}

void drawListInfo(QPainter& p)
{
    drawPage(p);
    p.setPen(kBlue);
    for (int y : {5, 7, 9, 11})
        p.drawLine(5, y, 11, y);
}

void drawStop(QPainter& p)
{
    QPainterPath octagon;
    const QPointF corners[] = {{5, 1}, {10, 1}, {14, 5}, {14, 10}, {10, 14}, {5, 14}, {1, 10}, {1, 5}};
    octagon.moveTo(corners[0]);
    for (const QPointF& c : corners)
        octagon.lineTo(c);
    octagon.closeSubpath();
    p.setPen(kInk);
    p.setBrush(kRed);
    p.drawPath(octagon);
    p.setPen(QPen(kPaper, 2));
    p.drawLine(4, 7, 11, 7);
}

QPixmap toolbarPixmap(int index)
{
    QPixmap pixmap(16, 15);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    switch (index) {
    case 0: drawPage(p); break;
    case 1: drawOpen(p); break;
    case 2: drawSave(p); break;
    case 3: drawTakeTest(p); break;
    case 4: drawEditList(p); break;
    case 5: drawListInfo(p); break;
    case 6: drawStop(p); break;
    default: break;
    }
    return pixmap;
}

}  // namespace

QIcon ToolbarImage(int index)
{
    return QIcon(toolbarPixmap(index));
}

}  // namespace practice::ui
