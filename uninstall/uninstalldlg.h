#pragma once

#include "platform/framework/dialog.h"

// Template 102: asks whether to remove the product, and the recorded words too.
class CUninstallDlg : public platform::framework::CDialog {
    Q_OBJECT
public:
    explicit CUninstallDlg(QWidget* parent = nullptr);

    void DoDataExchange(platform::framework::CDataExchange* pDX) override;
    bool OnInitDialog() override;
    // "Uninstall": runs the removal, reports its outcome, closes.
    void OnOK() override;
    // The About command, offered on the dialog's context menu.
    void OnAbout();

    int m_bRemoveAll = 0;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
};
