#include "platform/shell/folderchooser.h"

#include "platform/shell/specialfolders.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace platform::shell {

namespace {

FolderChooserHandler& handler()
{
    static FolderChooserHandler h;
    return h;
}

std::optional<QString> askUser(QWidget* owner, const QString& root, const QString& title)
{
    QFileDialog dialog(owner, title, root);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

}  // namespace

FolderChooserHandler SetFolderChooserHandler(FolderChooserHandler h)
{
    return std::exchange(handler(), std::move(h));
}

std::optional<FolderChoice> BrowseForFolder(QWidget* owner, BrowseRoot root, const QString& title)
{
    const QString rootFolder = root == BrowseRoot::Computer ? QDir::rootPath() : ProgramsFolder();
    const std::optional<QString> picked = handler() ? handler()(rootFolder, title)
                                                    : askUser(owner, rootFolder, title);
    if (!picked)
        return std::nullopt;
    QString path = QDir::cleanPath(*picked);
    return FolderChoice{path, path == QDir::rootPath() ? path : QFileInfo(path).fileName()};
}

}  // namespace platform::shell
