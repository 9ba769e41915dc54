#include "practice/review/stripview.h"

#include "practice/review/letterstrip.h"

#include <QEvent>
#include <QScrollBar>

namespace {

// The rows shown before the strip scrolls.
constexpr int kShownRows = 3;

}  // namespace

CLetterStripView::CLetterStripView(CLetterStrip* strip, QWidget* parent) : QScrollArea(parent), m_strip(strip)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidgetResizable(true);
    setWidget(strip);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int CLetterStripView::heightForWidth(int width) const
{
    return std::min(m_strip->heightForWidth(width), kShownRows * m_strip->rowHeight());
}

QSize CLetterStripView::sizeHint() const
{
    const int width = m_strip->sizeHint().width();
    return {width, heightForWidth(width)};
}

QSize CLetterStripView::minimumSizeHint() const
{
    // Room for the scroll bar, which a long answer brings at the narrowest.
    const int width = m_strip->minimumSizeHint().width() + verticalScrollBar()->sizeHint().width();
    return {width, heightForWidth(width)};
}

bool CLetterStripView::eventFilter(QObject* watched, QEvent* event)
{
    // A new word changes how many rows the strip needs.
    if (watched == m_strip && event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}
