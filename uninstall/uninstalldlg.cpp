#include "uninstall/uninstalldlg.h"

#include "platform/framework/announce.h"
#include "platform/framework/dataexchange.h"
#include "platform/framework/dialogtemplate.h"
#include "platform/framework/messagebox.h"
#include "uninstall/aboutdlg.h"
#include "uninstall/outcome.h"
#include "uninstall/removal.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QMenu>

namespace fw = platform::framework;

namespace {

enum : int { IDD_UNINSTALL_DIALOG = 102, IDC_REMOVEALL = 1000 };

fw::DialogTemplate uninstallTemplate()
{
    using fw::ControlKind;
    fw::DialogTemplate t;
    t.id = IDD_UNINSTALL_DIALOG;
    t.fontFamily = QStringLiteral("MS Sans Serif");
    t.size = {185, 92};
    t.items = {
        {fw::IDOK, ControlKind::DefPushButton, QStringLiteral("Uninstall"), {17, 71, 50, 14}, fw::CS_TABSTOP, 0, {}},
        {fw::IDCANCEL, ControlKind::PushButton, QStringLiteral("Cancel"), {111, 71, 50, 14}, fw::CS_TABSTOP, 0, {}},
        {fw::IDC_STATIC, ControlKind::Label, QStringLiteral("Remove Wordwell Practice"), {17, 14, 113, 8}, 0, 0, {}},
        {IDC_REMOVEALL, ControlKind::CheckBox, QStringLiteral("Remove all files including recorded words?"),
         {17, 40, 151, 10}, fw::CS_TABSTOP, 0, {}},
    };
    return t;
}

}  // namespace

CUninstallDlg::CUninstallDlg(QWidget* parent) : CDialog(uninstallTemplate(), parent)
{
    setWindowTitle(QStringLiteral("Uninstall"));
    // The About box hides behind a context menu: say where, for those who cannot see it.
    setAccessibleDescription(QStringLiteral("Shift+F10 or the menu key opens a menu with About Uninstall."));
    UpdateData(false);
}

void CUninstallDlg::DoDataExchange(fw::CDataExchange* pDX)
{
    fw::DDX_Check(pDX, IDC_REMOVEALL, m_bRemoveAll);
}

bool CUninstallDlg::OnInitDialog()
{
    const bool focusFirst = CDialog::OnInitDialog();
    // The focus opens on Uninstall, past the question: a screen reader would
    // reach the box only after Enter could already have removed everything.
    const auto* box = qobject_cast<QCheckBox*>(GetDlgItem(IDC_REMOVEALL));
    fw::Announce(this, box->text() + (box->isChecked() ? QStringLiteral(" check box checked")
                                                       : QStringLiteral(" check box not checked")));
    return focusFirst;
}

void CUninstallDlg::OnOK()
{
    UpdateData(true);
    const bool success = UninstallProduct(m_bRemoveAll);
    fw::AfxMessageBox(OutcomeMessage(success, m_bRemoveAll), fw::MB_OK, 0);
    EndDialog(fw::IDOK);
}

void CUninstallDlg::OnAbout()
{
    CAboutDlg about(this);
    about.DoModal();
}

void CUninstallDlg::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.setTitle(windowTitle());
    menu.setAccessibleName(windowTitle());
    QAction* about = menu.addAction(QStringLiteral("&About Uninstall..."), this, &CUninstallDlg::OnAbout);
    // From the keyboard the command is chosen at once, so Enter takes it and a screen reader says it.
    if (event->reason() == QContextMenuEvent::Keyboard)
        menu.setActiveAction(about);
    menu.exec(event->globalPos());
}
