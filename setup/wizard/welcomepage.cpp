#include "setup/wizard/welcomepage.h"

#include "platform/framework/dialogcontrols.h"
#include "platform/framework/dialogunits.h"
#include "setup/wizard/ddx.h"

#include <QLabel>
#include <QLineEdit>

namespace fw = platform::framework;

namespace setup::wizard {

CWelcomePage::CWelcomePage() : CPropertyPage(QStringLiteral("Welcome"), QSize(214, 125))
{
    const fw::DialogUnits units(font());
    m_pTitle = fw::AddStaticText(this, units, QStringLiteral("Wordwell Practice"), QRect(10, 0, 120, 20));
    fw::SetDlgCtrlID(m_pTitle, 1008);
    m_pGreeting = fw::AddEdit(this, units, 1001, QStringLiteral("Welcome"), QRect(10, 25, 85, 14),
                              fw::EditReadOnly | fw::EditNoBorder);
}

bool CWelcomePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    QFont title(QStringLiteral("Arial"), font().pointSize());
    title.setBold(true);
    title.setItalic(true);
    m_pTitle->setFont(title);
    m_strWelcome = QStringLiteral("Install Program");
    return true;
}

bool CWelcomePage::OnSetActive()
{
    GetParentSheet()->SetWizardButtons(PSWIZB_NEXT);
    return CPropertyPage::OnSetActive();
}

void CWelcomePage::DoDataExchange(bool save)
{
    DDX_Text(save, m_pGreeting, m_strWelcome);
}

}  // namespace setup::wizard
