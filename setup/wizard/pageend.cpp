#include "setup/wizard/pageend.h"

#include "common/folderpath.h"
#include "platform/framework/dialogcontrols.h"
#include "platform/framework/dialogunits.h"
#include "platform/framework/messagebox.h"
#include "setup/install/installproduct.h"
#include "setup/wizard/ddx.h"

#include <QCheckBox>
#include <QPlainTextEdit>

namespace fw = platform::framework;

namespace setup::wizard {

CPageEnd::CPageEnd() : CPropertyPage(QStringLiteral("End"), QSize(214, 123))
{
    m_strSummary = QStringLiteral("processing");
    const fw::DialogUnits units(font());
    fw::AddStaticText(this, units, QStringLiteral("Click the Finish button when your ready to install with ..."),
                      QRect(7, 2, 110, 18));
    m_pSummary = fw::AddMultiLineEdit(this, units, 1005, QStringLiteral("Summary"), QRect(20, 30, 185, 65),
                                      fw::EditReadOnly);
    m_pDesktop = fw::AddCheckBox(this, units, 1011, QStringLiteral("Create Shortcut on Desktop?"),
                                 QRect(20, 106, 186, 10));
}

bool CPageEnd::OnSetActive()
{
    GetParentSheet()->SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    m_strSummary.clear();
    m_strSummary = QStringLiteral("Check data:\r\n") + *m_pFolder + QStringLiteral("\r\n") + *m_pGroupPath;
    return CPropertyPage::OnSetActive();
}

bool CPageEnd::OnWizardFinish()
{
    UpdateData(true);
    if (InstallProduct(*m_pFolder, *m_pGroupPath, m_bDesktopShortcut))
        fw::AfxMessageBox(QStringLiteral("The installation was successful."), fw::MB_OK | fw::MB_ICONINFORMATION);
    else
        fw::AfxMessageBox(QStringLiteral("Error, Unable to install program -- try again."),
                          fw::MB_OK | fw::MB_ICONSTOP);
    return CPropertyPage::OnWizardFinish();
}

QString CPageEnd::PageText() const
{
    return CPropertyPage::PageText() + u' ' + m_pSummary->toPlainText();
}

void CPageEnd::OnCancel()
{
    common::RemoveFolderLevels(*m_pFolder);
    common::RemoveFolderLevels(*m_pGroupPath);
    CPropertyPage::OnCancel();
}

void CPageEnd::DoDataExchange(bool save)
{
    DDX_Text(save, m_pSummary, m_strSummary);
    DDX_Check(save, m_pDesktop, m_bDesktopShortcut);
}

}  // namespace setup::wizard
