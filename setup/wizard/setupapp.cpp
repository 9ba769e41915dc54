#include "setup/wizard/setupapp.h"

#include "setup/wizard/setupsheet.h"

#include <QCoreApplication>

// No title of its own: the program's file name names it.
CSetUpApp::CSetUpApp() : CWinApp(QCoreApplication::applicationName()) {}

bool CSetUpApp::InitInstance()
{
    setup::wizard::CSetUpSheet sheet(nullptr);
    m_pMainWnd = &sheet;
    sheet.DoModal();
    m_pMainWnd = nullptr;
    return false;
}
