#include "setup/install/installproduct.h"

#include "common/desktopdatabase.h"
#include "common/folderpath.h"
#include "common/installfolder.h"
#include "common/listtype.h"
#include "common/record.h"
#include "common/themeicon.h"
#include "platform/files/files.h"
#include "platform/shell/shelllink.h"
#include "platform/shell/specialfolders.h"
#include "setup/install/recordkey.h"
#include "setup/install/shortcut.h"

#include <QDebug>
#include <QFile>

#include <cerrno>

namespace files = platform::files;
namespace reg = platform::registry;
namespace record = common::record;

namespace {

// Nothing is shown for these failures (the outcome box says the installation
// failed), but whoever started Setup from a terminal learns which step and why.
bool noted(bool ok, const QString& what)
{
    if (!ok)
        qWarning().noquote() << "Setup:" << what << "failed:" << files::LastErrorText();
    return ok;
}

bool writeValues(const reg::Key& root, const QString& keyPath,
                 std::initializer_list<std::pair<QString, QString>> values)
{
    reg::Key key = CreateRecordKey(root, keyPath);
    bool ok = !key.isNull();
    for (const auto& [name, data] : values)
        ok = SetRecordString(key, name, data) && ok;
    reg::CloseKey(&key);
    if (!ok)
        qWarning().noquote() << "Setup: cannot write the registry key" << keyPath << "in"
                             << reg::HiveFilePath(root.root());
    return ok;
}

// The words folder must be a folder, or no recording can ever be saved.
bool makeWordsFolder(const QString& wordsFolder)
{
    if (!common::CreateFolderPath(wordsFolder))
        return false;
    if (files::GetFileAttributes(wordsFolder) & files::FILE_ATTRIBUTE_DIRECTORY)
        return true;
    files::SetLastError(ENOTDIR);
    return false;
}

// One size of the product icon in the user's theme, read from Setup's folder.
QString addThemeIcon(const record::ThemeIcon& icon, QString* madeFolder)
{
    QFile source(files::NativePath(icon.source));
    if (!source.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << "Setup: cannot read" << source.fileName() << ":" << source.errorString();
        return {};
    }
    return common::AddThemeIcon(platform::shell::IconsFolder(), icon.relative, source.readAll(), madeFolder);
}

// A file Setup added for the desktop: its path, and the folders made for it
// when there were any.
bool recordDesktopFile(const QString& pathValue, const QString& path, const QString& folderValue,
                       const QString& madeFolder)
{
    if (path.isEmpty())
        return false;
    bool ok = writeValues(reg::HKEY_LOCAL_MACHINE, record::kProductKey, {{pathValue, path}});
    if (!madeFolder.isEmpty())
        ok = writeValues(reg::HKEY_LOCAL_MACHINE, record::kProductKey, {{folderValue, madeFolder}}) && ok;
    return ok;
}

// The desktop learns which entry opens the list types from its database of
// entries; a database Setup made is recorded, so that Ridwell can take it away.
bool refreshDesktopDatabase()
{
    const QString programsFolder = platform::shell::ProgramsFolder();
    const QString database = common::DesktopDatabasePath(programsFolder);
    const auto exists = [&] { return files::GetFileAttributes(database) != files::INVALID_FILE_ATTRIBUTES; };
    const bool wasThere = exists();
    if (!common::RefreshDesktopDatabase(programsFolder) || wasThere || !exists())
        return true;
    return writeValues(reg::HKEY_LOCAL_MACHINE, record::kProductKey, {{record::kDesktopDatabaseValue, database}});
}

}  // namespace

bool InstallProduct(QString installFolder, QString groupPath, bool desktopShortcut)
{
    // Folders Ridwell would refuse to work in are never installed into.
    if (!common::IsUsableFolder(installFolder) || !common::IsUsableFolder(groupPath)) {
        qWarning().noquote() << "Setup: refusing to install into" << installFolder << "with the group" << groupPath;
        return false;
    }
    // Every entry and value names the folders as they really are on disk, so
    // they hold whatever letter case or links the typed text went through.
    installFolder = common::RealFolder(installFolder);
    groupPath = common::RealFolder(groupPath);
    bool ok = true;
    const QString desktopFolder = platform::shell::DesktopFolder();

    ok = noted(makeWordsFolder(installFolder + record::kWordsFolder),
               "creating the folder " + installFolder + record::kWordsFolder) && ok;

    for (const record::InstalledFile& file : record::kInstalledFiles)
        ok = noted(files::CopyFile(file.source, installFolder + file.destination, false),
                   "copying " + file.source + " to " + installFolder + file.destination) && ok;
    for (const record::InstalledFile& file : record::kInstalledFiles)
        ok = noted(files::SetFileAttributes(installFolder + file.destination, files::FILE_ATTRIBUTE_NORMAL),
                   "making " + installFolder + file.destination + " writable") && ok;

    for (const record::Shortcut& shortcut : record::kGroupShortcuts) {
        const QString openWith = shortcut.openWith.isEmpty() ? QString() : installFolder + shortcut.openWith;
        ok = CreateShortcut(installFolder + shortcut.target, groupPath + shortcut.file, shortcut.description,
                            installFolder, openWith, shortcut.mimeTypes) == platform::shell::S_OK && ok;
    }
    if (desktopShortcut) {
        // A desktop session may not have made its desktop folder yet.
        common::CreateFolderPath(desktopFolder);
        const record::Shortcut& shortcut = record::kDesktopShortcut;
        ok = CreateShortcut(installFolder + shortcut.target, desktopFolder + shortcut.file, shortcut.description,
                            installFolder, {}, shortcut.mimeTypes) == platform::shell::S_OK && ok;
    }

    ok = writeValues(reg::HKEY_LOCAL_MACHINE, record::kProductKey, {{record::kInstallFolderValue, installFolder}})
         && ok;
    ok = writeValues(reg::HKEY_CURRENT_USER, record::kWordsPathKey, {{record::kWordsPathValue, installFolder}}) && ok;
    ok = writeValues(reg::HKEY_LOCAL_MACHINE, record::kProductKey, {{record::kGroupPathValue, groupPath}}) && ok;
    // The desktop learns what list files are and their icon; the record keeps both paths.
    const common::ListTypeRecord listType = common::AddListType(platform::shell::MimeFolder());
    ok = recordDesktopFile(record::kListTypeValue, listType.package, record::kListTypeFolderValue,
                           listType.madeFolder)
         && ok;
    if (!listType.madeMediaFolder.isEmpty())
        ok = writeValues(reg::HKEY_LOCAL_MACHINE, record::kProductKey,
                         {{record::kListTypeMediaFolderValue, listType.madeMediaFolder}})
             && ok;
    ok = refreshDesktopDatabase() && ok;
    for (const record::ThemeIcon& icon : record::kThemeIcons) {
        QString madeFolder;
        const QString path = addThemeIcon(icon, &madeFolder);
        ok = recordDesktopFile(icon.pathValue, path, icon.folderValue, madeFolder) && ok;
    }
    common::RefreshIconCache(platform::shell::IconsFolder());
    ok = writeValues(reg::HKEY_LOCAL_MACHINE, record::kAppPathsKey,
                     {{QString(), installFolder + record::kProgramFile},
                      {record::kAppPathsFolderValue, installFolder}})
         && ok;
    ok = writeValues(reg::HKEY_LOCAL_MACHINE, record::kUninstallKey,
                     {{record::kDisplayNameValue, record::kDisplayName},
                      {record::kUninstallStringValue, installFolder + record::kUninstallerFile}})
         && ok;
    return ok;
}
