#pragma once

#include "platform/framework/winapp.h"

class QWidget;

// Setup's application object: its whole life is the wizard.
class CSetUpApp : public platform::framework::CWinApp {
public:
    CSetUpApp();

    // Runs the wizard modally; false, so the program ends when it closes.
    bool InitInstance() override;

    QWidget* m_pMainWnd = nullptr;
};
