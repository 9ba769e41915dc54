#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QObject>
#include <QPointer>
#include <QRect>

class QPainter;
class QWidget;

// Owner-draw item states.
enum : unsigned {
    ODS_SELECTED = 0x0001,
    ODS_DISABLED = 0x0004,
    ODS_FOCUS = 0x0010,
};

// One request to draw an owner-drawn button.
struct DRAWITEMSTRUCT {
    QPainter* pDC = nullptr;
    QRect rcItem;
    unsigned itemState = 0;
};

// A push button with its own face colour, label colours and a bevelled 3-D edge
// of selectable width (positive raised, negative sunken). It takes over an
// existing button of a form and draws the whole button itself whenever the
// button is painted. The button keeps its text, focus, keys and accessible name.
// No pen or brush is kept between draws.
class CColorButton : public QObject {
    Q_OBJECT

public:
    CColorButton() = default;
    ~CColorButton() override;
    CColorButton(const CColorButton&) = delete;
    CColorButton& operator=(const CColorButton&) = delete;

    // Takes over the button of `parent` whose control id is `id`. False, with the
    // colours untouched and the control left as it was, when there is no such
    // button or it is taken over already.
    bool AttachToControl(int id, QWidget* parent, const QColor& face, const QColor& text,
                         const QColor& disabled, int bevel);
    // Draws the whole button for one request.
    void DrawItem(const DRAWITEMSTRUCT& dis);

    // The button taken over, or null.
    QAbstractButton* Control() const { return m_button; }

    QColor m_clrText = Qt::black;
    QColor m_clrFace = QColor(192, 192, 192);
    QColor m_clrDisabled = QColor(128, 128, 128);
    int m_nBevel = 1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DrawFrame(QPainter* dc, QRect rect, int inset);
    void DrawFilledRect(QPainter* dc, const QRect& rect, const QColor& color);
    void DrawLine(QPainter* dc, int x1, int y1, int x2, int y2, const QColor& color);
    void DrawButtonText(QPainter* dc, const QRect& rect, const QString& label, const QColor& color);
    void DrawFocusRect(QPainter* dc, const QRect& rect);

    QPointer<QAbstractButton> m_button;
};
