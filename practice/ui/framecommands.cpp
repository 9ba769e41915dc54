// The main frame's menu, toolbar and accelerator tables.
#include "practice/ui/mainframe.h"

#include "platform/framework/commandids.h"
#include "platform/framework/dialogunits.h"
#include "practice/document/commands.h"
#include "practice/ui/toolbarimages.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

using namespace platform::framework;
using namespace practice;

namespace {

struct MenuEntry {
    unsigned id;  // 0: a separator
    const char* caption;
    const char* prompt;
};

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

// Sharing and printing, kept apart below the original's items.
const MenuEntry kShareFileMenu[] = {
    {0, nullptr, nullptr},
    {ID_FILE_EXPORT_SHARED, "&Export List with Recordings...",
     "Save the list and its recordings as one file to hand to someone else\nExport List"},
    {ID_FILE_IMPORT_SHARED, "Open List with &Recordings...",
     "Open a list with its recordings, putting the recordings in the words folder\nOpen List with Recordings"},
    {ID_FILE_PRINT_SHEET, "Print &Test Sheet...",
     "Print a test sheet with a numbered line per word, and its answer key\nPrint Test Sheet"},
    {ID_FILE_SHEET_PDF, "Save Test Sheet as P&DF...",
     "Save the test sheet and its answer key as a PDF file\nSave Test Sheet as PDF"},
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

void CMainFrame::createMenus()
{
    auto add = [this](QMenu* menu, const auto& entries) {
        for (const MenuEntry& entry : entries) {
            if (entry.id == 0)
                menu->addSeparator();
            else
                menu->addAction(AddCommand(entry.id, QString::fromUtf8(entry.caption), QString::fromUtf8(entry.prompt)));
        }
    };
    auto fill = [this, add](const QString& title, const auto& entries) {
        QMenu* menu = menuBar()->addMenu(title);
        menu->setAccessibleName(QString(title).remove(u'&'));
        connect(menu, &QMenu::aboutToShow, this, &CFrameWnd::UpdateCommandUI);
        add(menu, entries);
        return menu;
    };
    add(fill(QStringLiteral("&File"), kFileMenu), kShareFileMenu);
    fill(QStringLiteral("&Tools"), kToolsMenu);
    appendVoiceCommands(Menu(QStringLiteral("&Tools")));
    fill(QStringLiteral("&Help"), kHelpMenu);
}

void CMainFrame::createToolBar()
{
    m_wndToolBar = new QToolBar(QStringLiteral("Toolbar"), this);
    m_wndToolBar->setObjectName(QStringLiteral("toolBar"));
    SetDlgCtrlID(m_wndToolBar, AFX_IDW_TOOLBAR);
    m_wndToolBar->setAccessibleName(QStringLiteral("Toolbar"));
    m_wndToolBar->setIconSize(QSize(16, 15));
    m_wndToolBar->setMovable(true);
    m_wndToolBar->setFloatable(true);
    m_wndToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    int image = 0;
    for (unsigned id : kToolBar) {
        if (id == 0) {
            m_wndToolBar->addSeparator();
            continue;
        }
        QAction* action = GetCommand(id);
        action->setIcon(practice::ui::ToolbarImage(image++));
        // The menus show their items without the toolbar's images.
        action->setIconVisibleInMenu(false);
        m_wndToolBar->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
}

void CMainFrame::createAccelerators()
{
    static const Accelerator table[] = {
        {Qt::CTRL | Qt::Key_N, ID_FILE_NEW},   {Qt::CTRL | Qt::Key_O, ID_FILE_OPEN},
        {Qt::CTRL | Qt::Key_S, ID_FILE_SAVE},  {Qt::CTRL | Qt::Key_P, ID_FILE_PRINT},
        {QKeyCombination(Qt::Key_F1), ID_HELP}, {Qt::SHIFT | Qt::Key_F1, ID_CONTEXT_HELP},
    };
    for (const Accelerator& accelerator : table)
        AddAccelerator(accelerator.id, QKeySequence(accelerator.keys));
}
