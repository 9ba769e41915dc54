#include "setup/wizard/pagelicense.h"

#include "platform/framework/dialogcontrols.h"
#include "platform/framework/dialogunits.h"
#include "platform/framework/messagebox.h"
#include "platform/framework/winapp.h"
#include "setup/wizard/ddx.h"
#include "setup/wizard/licensetext.h"

#include <QCheckBox>
#include <QPlainTextEdit>

namespace fw = platform::framework;

namespace setup::wizard {

CPageLicense::CPageLicense() : CPropertyPage(QStringLiteral("License"), QSize(214, 123))
{
    const fw::DialogUnits units(font());
    fw::AddStaticText(this, units,
                      QStringLiteral("Please Read the following license agreement.  Use the scroll bars to read "
                                     "the rest of the agreement."),
                      QRect(7, 0, 200, 17));
    m_pAgreement = fw::AddMultiLineEdit(this, units, 1002, QStringLiteral("License agreement"), QRect(7, 18, 203, 87),
                                        fw::EditReadOnly | fw::EditVerticalScroll | fw::EditHorizontalScroll);
    m_pAccept = fw::AddCheckBox(this, units, 1003, QStringLiteral("I Accept"), QRect(81, 106, 40, 10));
}

bool CPageLicense::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    for (const QString& piece : LicensePieces())
        m_strLicense += piece;
    return true;
}

bool CPageLicense::OnSetActive()
{
    GetParentSheet()->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CPropertyPage::OnSetActive();
}

int CPageLicense::OnWizardNext()
{
    UpdateData(true);
    if (!m_bAccept) {
        fw::MessageBox(this,
                       QStringLiteral("You must Accept the License agreement\nby checking the box\nto continue the "
                                      "setup program."),
                       fw::AfxGetAppTitle(), fw::MB_OK);
        return -1;
    }
    return CPropertyPage::OnWizardNext();
}

void CPageLicense::DoDataExchange(bool save)
{
    DDX_Check(save, m_pAccept, m_bAccept);
    DDX_Text(save, m_pAgreement, m_strLicense);
}

}  // namespace setup::wizard
