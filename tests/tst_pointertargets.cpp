#include "everyform.h"

#include "platform/framework/dialogunits.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QMenuBar>
#include <QSet>
#include <QTest>
#include <QToolBar>
#include <QWidget>

namespace {

// A widget the pointer passes through, or one inside such a widget.
bool letsThePointerThrough(const QWidget* widget, const QWidget* window)
{
    for (const QWidget* w = widget; w && w != window; w = w->parentWidget()) {
        if (w->testAttribute(Qt::WA_TransparentForMouseEvents))
            return true;
    }
    return false;
}

// A widget made to be pressed, typed into or picked from.
bool takesInput(const QWidget* widget)
{
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLineEdit*>(widget)
           || qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QAbstractItemView*>(widget)
           || qobject_cast<const QAbstractSlider*>(widget);
}

QString describe(const QWidget* widget)
{
    if (!widget)
        return QStringLiteral("nothing");
    const int id = platform::framework::GetDlgCtrlID(widget);
    return QStringLiteral("%1 \"%2\"%3")
        .arg(QLatin1String(widget->metaObject()->className()), widget->accessibleName(),
             id ? QStringLiteral(" (%1)").arg(id) : QString());
}

}  // namespace

class TestPointerTargets : public QObject {
    Q_OBJECT

private slots:
    void everyControlTakesThePointerAtItsCentre_data() { everyForm(); }

    // Whatever lies at the centre of an enabled control must be the control
    // itself or a part of it: a frame or a window drawn over it would take its
    // clicks, its help-mode clicks and its pointer. Only decorations let the
    // pointer through.
    void everyControlTakesThePointerAtItsCentre()
    {
        QFETCH(int, form);
        const std::unique_ptr<ShownForm> shown = EveryForm()[form].show();
        QWidget* window = shown->Window();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QStringList covered;
        int checked = 0;
        const auto widgets = window->findChildren<QWidget*>();
        for (QWidget* control : widgets) {
            if (control->isWindow() || !control->isVisible() || !control->isEnabled())
                continue;
            if (letsThePointerThrough(control, window)) {
                if (takesInput(control))
                    covered << describe(control) + QStringLiteral(" lets the pointer through");
                continue;
            }
            ++checked;
            const QWidget* hit = window->childAt(control->mapTo(window, control->rect().center()));
            if (hit != control && !control->isAncestorOf(hit))
                covered << describe(control) + QStringLiteral(" lies under ") + describe(hit);
        }
        QVERIFY(checked > 0);
        QVERIFY2(covered.isEmpty(), qPrintable(covered.join(QStringLiteral("; "))));
    }

    void everyControlHasAName_data() { everyForm(); }

    // A screen reader says what the accessibility interface names a control:
    // a control reached by Tab with no name there is read as a bare role.
    void everyControlHasAName()
    {
        QFETCH(int, form);
        const std::unique_ptr<ShownForm> shown = EveryForm()[form].show();
        QWidget* window = shown->Window();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QStringList unnamed;
        int checked = 0;
        const auto widgets = window->findChildren<QWidget*>();
        for (QWidget* control : widgets) {
            if (!control->isVisible() || !takesInput(control) || !(control->focusPolicy() & Qt::TabFocus))
                continue;
            ++checked;
            const QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
            if (!face || face->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << describe(control);
        }
        QVERIFY(checked > 0);
        QVERIFY2(unnamed.isEmpty(), qPrintable(QStringLiteral("no name: ") + unnamed.join(QStringLiteral("; "))));
    }

    void everyControlIsReachedByTab_data() { everyForm(); }

    // Tab from the first control must come to every tab stop, and never stop in
    // one: a multi-line edit that swallowed Tab would trap a keyboard user there.
    // The toolbar and menu bar are reached by their own keys.
    void everyControlIsReachedByTab()
    {
        QFETCH(int, form);
        const std::unique_ptr<ShownForm> shown = EveryForm()[form].show();
        QWidget* window = shown->Window();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QSet<QWidget*> reached;
        for (int press = 0; press < 64; ++press) {
            QWidget* focus = QApplication::focusWidget();
            QVERIFY2(focus && window->isAncestorOf(focus), "the focus left the window");
            reached.insert(focus);
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QStringList missed;
        const auto widgets = window->findChildren<QWidget*>();
        for (QWidget* control : widgets) {
            if (!control->isVisible() || !control->isEnabled() || !takesInput(control)
                || !(control->focusPolicy() & Qt::TabFocus) || byOwnKeys(control))
                continue;
            const bool hit = std::any_of(reached.begin(), reached.end(), [control](QWidget* focused) {
                return focused == control || control->isAncestorOf(focused) || focused->focusProxy() == control;
            });
            if (!hit)
                missed << describe(control);
        }
        QVERIFY2(missed.isEmpty(), qPrintable(QStringLiteral("not reached: ") + missed.join(QStringLiteral("; "))));
    }

private:
    static bool byOwnKeys(const QWidget* control)
    {
        for (const QWidget* w = control; w; w = w->parentWidget()) {
            if (qobject_cast<const QToolBar*>(w) || qobject_cast<const QMenuBar*>(w))
                return true;
        }
        return false;
    }

    static void everyForm()
    {
        QTest::addColumn<int>("form");
        const QList<FormCase> forms = EveryForm();
        for (int i = 0; i < forms.size(); ++i)
            QTest::newRow(qPrintable(forms[i].name)) << i;
    }
};

QTEST_MAIN(TestPointerTargets)
#include "tst_pointertargets.moc"
