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
// The user's own MIME database ($XDG_DATA_HOME/mime), where file types are added.
QString MimeFolder();
// The user's own icon themes ($XDG_DATA_HOME/icons).
QString IconsFolder();

}  // namespace platform::shell
