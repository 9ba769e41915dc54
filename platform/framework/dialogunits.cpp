#include "platform/framework/dialogunits.h"

#include <QFontMetrics>
#include <QHash>
#include <QWidget>

namespace platform::framework {

namespace {

// Each control's id. Forms look their controls up by id hundreds of times while
// they start; a dynamic property would only be found after every property the
// control's classes declare had been compared by name.
QHash<const QWidget*, int>& controlIds()
{
    // Never destroyed: a widget may outlive the program's statics.
    static auto* ids = new QHash<const QWidget*, int>;
    return *ids;
}

// a * b / c rounded half away from zero, as the system's MulDiv.
int mulDiv(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    const long long rounded = product >= 0 ? (product + half) / c : (product - half) / c;
    return static_cast<int>(rounded);
}

// The first widget below `parent` with that id, depth first, in the order
// findChildren lists them; it stops there.
QWidget* findDescendant(const QObject* parent, int id)
{
    for (QObject* child : parent->children()) {
        if (child->isWidgetType() && controlIds().value(static_cast<QWidget*>(child)) == id)
            return static_cast<QWidget*>(child);
        if (QWidget* found = findDescendant(child, id))
            return found;
    }
    return nullptr;
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
    QHash<const QWidget*, int>& ids = controlIds();
    if (!ids.contains(control))
        QObject::connect(control, &QObject::destroyed, [control] { controlIds().remove(control); });
    ids.insert(control, id);
}

int GetDlgCtrlID(const QWidget* control)
{
    return controlIds().value(control);
}

QWidget* GetDlgItem(const QWidget* dialog, int id)
{
    return findDescendant(dialog, id);
}

}  // namespace platform::framework
