#pragma once

#include <QDialog>

// Template 100: the uninstaller's About box.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
