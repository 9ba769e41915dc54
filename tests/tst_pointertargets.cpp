#include "everyform.h"

#include "platform/framework/dialogunits.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QMenuBar>
#include <QSet>
#include <QTest>
#include <QTextDocument>
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

// Whatever lies at the centre of an enabled control must be the control
// itself or a part of it: a frame or a window drawn over it would take its
// clicks, its help-mode clicks and its pointer. Only decorations let the
// pointer through.
QStringList coveredControls(QWidget* window)
{
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
    if (checked == 0)
        covered << QStringLiteral("no control to point at");
    return covered;
}

// A screen reader says what the accessibility interface names a control:
// a control reached by Tab with no name there is read as a bare role.
QStringList unnamedControls(QWidget* window)
{
    QStringList unnamed;
    int checked = 0;
    const auto widgets = window->findChildren<QWidget*>();
    for (QWidget* control : widgets) {
        if (!control->isVisible() || !takesInput(control) || !(control->focusPolicy() & Qt::TabFocus))
            continue;
        ++checked;
        const QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
        if (!face || face->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << QStringLiteral("no name: ") + describe(control);
    }
    if (checked == 0)
        unnamed << QStringLiteral("no control to name");
    return unnamed;
}

// What a screen reader makes of a text: no markup, no mnemonic marks, one line.
QString spoken(QString text, bool rich)
{
    if (rich) {
        QTextDocument document;
        document.setHtml(text);
        text = document.toPlainText();
    }
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(u'&').replace(u'\x01', u'&');
    return text.simplified();
}

// An abbreviation in capitals that the name spells out, as "SCRL" for
// "Scroll Lock": its letters are the name's, in order, from its first.
bool spellsOut(const QString& name, const QString& abbreviation)
{
    if (abbreviation.size() < 2 || abbreviation.toUpper() != abbreviation || abbreviation.contains(u' ')
        || !name.startsWith(abbreviation.front(), Qt::CaseInsensitive))
        return false;
    qsizetype at = 0;
    for (const QChar letter : abbreviation) {
        at = name.indexOf(letter, at, Qt::CaseInsensitive);
        if (at < 0)
            return false;
        ++at;
    }
    return true;
}

// A label's text reaches a screen reader only through its accessible name
// (Orca reads a named label by its name, never its description): a fixed
// name stands in for whatever the label shows later.
QStringList unreadLabels(QWidget* window)
{
    QStringList unread;
    const auto labels = window->findChildren<QLabel*>();
    for (const QLabel* label : labels) {
        const bool rich = label->textFormat() == Qt::RichText
                          || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
        const QString shown = spoken(label->text(), rich);
        if (!label->isVisible() || shown.isEmpty())
            continue;
        const QAccessibleInterface* face = QAccessible::queryAccessibleInterface(const_cast<QLabel*>(label));
        const QString name = face ? spoken(face->text(QAccessible::Name), false) : QString();
        if (name != shown && !spellsOut(name, shown))
            unread << QStringLiteral("not read: \"%1\" in ").arg(shown) + describe(label);
    }
    return unread;
}

// The toolbar and menu bar are reached by their own keys, not by Tab.
bool byOwnKeys(const QWidget* control)
{
    for (const QWidget* w = control; w; w = w->parentWidget()) {
        if (qobject_cast<const QToolBar*>(w) || qobject_cast<const QMenuBar*>(w))
            return true;
    }
    return false;
}

// Tab from the first control must come to every tab stop, and never stop in
// one: a multi-line edit that swallowed Tab would trap a keyboard user there.
QStringList unreachedControls(QWidget* window)
{
    QSet<QWidget*> reached;
    for (int press = 0; press < 64; ++press) {
        QWidget* focus = QApplication::focusWidget();
        if (!focus || !window->isAncestorOf(focus))
            return {QStringLiteral("the focus left the window")};
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
            missed << QStringLiteral("not reached: ") + describe(control);
    }
    return missed;
}

}  // namespace

class TestPointerTargets : public QObject {
    Q_OBJECT

private slots:
    void everyControlIsNamedReachedAndPointedAt_data()
    {
        QTest::addColumn<int>("form");
        const QList<FormCase> forms = EveryForm();
        for (int i = 0; i < forms.size(); ++i)
            QTest::newRow(qPrintable(forms[i].name)) << i;
    }

    // Each form shown once; Tab goes last, as it moves the focus.
    void everyControlIsNamedReachedAndPointedAt()
    {
        QFETCH(int, form);
        const std::unique_ptr<ShownForm> shown = EveryForm()[form].show();
        QWidget* window = shown->Window();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QStringList faults = coveredControls(window) + unnamedControls(window) + unreadLabels(window)
                                  + unreachedControls(window);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    }
};

QTEST_MAIN(TestPointerTargets)
#include "tst_pointertargets.moc"
