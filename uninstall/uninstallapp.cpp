#include "uninstall/uninstallapp.h"

#include "uninstall/uninstalldlg.h"

#include <QCoreApplication>

// No title of its own: the program's file name names it in every box.
CUninstallApp::CUninstallApp() : CWinApp(QCoreApplication::applicationName()) {}

bool CUninstallApp::InitInstance()
{
    CUninstallDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return false;
}
