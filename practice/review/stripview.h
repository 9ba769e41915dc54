#pragma once

#include <QScrollArea>

class CLetterStrip;

// Holds the letter strip at the window's width: the strip wraps, and past a
// few rows (a very long answer) the rows scroll instead of growing the window
// taller than the screen. Not a stop for Tab: the differences list below says
// the same to the keyboard and a screen reader.
class CLetterStripView : public QScrollArea {
    Q_OBJECT
public:
    explicit CLetterStripView(CLetterStrip* strip, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CLetterStrip* m_strip;
};
