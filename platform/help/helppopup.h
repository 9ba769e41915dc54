#pragma once

#include <QFrame>

class QLabel;

namespace platform::help {

// A pop-up topic: a small framed note beside the control it explains, closed
// by any key or click.
class CHelpPopup : public QFrame {
    Q_OBJECT
public:
    CHelpPopup(const QString& html, QWidget* owner);

    // Shows the note to the right of `near` (or at `globalPos` without one),
    // kept on the screen.
    void ShowBeside(QWidget* near, QPoint globalPos);
    QString Html() const { return m_strHtml; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_strHtml;
    QLabel* m_label;
};

}  // namespace platform::help
