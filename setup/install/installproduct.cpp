#include "setup/install/installproduct.h"

#include "common/folderpath.h"
#include "common/record.h"
#include "platform/files/files.h"
#include "platform/shell/shelllink.h"
#include "platform/shell/specialfolders.h"
#include "setup/install/recordkey.h"
#include "setup/install/shortcut.h"

#include <QDebug>

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

}  // namespace

bool InstallProduct(QString installFolder, QString groupPath, bool desktopShortcut)
{
    bool ok = true;
    const QString desktopFolder = platform::shell::DesktopFolder();

    ok = noted(common::CreateFolderPath(installFolder + record::kWordsFolder),
               "creating " + installFolder + record::kWordsFolder) && ok;

    for (const record::InstalledFile& file : record::kInstalledFiles)
        ok = noted(files::CopyFile(file.source, installFolder + file.destination, false),
                   "copying " + file.source + " to " + installFolder + file.destination) && ok;
    for (const record::InstalledFile& file : record::kInstalledFiles)
        ok = noted(files::SetFileAttributes(installFolder + file.destination, files::FILE_ATTRIBUTE_NORMAL),
                   "making " + installFolder + file.destination + " writable") && ok;

    for (const record::Shortcut& shortcut : record::kGroupShortcuts)
        ok = CreateShortcut(installFolder + shortcut.target, groupPath + shortcut.file, shortcut.description,
                            installFolder) == platform::shell::S_OK && ok;
    if (desktopShortcut) {
        // A desktop session may not have made its desktop folder yet.
        common::CreateFolderPath(desktopFolder);
        const record::Shortcut& shortcut = record::kDesktopShortcut;
        ok = CreateShortcut(installFolder + shortcut.target, desktopFolder + shortcut.file, shortcut.description,
                            installFolder) == platform::shell::S_OK && ok;
    }

    ok = writeValues(reg::HKEY_LOCAL_MACHINE, record::kProductKey, {{record::kInstallFolderValue, installFolder}})
         && ok;
    ok = writeValues(reg::HKEY_CURRENT_USER, record::kWordsPathKey, {{record::kWordsPathValue, installFolder}}) && ok;
    ok = writeValues(reg::HKEY_LOCAL_MACHINE, record::kProductKey, {{record::kGroupPathValue, groupPath}}) && ok;
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
