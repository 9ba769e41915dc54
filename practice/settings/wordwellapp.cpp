#include "practice/settings/wordwellapp.h"

#include "platform/shell/specialfolders.h"

#include <QDir>

using namespace practice::settings;

CWordwellApp::CWordwellApp() : CWinApp(kAppTitle) {}

void CWordwellApp::EstablishSettings()
{
    SetRegistryKey(kRegistryKey);
    m_strWordsPath = GetProfileString(kWordsPathSection, kWordsPathEntry, QString());
    if (m_strWordsPath.isEmpty()) {
        m_strWordsPath = platform::shell::DefaultInstallFolder();
        QDir().mkpath(m_strWordsPath + QStringLiteral("/words"));
    }
}

CWordwellApp* GetWordwellApp()
{
    return dynamic_cast<CWordwellApp*>(platform::framework::AfxGetApp());
}
