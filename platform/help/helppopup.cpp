#include "platform/help/helppopup.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTextDocumentFragment>
#include <QVBoxLayout>

#include <algorithm>

namespace platform::help {

namespace {

QAccessibleInterface* accessibleHelpPopup(const QString& className, QObject* object)
{
    if (className == QLatin1String(CHelpPopup::staticMetaObject.className()) && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::HelpBalloon);
    return nullptr;
}

}  // namespace

// Not a Qt::Popup: the accessibility tree leaves those out, as menus are
// reached through their menu bar.
CHelpPopup::CHelpPopup(const QString& html, QWidget* owner)
    : QFrame(owner, Qt::Tool | Qt::FramelessWindowHint), m_strHtml(html), m_label(new QLabel(this))
{
    static const bool accessible = [] {
        QAccessible::installFactory(accessibleHelpPopup);
        return true;
    }();
    Q_UNUSED(accessible);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setWindowTitle(QStringLiteral("Help"));
    setAccessibleName(QStringLiteral("Help"));
    const QString topic = QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
    setAccessibleDescription(topic);
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
    m_label->setAccessibleDescription(topic);
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
    activateWindow();
    setFocus(Qt::PopupFocusReason);
}

void CHelpPopup::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    close();
}

void CHelpPopup::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    close();
}

void CHelpPopup::changeEvent(QEvent* event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible())
        close();
}

// A click anywhere else in the program closes the note too, even where no
// window manager moves the focus.
void CHelpPopup::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    qApp->installEventFilter(this);
}

void CHelpPopup::hideEvent(QHideEvent* event)
{
    qApp->removeEventFilter(this);
    QFrame::hideEvent(event);
}

// The focus goes back to the window the note explained, even where no window
// manager hands it back.
void CHelpPopup::closeEvent(QCloseEvent* event)
{
    if (isActiveWindow() && parentWidget())
        parentWidget()->activateWindow();
    QFrame::closeEvent(event);
}

bool CHelpPopup::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->window() != this)
        close();
    return QFrame::eventFilter(watched, event);
}

}  // namespace platform::help
