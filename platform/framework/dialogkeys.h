#pragma once

#include <QObject>

class QWidget;

namespace platform::framework {

// The keys every dialog of the programs answers alike, whatever it is built
// from: Enter presses the focused push button, or else the window's default
// push button (hidden or not), so Enter on a focused Cancel cancels; Shift+F10
// asks the focused control for its context menu, as the menu key does, and an
// unanswered request goes on up to the window.
class CDialogKeys : public QObject {
    Q_OBJECT
public:
    // Answers those keys for `window` and every control it holds now.
    explicit CDialogKeys(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_pWindow;
};

}  // namespace platform::framework
