#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

// The folder chooser: a folder dialog opened at a root folder.
namespace platform::shell {

enum class BrowseRoot {
    Computer,  // the whole file system, "/"
    Programs,  // the application menu's folder
};

struct FolderChoice {
    QString path;         // the chosen folder's full path
    QString displayName;  // its own name only
};

// Asks for a folder; nothing when the user cancels.
std::optional<FolderChoice> BrowseForFolder(QWidget* owner, BrowseRoot root, const QString& title);

// Tests answer the chooser through this hook: it gets the root folder and
// the title and returns the chosen path, or nothing for a cancelled chooser.
// An empty handler restores the real dialog.
using FolderChooserHandler = std::function<std::optional<QString>(const QString& root, const QString& title)>;
FolderChooserHandler SetFolderChooserHandler(FolderChooserHandler handler);

}  // namespace platform::shell
