#pragma once

#include <QFrame>

class QLabel;

namespace platform::help {

// A pop-up topic: a small framed note beside the control it explains, closed
// by any key or click, or when another window takes the focus. It is a window
// of its own that takes the focus, so that a screen reader meets it as a help
// balloon and reads its topic (its accessible description).
class CHelpPopup : public QFrame {
    Q_OBJECT
public:
    CHelpPopup(const QString& html, QWidget* owner);

    // Shows the note to the right of `near` (or at `globalPos` without one),
    // kept on the screen, and gives it the focus.
    void ShowBeside(QWidget* near, QPoint globalPos);
    QString Html() const { return m_strHtml; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_strHtml;
    QLabel* m_label;
};

}  // namespace platform::help
