#include "uninstall/removal.h"

#include "common/desktopdatabase.h"
#include "common/folderpath.h"
#include "common/installfolder.h"
#include "common/listtype.h"
#include "common/record.h"
#include "common/themeicon.h"
#include "platform/files/files.h"
#include "platform/shell/specialfolders.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace files = platform::files;
namespace reg = platform::registry;
namespace record = common::record;

namespace {

void deleteKeyValues(const QString& keyPath, const QStringList& names)
{
    reg::Key key = OpenRegKey(reg::HKEY_LOCAL_MACHINE, keyPath);
    for (const QString& name : names)
        reg::DeleteValue(key, name);
    reg::CloseKey(&key);
    reg::DeleteKey(reg::HKEY_LOCAL_MACHINE, keyPath);
}

}  // namespace

reg::Key OpenRegKey(const reg::Key& root, const QString& keyPath)
{
    reg::Key key;
    if (reg::OpenKey(root, keyPath, &key) != reg::ERROR_SUCCESS)
        return reg::Key();
    return key;
}

bool QueryRegString(const reg::Key& key, const QString& name, QString* text)
{
    text->clear();
    QString value;
    if (reg::QueryStringValue(key, name, &value) == reg::ERROR_SUCCESS)
        *text = value;
    return true;
}

bool IsRunningProgramFile(const QString& path)
{
    const QFileInfo entry(files::NativePath(path));
    if (entry.isSymLink() || !entry.exists())
        return false;
    return entry.canonicalFilePath() == QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
}

void DeleteFolderFiles(const QString& folder)
{
    const quint32 attributes = files::GetFileAttributes(folder);
    if (attributes == files::INVALID_FILE_ATTRIBUTES || (attributes & files::FILE_ATTRIBUTE_REPARSE_POINT))
        return;
    QList<files::FindEntry> entries;
    if (!files::FindFiles(folder + QStringLiteral("/*.*"), &entries))
        return;
    for (const files::FindEntry& entry : entries) {
        if (entry.name.startsWith(u'.'))
            continue;
        const QString path = folder + u'/' + entry.name;
        // The running uninstaller is left, as a program in use cannot be deleted
        // elsewhere; its folder stays with it.
        if (!IsRunningProgramFile(path))
            files::DeleteFile(path);
    }
}

bool UninstallProduct(int removeAll)
{
    bool success = true;
    const QString desktopFolder = platform::shell::DesktopFolder();

    QString installFolder;
    QString groupPath;
    reg::Key key = OpenRegKey(reg::HKEY_LOCAL_MACHINE, record::kProductKey);
    QueryRegString(key, record::kInstallFolderValue, &installFolder);
    QueryRegString(key, record::kGroupPathValue, &groupPath);
    common::ListTypeRecord listType;
    QueryRegString(key, record::kListTypeValue, &listType.package);
    QueryRegString(key, record::kListTypeFolderValue, &listType.madeFolder);
    QueryRegString(key, record::kListTypeMediaFolderValue, &listType.madeMediaFolder);
    // Each icon's path and the folder made for it, as Setup recorded them.
    QList<std::pair<QString, QString>> themeIcons;
    for (const record::ThemeIcon& icon : record::kThemeIcons) {
        std::pair<QString, QString>& recorded = themeIcons.emplace_back();
        QueryRegString(key, icon.pathValue, &recorded.first);
        QueryRegString(key, icon.folderValue, &recorded.second);
    }
    QString desktopDatabase;
    QueryRegString(key, record::kDesktopDatabaseValue, &desktopDatabase);
    reg::CloseKey(&key);

    // A damaged or tampered record names folders we must not work in: their
    // steps are skipped, and the rest of the record is kept for a later try.
    const bool installFolderSafe = common::IsRecordedFolderIntact(installFolder);
    const bool groupPathSafe = common::IsRecordedFolderIntact(groupPath);
    const bool recordWhole = installFolderSafe && groupPathSafe;
    if (!recordWhole)
        success = false;

    if (groupPathSafe) {
        for (const record::Shortcut& shortcut : record::kGroupShortcuts)
            success = files::DeleteFile(groupPath + shortcut.file) && success;
    }
    if (recordWhole)
        files::DeleteFile(desktopFolder + record::kDesktopShortcut.file);
    if (installFolderSafe) {
        // Every installed file but the uninstaller itself.
        for (const record::InstalledFile& file : record::kInstalledFiles) {
            if (file.destination != record::kUninstallerFile)
                success = files::DeleteFile(installFolder + file.destination) && success;
        }
    }

    // An installation made before lists had file types and an icon recorded none,
    // and one made before their folders were recorded leaves those folders.
    const bool listTypeGone = listType.package.isEmpty()
                              || common::RemoveListType(platform::shell::MimeFolder(), listType);
    bool themeIconGone = true;
    for (qsizetype i = themeIcons.size() - 1; i >= 0; --i) {
        const auto& [path, madeFolder] = themeIcons.at(i);
        themeIconGone = (path.isEmpty()
                         || common::RemoveThemeIcon(platform::shell::IconsFolder(), record::kThemeIcons[i].relative,
                                                    path, madeFolder))
                        && themeIconGone;
    }
    common::RefreshIconCache(platform::shell::IconsFolder());
    // The entries are gone: the desktop database forgets them.
    const bool databaseDone = !groupPathSafe
                              || common::ForgetDesktopEntries(platform::shell::ProgramsFolder(), desktopDatabase);
    success = listTypeGone && themeIconGone && databaseDone && success;

    if (recordWhole && listTypeGone && themeIconGone && databaseDone) {
        QStringList values{record::kInstallFolderValue,  record::kGroupPathValue,
                           record::kListTypeValue,       record::kDesktopDatabaseValue,
                           record::kListTypeFolderValue, record::kListTypeMediaFolderValue};
        for (const record::ThemeIcon& icon : record::kThemeIcons)
            values << icon.pathValue << icon.folderValue;
        deleteKeyValues(record::kProductKey, values);
        deleteKeyValues(record::kAppPathsKey, {QString(), record::kAppPathsFolderValue});
        deleteKeyValues(record::kUninstallKey, {record::kDisplayNameValue, record::kUninstallStringValue});
    }

    if (removeAll && installFolderSafe) {
        DeleteFolderFiles(installFolder + record::kWordsFolder);
        common::RemoveFolderLevels(installFolder + record::kWordsFolder);
        DeleteFolderFiles(installFolder);
    }
    if (groupPathSafe)
        common::RemoveFolderLevels(groupPath);
    return success;
}
