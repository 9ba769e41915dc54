#include "platform/framework/dialogunits.h"

#include <QFontMetrics>

#include <algorithm>

namespace platform::framework {

namespace {

// The platform's MulDiv: the product divided, rounded half away from zero.
int mulDiv(int value, int numerator, int denominator)
{
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    const long long rounded = product >= 0 ? (product + half) / denominator : (product - half) / denominator;
    return static_cast<int>(rounded);
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    static const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    // The average over both alphabets, rounded, as the platform measures a dialog font.
    m_baseX = std::max(1, (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2);
    m_baseY = std::max(1, metrics.height());
}

int DialogUnits::toPixelsX(int units) const
{
    return mulDiv(units, m_baseX, 4);
}

int DialogUnits::toPixelsY(int units) const
{
    return mulDiv(units, m_baseY, 8);
}

QRect DialogUnits::toPixels(const QRect& units) const
{
    return {toPixelsX(units.x()), toPixelsY(units.y()), toPixelsX(units.width()), toPixelsY(units.height())};
}

QSize DialogUnits::toPixels(const QSize& units) const
{
    return {toPixelsX(units.width()), toPixelsY(units.height())};
}

}  // namespace platform::framework
