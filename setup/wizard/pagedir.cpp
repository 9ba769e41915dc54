#include "setup/wizard/pagedir.h"

#include "common/installfolder.h"
#include "platform/framework/dialogcontrols.h"
#include "platform/framework/dialogunits.h"
#include "platform/shell/folderchooser.h"
#include "platform/shell/shelllink.h"
#include "platform/shell/specialfolders.h"
#include "setup/wizard/ddx.h"
#include "setup/wizard/folderstep.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace fw = platform::framework;
namespace shell = platform::shell;

namespace setup::wizard {

CPageDir::CPageDir() : CPropertyPage(QStringLiteral("Directory"), QSize(249, 124))
{
    const fw::DialogUnits units(font());
    QPushButton* browse =
        fw::AddPushButton(this, units, 1007, QStringLiteral("Change Folder"), QRect(193, 41, 49, 17));
    fw::AddStaticText(this, units, QStringLiteral("Install Folder"), QRect(7, 0, 103, 15));
    m_pFolder = fw::AddEdit(this, units, 1006, QStringLiteral("Folder"), QRect(13, 40, 169, 14));
    // Part of the page's template, kept as it is; it is never shown.
    fw::AddStaticText(this, units, QStringLiteral("hard drive space info here"), QRect(15, 70, 165, 20))->hide();
    fw::AddGroupBox(this, units, QStringLiteral("Folder"), QRect(7, 31, 179, 32));
    connect(browse, &QPushButton::clicked, this, &CPageDir::OnChangeFolder);
}

bool CPageDir::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_strFolder = shell::DefaultInstallFolder();
    return true;
}

bool CPageDir::OnSetActive()
{
    GetParentSheet()->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CPropertyPage::OnSetActive();
}

void CPageDir::OnChangeFolder()
{
    const auto choice = shell::BrowseForFolder(this, shell::BrowseRoot::Computer, QStringLiteral("Choose a Directory"));
    if (!choice)
        return;
    m_strFolder = choice->path;
    UpdateData(false);
}

int CPageDir::OnWizardNext()
{
    UpdateData(true);
    if (const QString stripped = StripOneTrailingSeparator(m_strFolder); stripped != m_strFolder) {
        m_strFolder = stripped;
        UpdateData(false);
    }
    const FolderStepTexts texts{QStringLiteral("Folder already exists, use anyway?"),
                                QStringLiteral("Invalid Folder!  Please enter a new folder.")};
    // Desktop entries could not start the programs from a folder with a '%'.
    const bool usable = common::IsUsableFolder(m_strFolder) && shell::CanStartProgramIn(m_strFolder);
    const QString real = AcceptFolder(m_strFolder, usable, texts);
    if (real.isNull())
        return -1;
    m_strFolder = real;
    UpdateData(false);
    return CPropertyPage::OnWizardNext();
}

void CPageDir::DoDataExchange(bool save)
{
    DDX_Text(save, m_pFolder, m_strFolder);
}

}  // namespace setup::wizard
