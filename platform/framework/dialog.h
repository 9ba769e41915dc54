#pragma once

#include "platform/framework/cmdtarget.h"
#include "platform/framework/dialogtemplate.h"
#include "platform/framework/helprequest.h"

#include <QDialog>

namespace platform::framework {

class CDataExchange;

// A modal dialog made from a dialog template. A push button's click reaches
// the command map with the button's id (IDOK and IDCANCEL run OnOK and
// OnCancel unless mapped otherwise); Enter and Shift+F10 work as CDialogKeys
// says; Escape and the close box cancel; help requests for the controls come
// to OnHelpInfo.
class CDialog : public QDialog, public CCmdTarget, public CHelpInfoTarget {
    Q_OBJECT
public:
    explicit CDialog(const DialogTemplate& dialogTemplate, QWidget* parent = nullptr);

    // Runs OnInitDialog, then the dialog; IDOK or IDCANCEL (or what EndDialog was given).
    int DoModal();
    void EndDialog(int result);

    // Runs DoDataExchange; false when a control's text could not be read back.
    bool UpdateData(bool saveAndValidate = true);
    virtual void DoDataExchange(CDataExchange* pDX) { Q_UNUSED(pDX); }
    // Writes the members to the controls; true lets the first tab stop take the
    // focus (an edit box then has its text selected).
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // Nothing by default: the request is taken and nothing is shown.
    bool OnHelpInfo(HELPINFO* info) override;

    QWidget* GetDlgItem(int id) const { return platform::framework::GetDlgItem(this, id); }

    // The dialog's own background and its labels and frames take `color`;
    // edit boxes, list boxes and buttons keep the system's colours.
    void SetBackgroundColor(const QColor& color);

    void reject() override;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void sendCommand(int id);
    QWidget* firstTabStop() const;

    bool m_bFocusFirstTabStop = false;
};

}  // namespace platform::framework
