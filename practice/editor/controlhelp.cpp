#include "practice/editor/controlhelp.h"

#include "platform/framework/winapp.h"
#include "platform/help/winhelp.h"

namespace practice::editor {

void ShowControlHelp(QWidget* owner, const platform::framework::HELPINFO* info)
{
    if (info->iCtrlId == 0xFFFF)
        return;
    const platform::framework::CWinApp* app = platform::framework::AfxGetApp();
    platform::help::WinHelp(owner, app ? app->GetHelpFilePath() : QString(), platform::help::HELP_CONTEXTPOPUP,
                            info->dwContextId, info->hItemHandle);
}

}  // namespace practice::editor
