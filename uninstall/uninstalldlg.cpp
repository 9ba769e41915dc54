#include "uninstall/uninstalldlg.h"

#include "platform/framework/dialogcontrols.h"
#include "platform/framework/dialogunits.h"
#include "platform/framework/messagebox.h"
#include "uninstall/aboutdlg.h"
#include "uninstall/outcome.h"
#include "uninstall/removal.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>

namespace fw = platform::framework;

CUninstallDlg::CUninstallDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Uninstall"));
    setFont(fw::DialogFont());
    const fw::DialogUnits units(font());
    setFixedSize(units.MapDialogSize(QSize(185, 92)));

    QPushButton* ok = fw::AddPushButton(this, units, fw::IDOK, QStringLiteral("Uninstall"), QRect(17, 71, 50, 14));
    ok->setDefault(true);
    QPushButton* cancel =
        fw::AddPushButton(this, units, fw::IDCANCEL, QStringLiteral("Cancel"), QRect(111, 71, 50, 14));
    fw::AddStaticText(this, units, QStringLiteral("Remove Wordwell Practice"), QRect(17, 14, 113, 8));
    m_pRemoveAll = fw::AddCheckBox(this, units, 1000, QStringLiteral("Remove all files including recorded words?"),
                                   QRect(17, 40, 151, 10));
    connect(ok, &QPushButton::clicked, this, &CUninstallDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    UpdateData(false);
}

bool CUninstallDlg::UpdateData(bool saveAndValidate)
{
    if (saveAndValidate)
        m_bRemoveAll = m_pRemoveAll->isChecked() ? 1 : 0;
    else
        m_pRemoveAll->setChecked(m_bRemoveAll != 0);
    return true;
}

void CUninstallDlg::OnOK()
{
    UpdateData(true);
    const bool success = UninstallProduct(m_bRemoveAll);
    fw::AfxMessageBox(OutcomeMessage(success, m_bRemoveAll), fw::MB_OK, 0);
    accept();
}

void CUninstallDlg::OnAbout()
{
    CAboutDlg about(this);
    about.exec();
}

void CUninstallDlg::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.addAction(QStringLiteral("&About Uninstall..."), this, &CUninstallDlg::OnAbout);
    menu.exec(event->globalPos());
}
