#pragma once

#include <QString>

class QDialog;
class QWidget;

// The help engine: pop-up topics beside a control and the Help Topics window,
// both read from the product's help file (see helpfile.h).
namespace platform::help {

enum : unsigned {
    HELP_CONTEXT = 0x0001,
    HELP_QUIT = 0x0002,
    HELP_CONTENTS = 0x0003,
    HELP_CONTEXTPOPUP = 0x0008,
    HELP_FINDER = 0x000B,
};

// Carries out a help command for `owner`'s window:
// HELP_CONTEXTPOPUP shows the pop-up topic `data` beside `near` (or the
// pointer); HELP_FINDER and HELP_CONTENTS open the Help Topics window;
// HELP_CONTEXT opens it at the topic `data`; HELP_QUIT closes what is open.
// A help file that cannot be read is reported in a message box naming it and
// the reason; false then.
bool WinHelp(QWidget* owner, const QString& helpFile, unsigned command, quintptr data, QWidget* near = nullptr);

// The application's help file, over its main window.
bool AppWinHelp(quintptr data, unsigned command);

// What is open now, for tests and for closing: the pop-up and the Help Topics window.
QWidget* CurrentPopup();
QDialog* CurrentHelpTopics();

// The text a pop-up shows for a context id that has no topic.
inline const QString kNoTopicText = QStringLiteral("No Help topic is associated with this item.");

}  // namespace platform::help
