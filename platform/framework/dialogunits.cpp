#include "platform/framework/dialogunits.h"

#include <QFontMetrics>
#include <QVariant>
#include <QWidget>

namespace platform::framework {

namespace {

const char* const kIdProperty = "dlgCtrlId";

// a * b / c rounded half away from zero, as the system's MulDiv.
int mulDiv(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    const long long rounded = product >= 0 ? (product + half) / c : (product - half) / c;
    return static_cast<int>(rounded);
}

}  // namespace

QFont DialogFont(const QString& family, int pointSize)
{
    QFont font(family, pointSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int alphabet =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseX = (alphabet / 26 + 1) / 2;
    m_baseY = metrics.height();
}

int DialogUnits::MapX(int dialogUnits) const
{
    return mulDiv(dialogUnits, m_baseX, 4);
}

int DialogUnits::MapY(int dialogUnits) const
{
    return mulDiv(dialogUnits, m_baseY, 8);
}

QRect DialogUnits::MapDialogRect(const QRect& r) const
{
    const int left = MapX(r.x());
    const int top = MapY(r.y());
    // Right and bottom edges are mapped, not sizes, so neighbours meet exactly.
    return QRect(QPoint(left, top), QPoint(MapX(r.x() + r.width()) - 1, MapY(r.y() + r.height()) - 1));
}

QSize DialogUnits::MapDialogSize(const QSize& size) const
{
    return QSize(MapX(size.width()), MapY(size.height()));
}

void PlaceControl(QWidget* control, const DialogUnits& units, const QRect& rect, int id)
{
    control->setGeometry(units.MapDialogRect(rect));
    if (id != 0)
        SetDlgCtrlID(control, id);
}

void SetDlgCtrlID(QWidget* control, int id)
{
    control->setProperty(kIdProperty, id);
}

int GetDlgCtrlID(const QWidget* control)
{
    return control->property(kIdProperty).toInt();
}

QWidget* GetDlgItem(const QWidget* dialog, int id)
{
    const QList<QWidget*> children = dialog->findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (GetDlgCtrlID(child) == id)
            return child;
    }
    return nullptr;
}

}  // namespace platform::framework
