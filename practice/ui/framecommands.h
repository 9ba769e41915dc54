#pragma once

class QMenu;

namespace platform::framework {
class CFrameWnd;
}

// The main frame's own commands: its menus' items, the toolbar and the accelerator keys.
namespace practice::ui {

struct FrameMenus {
    QMenu* file;
    QMenu* tools;
};

// The File, Tools and Help menus with the frame's own items; the command
// groups append theirs to File and Tools.
FrameMenus AddFrameMenus(platform::framework::CFrameWnd& frame);
// The toolbar's buttons are the menus' actions, so they are enabled alike.
void AddToolBar(platform::framework::CFrameWnd& frame);
void AddAccelerators(platform::framework::CFrameWnd& frame);

}  // namespace practice::ui
