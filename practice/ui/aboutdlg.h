#pragma once

#include "platform/framework/dialog.h"

namespace practice::ui {

// The About box: the product's icon, name and version, and its notice; OK,
// Enter or Escape close it.
class CAboutDlg : public platform::framework::CDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    bool OnHelpInfo(platform::framework::HELPINFO* info) override;
};

}  // namespace practice::ui
