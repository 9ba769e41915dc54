#include "platform/framework/extensionarrows.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>

#include <functional>
#include <memory>

namespace platform::framework {

namespace {

// An icon made by `make` when it is first asked for anything. Copies share it.
class DeferredIconEngine final : public QIconEngine {
public:
    explicit DeferredIconEngine(std::function<QIcon()> make) : m_icon(std::make_shared<Made>(std::move(make))) {}

    // As Qt's own engine paints: its pixmap for the rectangle, at the device's pixel ratio.
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : qApp->devicePixelRatio();
        painter->drawPixmap(rect, scaledPixmap(rect.size() * ratio, mode, state, ratio));
    }
    // An engine is asked in device pixels; QIcon::actualSize would multiply by
    // the screen's pixel ratio again, the pixmap at ratio 1 does not.
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return pixmap(size, mode, state).size();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, 1.0, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size / scale, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    QString iconName() override { return icon().name(); }
    bool isNull() override { return icon().isNull(); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    struct Made {
        explicit Made(std::function<QIcon()> m) : make(std::move(m)) {}
        std::function<QIcon()> make;
        QIcon icon;
    };

    const QIcon& icon()
    {
        if (m_icon->make) {
            m_icon->icon = m_icon->make();
            m_icon->make = nullptr;
        }
        return m_icon->icon;
    }

    std::shared_ptr<Made> m_icon;
};

class DeferredArrowStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override
    {
        if (which != SP_ToolBarHorizontalExtensionButton && which != SP_ToolBarVerticalExtensionButton)
            return QProxyStyle::standardIcon(which, option, widget);
        // The arrow points as it would have when asked, whenever it is read;
        // the widget may be gone by then, and these arrows do not depend on it.
        QStyleOption asked;
        asked.direction = option ? option->direction : QGuiApplication::layoutDirection();
        const QPointer<QStyle> base = baseStyle();
        return QIcon(new DeferredIconEngine([base, which, asked] {
            const QStyle* style = base ? base.data() : QApplication::style();
            return style ? style->standardIcon(which, &asked) : QIcon();
        }));
    }
};

}  // namespace

void DeferExtensionArrows()
{
    QStyle* current = QApplication::style();
    if (dynamic_cast<DeferredArrowStyle*>(current))
        return;
    QApplication::setStyle(new DeferredArrowStyle(current));
}

}  // namespace platform::framework
