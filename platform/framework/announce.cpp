#include "platform/framework/announce.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace platform::framework {

namespace {

// How long a line waits, with a screen reader listening, for the reader to catch up.
constexpr int kSettleMs = 500;

// Long enough for a screen reader to have read the line from it.
constexpr int kNotificationLifeMs = 30000;

class Notification : public QWidget {
public:
    Notification(QWidget* window, const QString& line) : QWidget(window)
    {
        setObjectName(QStringLiteral("announcement"));
        setAccessibleName(line);
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(0, 0, 0, 0);
    }
};

// A program's accessibility bridge joins the screen reader's bus a moment after
// the program starts, later still on a busy machine: a notification shown
// before then reaches no one, and a window's first line would be lost. Such
// notifications show again once the bridge is up.
class Unheard : public QAccessible::ActivationObserver {
public:
    static Unheard& instance()
    {
        static auto* unheard = new Unheard;  // for the program's life, as the observer list holds it
        return *unheard;
    }

    void add(QWidget* notification)
    {
        m_notifications.removeIf([](const QPointer<QWidget>& gone) { return gone.isNull(); });
        m_notifications.append(notification);
    }

    void accessibilityActiveChanged(bool active) override
    {
        if (!active)
            return;
        // The bridge sets itself up only after it has said it is active.
        QTimer::singleShot(0, qApp, [this] {
            for (const QPointer<QWidget>& notification : std::exchange(m_notifications, {})) {
                if (notification) {
                    QAccessibleEvent shown(notification, QAccessible::ObjectShow);
                    QAccessible::updateAccessibility(&shown);
                }
            }
        });
    }

private:
    Unheard() { QAccessible::installActivationObserver(this); }

    QList<QPointer<QWidget>> m_notifications;
};

QAccessibleInterface* notificationAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("QWidget") && object && object->objectName() == QLatin1String("announcement"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    return nullptr;
}

// The window that owns `window`'s window and all above it. A screen reader
// reads a notification inside a dialog after the dialog's title and every
// label in it, each time; one in the owner's window is read alone.
QWidget* outermostOwner(QWidget* window)
{
    QWidget* top = window->window();
    while (top->parentWidget())
        top = top->parentWidget()->window();
    return top;
}

}  // namespace

void Announce(QWidget* window, const QString& text)
{
    static const bool installed = [] {
        QAccessible::installFactory(notificationAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    const QString line = QString(text).replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(u'\n', u' ');
    auto notify = [line](QWidget* owner) {
        // One notification per line: a reader that reads a line late still
        // finds its own text, not the next one's.
        auto* notification = new Notification(owner, line);
        notification->show();
        if (!QAccessible::isActive())
            Unheard::instance().add(notification);
        QTimer::singleShot(kNotificationLifeMs, notification, &QObject::deleteLater);
    };
    QWidget* top = window->window();
    // A window still being built speaks once it is up, in itself: after its
    // own title and labels, read as it opens.
    if (!top->isVisible()) {
        QTimer::singleShot(0, top, [top, notify] { notify(top); });
        return;
    }
    QWidget* owner = outermostOwner(top);
    // A reader drops a notification that comes while it works through the
    // burst of events a closing window makes (a save dialog's, say): with one
    // listening, the line comes a moment later, after its own key and focus.
    if (QAccessible::isActive())
        QTimer::singleShot(kSettleMs, owner, [owner, notify] { notify(owner); });
    else
        notify(owner);
}

}  // namespace platform::framework
