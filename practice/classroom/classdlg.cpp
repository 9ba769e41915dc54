#include "practice/classroom/classdlg.h"

#include "platform/framework/dataexchange.h"
#include "platform/framework/messagebox.h"
#include "practice/classroom/classjob.h"
#include "practice/classroom/classtexts.h"
#include "practice/review/learner.h"

#include <QLabel>
#include <QPushButton>

namespace fw = platform::framework;
using namespace practice::classroom;
using practice::history::ClassConnection;
using practice::history::ClassMember;
using practice::history::ClassStore;

namespace {

enum : int {
    IDD_CLASS = 410,
    IDC_CLASSSERVICE = 1401,
    IDC_CLASSHOST,
    IDC_CLASSPORT,
    IDC_CLASSDATABASE,
    IDC_CLASSUSER,
    IDC_CLASSSTATUS,
    IDC_TESTCLASS,
    IDC_LEAVECLASS,
};

fw::DialogTemplate classTemplate()
{
    using fw::ControlKind;
    fw::DialogTemplate t;
    t.id = IDD_CLASS;
    t.fontFamily = QStringLiteral("MS Sans Serif");
    t.size = {240, 158};
    const struct {
        int id;
        const char* label;
    } fields[] = {{IDC_CLASSSERVICE, "&Service:"},
                  {IDC_CLASSHOST, "&Host:"},
                  {IDC_CLASSPORT, "&Port:"},
                  {IDC_CLASSDATABASE, "&Database:"},
                  {IDC_CLASSUSER, "&User:"}};
    int y = 8;
    for (const auto& field : fields) {
        const QString label = QString::fromLatin1(field.label);
        t.items.append({fw::IDC_STATIC, ControlKind::Label, label, {10, y + 2, 50, 8}, 0, 0, {}});
        t.items.append({field.id, ControlKind::Edit, QString(), {62, y, 168, 14},
                        fw::CS_BORDER | fw::CS_AUTOHSCROLL | fw::CS_TABSTOP, 0, fw::PlainCaption(label)});
        y += 18;
    }
    t.items += {
        {IDC_CLASSSTATUS, ControlKind::Label, QString(), {10, y + 2, 220, 24}, fw::CS_NOPREFIX, 0, {}},
        {IDC_TESTCLASS, ControlKind::PushButton, QStringLiteral("&Test Connection"), {10, 136, 64, 14}, fw::CS_TABSTOP, 0, {}},
        {IDC_LEAVECLASS, ControlKind::PushButton, QStringLiteral("&Leave Class"), {78, 136, 50, 14}, fw::CS_TABSTOP, 0, {}},
        {fw::IDOK, ControlKind::DefPushButton, QStringLiteral("OK"), {134, 136, 46, 14}, fw::CS_TABSTOP, 0, {}},
        {fw::IDCANCEL, ControlKind::PushButton, QStringLiteral("Cancel"), {184, 136, 46, 14}, fw::CS_TABSTOP, 0, {}},
    };
    return t;
}

}  // namespace

CClassDlg::CClassDlg(QWidget* parent) : CDialog(classTemplate(), parent)
{
    setWindowTitle(QStringLiteral("Class"));
    m_status = static_cast<QLabel*>(GetDlgItem(IDC_CLASSSTATUS));
    m_status->setWordWrap(true);
    m_joined = ReadJoinedClass();
    const ClassConnection& where = m_joined.where;
    m_strService = where.service;
    m_strHost = where.host;
    m_strPort = where.port > 0 ? QString::number(where.port) : QString();
    m_strDatabase = where.database;
    m_strUser = where.user;
    OnCommand(IDC_TESTCLASS, [this] { OnTestConnection(); });
    OnCommand(IDC_LEAVECLASS, [this] { OnLeaveClass(); });
    showJoined();
}

void CClassDlg::DoDataExchange(fw::CDataExchange* pDX)
{
    fw::DDX_Text(pDX, IDC_CLASSSERVICE, m_strService);
    fw::DDX_Text(pDX, IDC_CLASSHOST, m_strHost);
    fw::DDX_Text(pDX, IDC_CLASSPORT, m_strPort);
    fw::DDX_Text(pDX, IDC_CLASSDATABASE, m_strDatabase);
    fw::DDX_Text(pDX, IDC_CLASSUSER, m_strUser);
}

void CClassDlg::showJoined()
{
    m_status->setText(m_joined.IsJoined() ? MemberText(m_joined.me, m_joined.where) : QString());
    GetDlgItem(IDC_LEAVECLASS)->setEnabled(m_joined.IsJoined());
}

bool CClassDlg::ReadFields(ClassConnection* where)
{
    UpdateData(true);
    bool ok = true;
    const int port = m_strPort.trimmed().isEmpty() ? 0 : m_strPort.trimmed().toInt(&ok);
    if (!ok || port < 0 || port > 65535) {
        fw::AfxMessageBox(QStringLiteral("The port must be a number from 1 to 65535, or empty for the usual one."),
                          fw::MB_ICONEXCLAMATION);
        GetDlgItem(IDC_CLASSPORT)->setFocus(Qt::OtherFocusReason);
        return false;
    }
    *where = {m_strService.trimmed(), m_strHost.trimmed(), port, m_strDatabase.trimmed(), m_strUser.trimmed()};
    return true;
}

void CClassDlg::OnTestConnection()
{
    ClassConnection where;
    if (ReadFields(&where))
        check(where, false);
}

void CClassDlg::OnOK()
{
    ClassConnection where;
    if (!ReadFields(&where))
        return;
    const bool same = where.Key() == m_joined.where.Key();
    if (!where.IsSet() && m_joined.IsJoined()) {
        fw::AfxMessageBox(QStringLiteral("Please type the class's service or database, or choose Leave Class."),
                          fw::MB_ICONEXCLAMATION);
        return;
    }
    if (!where.IsSet() || (same && m_joined.IsJoined())) {
        EndDialog(fw::IDOK);
        return;
    }
    check(where, true);
}

void CClassDlg::OnLeaveClass()
{
    if (!LeaveClass())
        fw::AfxMessageBox(QStringLiteral("Unable to store the setting in the program's settings."), fw::MB_ICONEXCLAMATION);
    m_joined = ReadJoinedClass();
    showJoined();
    GetDlgItem(fw::IDOK)->setFocus(Qt::OtherFocusReason);
}

void CClassDlg::check(const ClassConnection& where, bool join)
{
    // A second press while connecting starts afresh; the first is forgotten.
    delete m_job;
    m_checking = where;
    auto found = std::make_shared<ClassMember>();
    m_job = new CClassJob(where, [found](ClassStore& store, QString* error) { return store.Me(found.get(), error); },
                          this, this);
    connect(m_job, &CClassJob::Finished, this, [this, found, join](bool ok, const QString& error) {
        m_found = *found;
        checked(ok, error, join);
    });
    m_status->setText(QStringLiteral("Connecting to the class..."));
    GetDlgItem(IDC_TESTCLASS)->setEnabled(false);
    GetDlgItem(fw::IDOK)->setEnabled(false);
    m_job->Start();
}

void CClassDlg::checked(bool ok, const QString& error, bool join)
{
    m_job->deleteLater();
    GetDlgItem(IDC_TESTCLASS)->setEnabled(true);
    GetDlgItem(fw::IDOK)->setEnabled(true);
    QString why = error;
    QString name;
    if (ok && !practice::review::CheckLearnerName(m_found.name, &name, &why))
        why = QStringLiteral("The class's name for you cannot be used: %1").arg(why);
    if (!why.isEmpty()) {
        showJoined();
        fw::AfxMessageBox(why, fw::MB_ICONEXCLAMATION);
        return;
    }
    m_found.name = name;
    m_status->setText(MemberText(m_found, m_checking));
    if (!join)
        return;
    if (!SaveJoinedClass({m_checking, m_found}))
        fw::AfxMessageBox(QStringLiteral("Unable to store the setting in the program's settings."), fw::MB_ICONEXCLAMATION);
    EndDialog(fw::IDOK);
}
