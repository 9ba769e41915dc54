#include "practice/classroom/publishdlg.h"

#include "platform/framework/dataexchange.h"
#include "platform/framework/messagebox.h"

namespace fw = platform::framework;

namespace {

enum : int { IDD_PUBLISH = 412, IDC_PUBLISHTITLE = 1420, IDC_PUBLISHDUE = 1421 };

// The class's database takes titles of at most this many characters.
constexpr int kMaxTitle = 200;

fw::DialogTemplate publishTemplate()
{
    using fw::ControlKind;
    const QString title = QStringLiteral("&Title:");
    const QString due = QStringLiteral("&Due date (optional, YYYY-MM-DD):");
    fw::DialogTemplate t;
    t.id = IDD_PUBLISH;
    t.fontFamily = QStringLiteral("MS Sans Serif");
    t.size = {220, 80};
    t.items = {
        {fw::IDC_STATIC, ControlKind::Label, title, {10, 10, 40, 8}, 0, 0, {}},
        {IDC_PUBLISHTITLE, ControlKind::Edit, QString(), {52, 8, 158, 14}, fw::CS_BORDER | fw::CS_AUTOHSCROLL | fw::CS_TABSTOP,
         0, fw::PlainCaption(title)},
        {fw::IDC_STATIC, ControlKind::Label, due, {10, 32, 130, 8}, 0, 0, {}},
        {IDC_PUBLISHDUE, ControlKind::Edit, QString(), {142, 30, 68, 14}, fw::CS_BORDER | fw::CS_AUTOHSCROLL | fw::CS_TABSTOP,
         0, fw::PlainCaption(due)},
        {fw::IDOK, ControlKind::DefPushButton, QStringLiteral("OK"), {104, 56, 50, 14}, fw::CS_TABSTOP, 0, {}},
        {fw::IDCANCEL, ControlKind::PushButton, QStringLiteral("Cancel"), {160, 56, 50, 14}, fw::CS_TABSTOP, 0, {}},
    };
    return t;
}

}  // namespace

namespace practice::classroom {

bool CheckPublishFields(const QString& title, const QString& due, QString* keptTitle, QDate* keptDue, QString* problem)
{
    const QString trimmed = title.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > kMaxTitle) {
        *problem = QStringLiteral("Please type a title of at most %1 characters.").arg(kMaxTitle);
        return false;
    }
    QDate date;
    if (!due.trimmed().isEmpty()) {
        date = QDate::fromString(due.trimmed(), Qt::ISODate);
        if (!date.isValid()) {
            *problem = QStringLiteral("The due date must be a date such as 2026-12-24, or empty for none.");
            return false;
        }
    }
    *keptTitle = trimmed;
    *keptDue = date;
    return true;
}

}  // namespace practice::classroom

CPublishDlg::CPublishDlg(const QString& title, QWidget* parent) : CDialog(publishTemplate(), parent)
{
    setWindowTitle(QStringLiteral("Publish List to Class"));
    m_strTitle = title;
    UpdateData(false);
}

void CPublishDlg::DoDataExchange(fw::CDataExchange* pDX)
{
    fw::DDX_Text(pDX, IDC_PUBLISHTITLE, m_strTitle);
    fw::DDX_Text(pDX, IDC_PUBLISHDUE, m_strDue);
}

void CPublishDlg::OnOK()
{
    UpdateData(true);
    QString problem;
    if (!practice::classroom::CheckPublishFields(m_strTitle, m_strDue, &m_strTitle, &m_due, &problem)) {
        fw::AfxMessageBox(problem, fw::MB_ICONEXCLAMATION);
        return;
    }
    EndDialog(fw::IDOK);
}
