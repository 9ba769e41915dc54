#include "setup/wizard/pagegroup.h"

#include "common/folderpath.h"
#include "common/installfolder.h"
#include "common/record.h"
#include "platform/framework/dialogcontrols.h"
#include "platform/framework/dialogunits.h"
#include "platform/shell/folderchooser.h"
#include "platform/shell/specialfolders.h"
#include "setup/wizard/ddx.h"
#include "setup/wizard/folderstep.h"

#include <QLineEdit>
#include <QPushButton>

namespace fw = platform::framework;
namespace shell = platform::shell;

namespace setup::wizard {

CPageGroup::CPageGroup() : CPropertyPage(QStringLiteral("Program Group"), QSize(254, 124))
{
    const fw::DialogUnits units(font());
    QPushButton* browse = fw::AddPushButton(this, units, 1010, QStringLiteral("Change"), QRect(200, 40, 50, 14));
    fw::AddStaticText(this, units, QStringLiteral("Group"), QRect(7, 7, 110, 16));
    m_pGroupName = fw::AddEdit(this, units, 1009, QStringLiteral("Program Group"), QRect(14, 40, 167, 14));
    fw::AddGroupBox(this, units, QStringLiteral("Program Group"), QRect(7, 30, 183, 32));
    connect(browse, &QPushButton::clicked, this, &CPageGroup::OnChangeGroup);
}

bool CPageGroup::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_strGroupName = common::record::kDefaultGroupName;
    m_strGroupPath = QString();
    return true;
}

bool CPageGroup::OnSetActive()
{
    GetParentSheet()->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CPropertyPage::OnSetActive();
}

void CPageGroup::OnChangeGroup()
{
    const auto choice =
        shell::BrowseForFolder(this, shell::BrowseRoot::Programs, QStringLiteral("Choose a Program Group"));
    if (!choice)
        return;
    m_strGroupName = choice->displayName;
    UpdateData(false);
}

int CPageGroup::OnWizardNext()
{
    const QString programsFolder = shell::ProgramsFolder();
    UpdateData(true);
    if (const QString stripped = StripOneTrailingSeparator(m_strGroupName); stripped != m_strGroupName) {
        m_strGroupName = stripped;
        UpdateData(false);
    }
    m_strGroupPath = common::record::ProgramGroupPath(programsFolder, m_strGroupName);
    const FolderStepTexts texts{QStringLiteral("Group already exists, use anyway?"),
                                QStringLiteral("Invalid Group!  Please enter a new Group.")};
    // The group's entries stay inside the programs folder, where desktops look.
    const bool usable = common::IsUsableFolder(m_strGroupPath)
                        && common::IsInsideFolder(m_strGroupPath, programsFolder);
    const QString real = AcceptFolder(m_strGroupPath, usable, texts);
    if (real.isNull())
        return -1;
    m_strGroupPath = real;
    return CPropertyPage::OnWizardNext();
}

void CPageGroup::OnCancel()
{
    common::RemoveFolderLevels(*m_pFolder);
    CPropertyPage::OnCancel();
}

void CPageGroup::DoDataExchange(bool save)
{
    DDX_Text(save, m_pGroupName, m_strGroupName);
}

}  // namespace setup::wizard
