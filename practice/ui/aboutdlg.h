#pragma once

#include <QDialog>

namespace practice::ui {

// The About box: the product's icon, name and version, and its notice; OK,
// Enter or Escape close it.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    static const QString kVersionText;
};

}  // namespace practice::ui
