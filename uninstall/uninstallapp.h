#pragma once

#include "platform/framework/winapp.h"

class QWidget;

// Ridwell's application object: its whole life is the Uninstall dialog.
class CUninstallApp : public platform::framework::CWinApp {
public:
    CUninstallApp();

    // Runs the dialog modally; false, so the program ends when it closes.
    bool InitInstance() override;

    QWidget* m_pMainWnd = nullptr;
};
