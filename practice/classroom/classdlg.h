#pragma once

#include "platform/framework/dialog.h"
#include "practice/classroom/classsettings.h"

#include <QPointer>

class QLabel;

namespace practice::classroom {
class CClassJob;
}

// Where the class is: Test Connection says who the class knows the user as;
// OK joins (the class's name becomes the learner's name) and Leave Class
// leaves. Both connect on a thread of their own: Cancel works while they do.
class CClassDlg : public platform::framework::CDialog {
    Q_OBJECT
public:
    explicit CClassDlg(QWidget* parent = nullptr);

    void DoDataExchange(platform::framework::CDataExchange* pDX) override;
    void OnOK() override;

    // What the fields say; false, having said why, when the port is no port.
    bool ReadFields(practice::history::ClassConnection* where);

    QString m_strService;
    QString m_strHost;
    QString m_strPort;
    QString m_strDatabase;
    QString m_strUser;

private:
    void OnTestConnection();
    void OnLeaveClass();
    // Asks the class who the user is; joins when `join`.
    void check(const practice::history::ClassConnection& where, bool join);
    void checked(bool ok, const QString& error, bool join);
    void showJoined();

    practice::classroom::JoinedClass m_joined;
    practice::history::ClassConnection m_checking;
    practice::history::ClassMember m_found;
    QPointer<practice::classroom::CClassJob> m_job;
    QLabel* m_status = nullptr;
};
