#include "platform/help/controlhelp.h"

#include "platform/framework/winapp.h"
#include "platform/help/winhelp.h"

namespace platform::help {

void ShowControlHelp(QWidget* owner, const platform::framework::HELPINFO* info)
{
    if (info->iCtrlId == 0xFFFF)
        return;
    const platform::framework::CWinApp* app = platform::framework::AfxGetApp();
    WinHelp(owner, app ? app->GetHelpFilePath() : QString(), HELP_CONTEXTPOPUP,
                            info->dwContextId, info->hItemHandle);
}

}  // namespace platform::help
