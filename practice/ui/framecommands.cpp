#include "practice/ui/framecommands.h"

#include "platform/framework/commandids.h"
#include "platform/framework/dialogunits.h"
#include "platform/framework/frame.h"
#include "practice/document/commands.h"
#include "practice/ui/toolbarimages.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

using namespace platform::framework;
using namespace practice;

namespace {

const MenuEntry kFileMenu[] = {
    {ID_FILE_NEW, "&New\tCtrl+N", "Create a new spelling list document\nNew"},
    {ID_FILE_OPEN, "&Open...\tCtrl+O", "Open an existing spelling list document\nOpen"},
    {ID_FILE_SAVE, "&Save\tCtrl+S", "Save the active spelling list document\nSave"},
    {ID_FILE_SAVE_AS, "Save &As...", "Save the active document with a new name\nSave As"},
    {0, nullptr, nullptr},
    {ID_FILE_MRU_FILE1, "Recent File", "Open this document"},
    {ID_FILE_MRU_FILE1 + 1, "Recent File", "Open this document"},
    {ID_FILE_MRU_FILE1 + 2, "Recent File", "Open this document"},
    {ID_FILE_MRU_FILE1 + 3, "Recent File", "Open this document"},
    {0, nullptr, nullptr},
    {ID_APP_EXIT, "E&xit", "Quit the application; prompts to save documents\nExit"},
};

const MenuEntry kToolsMenu[] = {
    {ID_TOOLS_EDITLIST, "(&Add To)/(Create) --  Spelling List",
     "Add or Delete a Word in your Spelling List \nAdd or Remove a Word"},
    {ID_TOOLS_TAKETEST, "&Take Wordwell", "Take a Wordwell\nTake Test"},
    {ID_TOOLS_LISTINFO, "Current List &Information", "View Current Spelling List\nCurrent Spelling List"},
    {ID_TOOLS_STOPTEST, "&Stop Taking Current Test", "Stop taking test\nGive Up. Stop"},
};

const MenuEntry kHelpMenu[] = {
    {ID_HELP_FINDER, "&Help Topics", "List Help topics\nHelp Topics"},
    {0, nullptr, nullptr},
    {ID_APP_ABOUT, "&About Wordwell Practice...", "Display program information, version number and copyright\nAbout"},
    {ID_HELP_WEBPAGE, "&Web Page -- Internet WWW", "go to web site for help and info\nWeb"},
};

// Left to right; 0 is a separator. Each button shows the image of its index in ToolbarImage.
const unsigned kToolBar[] = {ID_FILE_NEW,       ID_FILE_OPEN,      ID_FILE_SAVE,      0,
                             ID_TOOLS_TAKETEST, ID_TOOLS_EDITLIST, ID_TOOLS_LISTINFO, ID_TOOLS_STOPTEST};

struct Accelerator {
    QKeyCombination keys;
    unsigned id;
};

}  // namespace

namespace practice::ui {

FrameMenus AddFrameMenus(CFrameWnd& frame)
{
    auto fill = [&frame](const QString& title, std::span<const MenuEntry> entries) {
        QMenu* menu = frame.menuBar()->addMenu(title);
        menu->setAccessibleName(QString(title).remove(u'&'));
        QObject::connect(menu, &QMenu::aboutToShow, &frame, &CFrameWnd::UpdateCommandUI);
        frame.AppendMenu(menu, entries);
        return menu;
    };
    QMenu* file = fill(QStringLiteral("&File"), kFileMenu);
    QMenu* tools = fill(QStringLiteral("&Tools"), kToolsMenu);
    fill(QStringLiteral("&Help"), kHelpMenu);
    return {file, tools};
}

void AddToolBar(CFrameWnd& frame)
{
    auto* toolBar = new QToolBar(QStringLiteral("Toolbar"), &frame);
    toolBar->setObjectName(QStringLiteral("toolBar"));
    SetDlgCtrlID(toolBar, AFX_IDW_TOOLBAR);
    toolBar->setAccessibleName(QStringLiteral("Toolbar"));
    toolBar->setIconSize(QSize(16, 15));
    toolBar->setMovable(true);
    toolBar->setFloatable(true);
    toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    int image = 0;
    for (unsigned id : kToolBar) {
        if (id == 0) {
            toolBar->addSeparator();
            continue;
        }
        QAction* action = frame.GetCommand(id);
        action->setIcon(ToolbarImage(image++));
        // The menus show their items without the toolbar's images.
        action->setIconVisibleInMenu(false);
        toolBar->addAction(action);
    }
    frame.addToolBar(Qt::TopToolBarArea, toolBar);
}

void AddAccelerators(CFrameWnd& frame)
{
    static const Accelerator table[] = {
        {Qt::CTRL | Qt::Key_N, ID_FILE_NEW},   {Qt::CTRL | Qt::Key_O, ID_FILE_OPEN},
        {Qt::CTRL | Qt::Key_S, ID_FILE_SAVE},  {Qt::CTRL | Qt::Key_P, ID_FILE_PRINT},
        {QKeyCombination(Qt::Key_F1), ID_HELP}, {Qt::SHIFT | Qt::Key_F1, ID_CONTEXT_HELP},
    };
    for (const Accelerator& accelerator : table)
        frame.AddAccelerator(accelerator.id, QKeySequence(accelerator.keys));
}

}  // namespace practice::ui
