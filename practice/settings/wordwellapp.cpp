#include "practice/settings/wordwellapp.h"

using namespace practice::settings;

CWordwellApp::CWordwellApp() : CWinApp(kAppTitle) {}

void CWordwellApp::EstablishSettings()
{
    SetRegistryKey(kRegistryKey);
    m_strWordsPath = GetProfileString(kWordsPathSection, kWordsPathEntry, QString());
}

CWordwellApp* GetWordwellApp()
{
    return dynamic_cast<CWordwellApp*>(platform::framework::AfxGetApp());
}
