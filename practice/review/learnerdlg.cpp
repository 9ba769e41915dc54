#include "practice/review/learnerdlg.h"

#include "platform/framework/dataexchange.h"
#include "platform/framework/messagebox.h"
#include "practice/review/learner.h"

#include <QLineEdit>

namespace fw = platform::framework;

namespace {

enum : int { IDD_LEARNER = 140, IDC_LEARNERNAME = 1040 };

fw::DialogTemplate learnerTemplate()
{
    using fw::ControlKind;
    const QString label = QStringLiteral("Learner's &name:");
    fw::DialogTemplate t;
    t.id = IDD_LEARNER;
    t.fontFamily = QStringLiteral("MS Sans Serif");
    t.size = {200, 62};
    t.items = {
        {fw::IDC_STATIC, ControlKind::Label, label, {10, 12, 60, 8}, 0, 0, {}},
        {IDC_LEARNERNAME, ControlKind::Edit, QString(), {72, 10, 118, 14}, fw::CS_BORDER | fw::CS_AUTOHSCROLL | fw::CS_TABSTOP,
         0, fw::PlainCaption(label)},
        {fw::IDOK, ControlKind::DefPushButton, QStringLiteral("OK"), {84, 38, 50, 14}, fw::CS_TABSTOP, 0, {}},
        {fw::IDCANCEL, ControlKind::PushButton, QStringLiteral("Cancel"), {140, 38, 50, 14}, fw::CS_TABSTOP, 0, {}},
    };
    return t;
}

}  // namespace

CLearnerDlg::CLearnerDlg(QWidget* parent) : CDialog(learnerTemplate(), parent)
{
    setWindowTitle(QStringLiteral("Learner"));
    m_strName = practice::review::CurrentLearner();
    UpdateData(false);
    // The class's name for the learner is the one results go under: not typed here.
    m_fromClass = !practice::review::ClassLearnerName().isEmpty();
    static_cast<QLineEdit*>(GetDlgItem(IDC_LEARNERNAME))->setReadOnly(m_fromClass);
    if (m_fromClass)
        GetDlgItem(IDC_LEARNERNAME)->setAccessibleDescription(QStringLiteral("The name the class knows you by."));
}

void CLearnerDlg::DoDataExchange(fw::CDataExchange* pDX)
{
    fw::DDX_Text(pDX, IDC_LEARNERNAME, m_strName);
}

void CLearnerDlg::OnOK()
{
    if (m_fromClass) {
        EndDialog(fw::IDOK);
        return;
    }
    UpdateData(true);
    QString name;
    QString problem;
    if (!practice::review::CheckLearnerName(m_strName, &name, &problem)) {
        fw::AfxMessageBox(problem, fw::MB_ICONEXCLAMATION);
        GetDlgItem(IDC_LEARNERNAME)->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_strName = name;
    if (!practice::review::SetCurrentLearner(name))
        fw::AfxMessageBox(QStringLiteral("The learner's name could not be remembered: the settings file cannot be written."),
                          fw::MB_ICONEXCLAMATION);
    EndDialog(fw::IDOK);
}
