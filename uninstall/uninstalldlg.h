#pragma once

#include <QDialog>

class QCheckBox;

// Template 102: asks whether to remove the product, and the recorded words too.
class CUninstallDlg : public QDialog {
    Q_OBJECT
public:
    explicit CUninstallDlg(QWidget* parent = nullptr);

    bool UpdateData(bool saveAndValidate = true);

    // "Uninstall": runs the removal, reports its outcome, closes.
    void OnOK();
    // The About command, offered on the dialog's context menu.
    void OnAbout();

    int m_bRemoveAll = 0;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QCheckBox* m_pRemoveAll;
};
