#pragma once

#include "platform/framework/dialog.h"

// Template 100: the uninstaller's About box.
class CAboutDlg : public platform::framework::CDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
