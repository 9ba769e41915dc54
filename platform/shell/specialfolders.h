#pragma once

#include <QString>

// The special folders of the user's desktop session.
namespace platform::shell {

// Where the application menu's entries live ($XDG_DATA_HOME/applications).
QString ProgramsFolder();
// The desktop (the user's XDG desktop folder, normally ~/Desktop).
QString DesktopFolder();
// Where the product installs unless the user chooses otherwise
// ($XDG_DATA_HOME/Tolvane/Wordwell).
QString DefaultInstallFolder();

}  // namespace platform::shell
