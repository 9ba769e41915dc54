#include "practice/share/importdlg.h"

#include "platform/framework/messagebox.h"
#include "practice/share/importjob.h"

#include <QLabel>

namespace practice::share {

namespace fw = platform::framework;

namespace {

enum : int { IDD_IMPORTCLIPS = 302, IDC_IMPORTWHAT = 1321, IDC_IMPORTCOUNT = 1322 };

fw::DialogTemplate importTemplate(const QString& what)
{
    using fw::ControlKind;
    fw::DialogTemplate t;
    t.id = IDD_IMPORTCLIPS;
    t.fontFamily = QStringLiteral("MS Sans Serif");
    t.size = {200, 62};
    t.items = {
        {IDC_IMPORTWHAT, ControlKind::Label, what, {7, 9, 186, 8}, fw::CS_NOPREFIX, 0, {}},
        {IDC_IMPORTCOUNT, ControlKind::Label, QString(), {7, 23, 186, 8}, 0, 0, {}},
        {fw::IDCANCEL, ControlKind::DefPushButton, QStringLiteral("Cancel"), {75, 41, 50, 14}, fw::CS_TABSTOP, 0, {}},
    };
    return t;
}

}  // namespace

CImportDlg::CImportDlg(CImportJob* job, const QString& what, QWidget* parent)
    : CDialog(importTemplate(what), parent), m_job(job)
{
    setWindowTitle(QStringLiteral("Open List with Recordings"));
    m_count = static_cast<QLabel*>(GetDlgItem(IDC_IMPORTCOUNT));
    connect(m_job, &CImportJob::progress, this, &CImportDlg::showProgress);
    connect(m_job, &CImportJob::finished, this,
            [this] { EndDialog(m_job->Cancelled() ? fw::IDCANCEL : fw::IDOK); });
}

bool CImportDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_pace.Start();
    m_job->Start();
    return true;
}

void CImportDlg::OnCancel()
{
    // The job's finished() ends the dialog.
    m_job->Cancel();
}

void CImportDlg::showProgress(int done, int total)
{
    m_count->setText(QStringLiteral("%1 of %2 clips").arg(done).arg(total));
    m_pace.Report(this, done, total, m_count->text());
}

}  // namespace practice::share
