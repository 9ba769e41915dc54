#include "practice/classroom/classpassword.h"

#include "platform/framework/dataexchange.h"
#include "platform/framework/messagebox.h"

#include <QLabel>
#include <QLineEdit>

namespace fw = platform::framework;

namespace {

enum : int { IDD_CLASSPASSWORD = 411, IDC_PASSWORDPROMPT = 1410, IDC_PASSWORD = 1411 };

QString& heldPassword()
{
    static QString password;
    return password;
}

fw::DialogTemplate passwordTemplate()
{
    using fw::ControlKind;
    const QString label = QStringLiteral("&Password:");
    fw::DialogTemplate t;
    t.id = IDD_CLASSPASSWORD;
    t.fontFamily = QStringLiteral("MS Sans Serif");
    t.size = {200, 72};
    t.items = {
        {IDC_PASSWORDPROMPT, ControlKind::Label, QString(), {10, 8, 180, 16}, fw::CS_NOPREFIX, 0, {}},
        {fw::IDC_STATIC, ControlKind::Label, label, {10, 30, 60, 8}, 0, 0, {}},
        {IDC_PASSWORD, ControlKind::Edit, QString(), {72, 28, 118, 14}, fw::CS_BORDER | fw::CS_AUTOHSCROLL | fw::CS_TABSTOP,
         0, fw::PlainCaption(label)},
        {fw::IDOK, ControlKind::DefPushButton, QStringLiteral("OK"), {84, 50, 50, 14}, fw::CS_TABSTOP, 0, {}},
        {fw::IDCANCEL, ControlKind::PushButton, QStringLiteral("Cancel"), {140, 50, 50, 14}, fw::CS_TABSTOP, 0, {}},
    };
    return t;
}

}  // namespace

namespace practice::classroom {

QString RunPassword()
{
    return heldPassword();
}

void KeepRunPassword(const QString& password)
{
    heldPassword() = password;
}

void ForgetRunPassword()
{
    heldPassword().clear();
}

bool AskRunPassword(const QString& user, QWidget* parent)
{
    CClassPasswordDlg dialog(user, parent);
    if (dialog.DoModal() != fw::IDOK)
        return false;
    KeepRunPassword(dialog.m_strPassword);
    return true;
}

}  // namespace practice::classroom

CClassPasswordDlg::CClassPasswordDlg(const QString& user, QWidget* parent) : CDialog(passwordTemplate(), parent)
{
    setWindowTitle(QStringLiteral("Class Password"));
    auto* prompt = static_cast<QLabel*>(GetDlgItem(IDC_PASSWORDPROMPT));
    prompt->setWordWrap(true);
    prompt->setText(user.isEmpty() ? QStringLiteral("The class's server asks for your password.")
                                   : QStringLiteral("The class's server asks for the password of %1.").arg(user));
    auto* edit = static_cast<QLineEdit*>(GetDlgItem(IDC_PASSWORD));
    edit->setEchoMode(QLineEdit::Password);
}

void CClassPasswordDlg::DoDataExchange(fw::CDataExchange* pDX)
{
    fw::DDX_Text(pDX, IDC_PASSWORD, m_strPassword);
}
