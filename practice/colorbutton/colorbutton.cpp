#include "practice/colorbutton/colorbutton.h"

#include "platform/framework/dialogunits.h"

#include <QAbstractButton>
#include <QEvent>
#include <QPainter>

namespace {

// The label is read as the original read it, into 512 characters with a terminator.
constexpr qsizetype kMaxLabel = 511;
// Marks a button already taken over.
constexpr char kTakenOverProperty[] = "colorButton";

QColor grey(int level)
{
    return QColor(level, level, level);
}

}  // namespace

CColorButton::~CColorButton()
{
    if (m_button) {
        m_button->removeEventFilter(this);
        m_button->setProperty(kTakenOverProperty, QVariant());
        m_button->update();
    }
}

bool CColorButton::AttachToControl(int id, QWidget* parent, const QColor& face, const QColor& text,
                                   const QColor& disabled, int bevel)
{
    if (!parent || m_button)
        return false;
    auto* found = qobject_cast<QAbstractButton*>(platform::framework::GetDlgItem(parent, id));
    if (!found || found->property(kTakenOverProperty).isValid())
        return false;

    m_button = found;
    found->setProperty(kTakenOverProperty, true);
    found->installEventFilter(this);
    m_clrFace = face;
    m_clrText = text;
    m_clrDisabled = disabled;
    m_nBevel = bevel;
    found->update();
    return true;
}

bool CColorButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_button || event->type() != QEvent::Paint)
        return QObject::eventFilter(watched, event);
    unsigned state = 0;
    if (m_button->isDown())
        state |= ODS_SELECTED;
    if (!m_button->isEnabled())
        state |= ODS_DISABLED;
    if (m_button->hasFocus())
        state |= ODS_FOCUS;
    QPainter painter(m_button);
    DrawItem({&painter, m_button->rect(), state});
    return true;
}

void CColorButton::DrawItem(const DRAWITEMSTRUCT& dis)
{
    QPainter* dc = dis.pDC;
    const unsigned state = dis.itemState;
    const QRect buttonRect = dis.rcItem;
    const QRect focusRect = buttonRect.adjusted(4, 4, -4, -4);
    const QString label = m_button ? m_button->text().left(kMaxLabel) : QString();
    if (m_button)
        dc->setFont(m_button->font());

    DrawFilledRect(dc, buttonRect, m_clrFace);
    DrawFrame(dc, buttonRect, m_nBevel);
    DrawButtonText(dc, buttonRect, label, m_clrText);

    if (state & ODS_FOCUS) {
        DrawFocusRect(dc, focusRect);
        if (state & ODS_SELECTED) {
            DrawFilledRect(dc, buttonRect, m_clrFace);
            DrawFrame(dc, buttonRect, -1);
            DrawButtonText(dc, buttonRect, label, m_clrText);
            DrawFocusRect(dc, focusRect);
        }
    } else if (state & ODS_DISABLED) {
        DrawButtonText(dc, buttonRect, label, m_clrDisabled);
    }
}

void CColorButton::DrawFrame(QPainter* dc, QRect rect, int inset)
{
    const int n = std::abs(inset);
    for (int i = 0; i < n; ++i) {
        QColor light;
        QColor dark;
        if (n == 1) {
            light = grey(255);
            dark = grey(128);
        } else {
            dark = grey(255 / (i + 2));
            light = grey(192 + 63 / (i + 1));
        }
        const QColor topLeft = inset < 0 ? dark : light;
        QColor bottomRight = inset < 0 ? light : dark;

        // Right and bottom are exclusive, as the rectangle was on the original platform.
        const int l = rect.left();
        const int t = rect.top();
        const int r = rect.left() + rect.width();
        const int b = rect.top() + rect.height();
        DrawLine(dc, l, t, r, t, topLeft);
        DrawLine(dc, l, t, l, b, topLeft);
        // The innermost ring of a deep sunken edge is near black.
        if (inset < 0 && i == n - 1 && n > 1)
            bottomRight = QColor(1, 1, 1);
        DrawLine(dc, l + 1, b - 1, r, b - 1, bottomRight);
        DrawLine(dc, r - 1, t + 1, r - 1, b, bottomRight);

        rect.adjust(1, 1, -1, -1);
    }
}

void CColorButton::DrawFilledRect(QPainter* dc, const QRect& rect, const QColor& color)
{
    const QBrush brush(color);
    dc->fillRect(rect, brush);
}

void CColorButton::DrawLine(QPainter* dc, int x1, int y1, int x2, int y2, const QColor& color)
{
    // A flat cap leaves out the end point, as lines always did there.
    const QPen pen(color, 1, Qt::SolidLine, Qt::FlatCap);
    const QPen previous = dc->pen();
    dc->setPen(pen);
    dc->drawLine(x1, y1, x2, y2);
    dc->setPen(previous);
}

void CColorButton::DrawButtonText(QPainter* dc, const QRect& rect, const QString& label, const QColor& color)
{
    const QPen previous = dc->pen();
    dc->setPen(color);
    dc->setBackgroundMode(Qt::TransparentMode);
    dc->drawText(rect, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, label);
    dc->setPen(previous);
}

void CColorButton::DrawFocusRect(QPainter* dc, const QRect& rect)
{
    // Dotted and inverting: every other pixel of the outline is flipped, so a
    // second draw takes it away again. Each pixel is flipped once, corners too.
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    QList<QPoint> dots;
    const int l = rect.left();
    const int t = rect.top();
    const int r = rect.left() + rect.width() - 1;
    const int b = rect.top() + rect.height() - 1;
    auto dot = [&dots](int x, int y) {
        if (((x + y) & 1) == 0)
            dots.append(QPoint(x, y));
    };
    for (int x = l; x <= r; ++x) {
        dot(x, t);
        if (b != t)
            dot(x, b);
    }
    for (int y = t + 1; y < b; ++y) {
        dot(l, y);
        if (r != l)
            dot(r, y);
    }
    dc->save();
    dc->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    dc->setPen(QPen(Qt::white, 1));
    dc->drawPoints(dots.constData(), static_cast<int>(dots.size()));
    dc->restore();
}
