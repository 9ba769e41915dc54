#pragma once

#include "platform/framework/dialog.h"

#include <QDate>

// Asks what a list is published to the class as: its title and, if it has
// one, its due date (year-month-day).
class CPublishDlg : public platform::framework::CDialog {
    Q_OBJECT
public:
    CPublishDlg(const QString& title, QWidget* parent = nullptr);

    void DoDataExchange(platform::framework::CDataExchange* pDX) override;
    void OnOK() override;

    QString m_strTitle;
    QString m_strDue;
    // Read from m_strDue when OK is pressed; invalid for none.
    QDate m_due;
};

namespace practice::classroom {

// The title and due date as published, or false with the reason to tell the user.
bool CheckPublishFields(const QString& title, const QString& due, QString* keptTitle, QDate* keptDue, QString* problem);

}  // namespace practice::classroom
