#pragma once

#include <QFont>
#include <QRect>

class QWidget;

// Dialog templates give positions in dialog units: a quarter of the dialog
// font's average character width across, an eighth of its height down. Forms
// place each control at its template rectangle converted with these, so every
// form keeps its arrangement at any font size, and keep each control's id.
namespace platform::framework {

// A dialog font as templates name it ("MS Sans Serif", 8 points); fontconfig
// substitutes a face that exists.
QFont DialogFont(const QString& family = QStringLiteral("MS Sans Serif"), int pointSize = 8);

class DialogUnits {
public:
    // Base units from the font: the average width of its 52 letters, rounded, and its height.
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseUnitX, int baseUnitY) : m_baseX(baseUnitX), m_baseY(baseUnitY) {}

    int MapX(int dialogUnits) const;
    int MapY(int dialogUnits) const;
    QRect MapDialogRect(const QRect& dialogUnits) const;
    QSize MapDialogSize(const QSize& dialogUnits) const;

private:
    int m_baseX;
    int m_baseY;
};

// Puts `control` at its template rectangle inside its parent and records its id.
void PlaceControl(QWidget* control, const DialogUnits& units, const QRect& rect, int id = 0);

void SetDlgCtrlID(QWidget* control, int id);
int GetDlgCtrlID(const QWidget* control);
// The child of `dialog` with that id, or null.
QWidget* GetDlgItem(const QWidget* dialog, int id);

}  // namespace platform::framework
