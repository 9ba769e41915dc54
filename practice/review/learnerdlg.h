#pragma once

#include "platform/framework/dialog.h"

// Asks for the learner's name; OK keeps it only when it passes the name rules,
// and otherwise says why and leaves the dialog open. While a class is joined it
// shows the class's name for the learner, which cannot be changed here.
class CLearnerDlg : public platform::framework::CDialog {
    Q_OBJECT
public:
    explicit CLearnerDlg(QWidget* parent = nullptr);

    void DoDataExchange(platform::framework::CDataExchange* pDX) override;
    void OnOK() override;

    QString m_strName;

private:
    bool m_fromClass = false;
};
