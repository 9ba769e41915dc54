#pragma once

#include <QString>

class QWidget;

namespace platform::framework {

// One pass of data exchange between a window's members and its controls:
// saving reads the controls into the members, otherwise the members are
// written to the controls.
class CDataExchange {
public:
    CDataExchange(QWidget* window, bool saveAndValidate) : m_pDlgWnd(window), m_bSaveAndValidate(saveAndValidate) {}

    // The control with that id; a template without it is a programming error.
    QWidget* PrepareCtrl(int id);
    // Ends a save that found a control's text unusable: the control gets the focus.
    void Fail(QWidget* control);
    bool Failed() const { return m_bFailed; }

    QWidget* const m_pDlgWnd;
    const bool m_bSaveAndValidate;

private:
    bool m_bFailed = false;
};

// Text of an edit, label or button. A multi-line edit shows "\r\n" as a line
// break and gives it back as "\r\n".
void DDX_Text(CDataExchange* pDX, int id, QString& value);
// An integer shown in plain decimal; reading text that is not one fails the
// exchange with the framework's message.
void DDX_Text(CDataExchange* pDX, int id, int& value);

// A check box's state as 0 (clear) or 1 (ticked).
void DDX_Check(CDataExchange* pDX, int id, int& value);

// Binds a control object to the control with that id.
template <typename T>
void DDX_Control(CDataExchange* pDX, int id, T*& control)
{
    if (!control)
        control = static_cast<T*>(pDX->PrepareCtrl(id));
}

}  // namespace platform::framework
