#pragma once

#include "platform/framework/dialogtemplate.h"
#include "platform/framework/documentview.h"

namespace platform::framework {

class CDataExchange;
class CFrameWnd;

// A view that is a form: its controls come from a dialog template, its
// members are exchanged with them by DoDataExchange, a button click reaches
// the command map with the button's id, Enter goes to the form's default
// button, and the framework's print commands print the form as it stands.
class CFormView : public CDocumentView {
    Q_OBJECT
public:
    explicit CFormView(const DialogTemplate& dialogTemplate, QWidget* parent = nullptr);

    CFrameWnd* GetParentFrame() const;

    // Runs DoDataExchange; false when a control's text could not be read back.
    bool UpdateData(bool saveAndValidate = true);
    virtual void DoDataExchange(CDataExchange* pDX) { Q_UNUSED(pDX); }

    // Called after every new or opened document: writes the members to the
    // controls, then OnUpdate.
    virtual void OnInitialUpdate();
    void OnUpdate(CView* sender, qintptr hint, QObject* hintObject) override;

    QWidget* GetDlgItem(int id) const { return platform::framework::GetDlgItem(this, id); }

protected:
    // The print commands: with the print dialog, straight to the default printer, or previewed.
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();

    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
};

}  // namespace platform::framework
