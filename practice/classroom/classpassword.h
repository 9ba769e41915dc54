#pragma once

#include "platform/framework/dialog.h"

#include <QString>

class QWidget;

// The password the class's server asked for: typed once a run, kept in this
// process's memory only, never in the settings.
namespace practice::classroom {

QString RunPassword();
void KeepRunPassword(const QString& password);
// After the server refused it: the next connection asks again.
void ForgetRunPassword();

// Asks for the password of `user` at the class; false when the user cancels.
bool AskRunPassword(const QString& user, QWidget* parent);

}  // namespace practice::classroom

// The password field, its echo off.
class CClassPasswordDlg : public platform::framework::CDialog {
    Q_OBJECT
public:
    CClassPasswordDlg(const QString& user, QWidget* parent = nullptr);

    void DoDataExchange(platform::framework::CDataExchange* pDX) override;

    QString m_strPassword;
};
