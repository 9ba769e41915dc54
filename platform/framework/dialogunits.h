#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace platform::framework {

// Dialog templates measure in dialog units: a quarter of the dialog font's
// average character width across, an eighth of its height down. Converting
// with the font the form really uses keeps every control's arrangement.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseX, int baseY) : m_baseX(baseX), m_baseY(baseY) {}

    int baseX() const { return m_baseX; }
    int baseY() const { return m_baseY; }

    int toPixelsX(int units) const;
    int toPixelsY(int units) const;
    QRect toPixels(const QRect& units) const;
    QSize toPixels(const QSize& units) const;

private:
    int m_baseX;
    int m_baseY;
};

}  // namespace platform::framework
