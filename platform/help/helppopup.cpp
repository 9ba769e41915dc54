#include "platform/help/helppopup.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace platform::help {

CHelpPopup::CHelpPopup(const QString& html, QWidget* owner)
    : QFrame(owner, Qt::Popup), m_strHtml(html), m_label(new QLabel(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAccessibleName(QStringLiteral("Help"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 225));
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
    m_label->setTextFormat(Qt::RichText);
    m_label->setWordWrap(true);
    m_label->setText(html);
    m_label->setMaximumWidth(320);
    m_label->setAccessibleName(QStringLiteral("Help topic"));
    m_label->setAccessibleDescription(m_label->text());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->addWidget(m_label);
}

void CHelpPopup::ShowBeside(QWidget* near, QPoint globalPos)
{
    adjustSize();
    QPoint at = near ? near->mapToGlobal(QPoint(near->width() + 6, 0)) : globalPos + QPoint(12, 12);
    const QScreen* screen = near ? near->screen() : QGuiApplication::screenAt(globalPos);
    if (screen) {
        const QRect area = screen->availableGeometry();
        if (near && at.x() + width() > area.right())
            at.setX(near->mapToGlobal(QPoint(0, 0)).x() - width() - 6);
        at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - width())));
        at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - height())));
    }
    move(at);
    show();
}

void CHelpPopup::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    close();
}

}  // namespace platform::help
