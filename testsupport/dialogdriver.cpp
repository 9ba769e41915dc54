#include "testsupport/dialogdriver.h"

#include "platform/framework/dialog.h"
#include "platform/framework/dialogtemplate.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>

void RunModal(const std::function<void()>& trigger, const std::function<void(platform::framework::CDialog*)>& drive)
{
    bool driven = false;
    QTimer::singleShot(0, qApp, [&] {
        auto* dialog = qobject_cast<platform::framework::CDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            qWarning("no modal dialog came up");
            return;
        }
        QPointer<platform::framework::CDialog> guard(dialog);
        // The offscreen platform leaves the main window active; a window manager would not.
        dialog->activateWindow();
        if (!QTest::qWaitFor([&] { return dialog->isActiveWindow(); }))
            qWarning("the dialog did not become active");
        drive(dialog);
        driven = true;
        if (guard && guard->isVisible())
            guard->reject();
    });
    trigger();
    QVERIFY2(driven, "the dialog was never driven");
}

QStringList RowTexts(const QAbstractItemModel* model)
{
    QStringList out;
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
            cells << model->index(row, c).data().toString();
        out << cells.join(u'|');
    }
    return out;
}

int FocusedId()
{
    return platform::framework::GetDlgCtrlID(QApplication::focusWidget());
}

void PressTab(int count, bool backwards)
{
    for (int i = 0; i < count; ++i)
        QTest::keyClick(QApplication::focusWidget(), backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                        backwards ? Qt::ShiftModifier : Qt::NoModifier);
}

void PressKey(int key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
}

void TypeText(const QString& text)
{
    QTest::keyClicks(QApplication::focusWidget(), text);
}
