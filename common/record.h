#pragma once

#include <QString>
#include <QStringList>

// The installation record: every name Setup writes and Ridwell removes, in one
// place. Folder texts are joined with the names below by plain concatenation,
// so each name that follows a folder begins with its separator.
namespace common::record {

// The folders and names from which every installed path is composed.
inline const QString kWordsFolder = QStringLiteral("/Words");

// The product's files in the order they are copied, given normal attributes
// and (all but the last) deleted. This build's own run-time files come first:
// the icon every menu entry shows, and the modules the program loads when it
// first plays, records, prints or shares a list, or saves a result.
struct InstalledFile {
    QString source;       // bare name, found in Setup's current folder
    QString destination;  // appended to the install folder
};
inline const InstalledFile kInstalledFiles[] = {
    {QStringLiteral("Wordwell.png"), QStringLiteral("/Wordwell.png")},
    {QStringLiteral("wordwell-audio.so"), QStringLiteral("/wordwell-audio.so")},
    {QStringLiteral("wordwell-print.so"), QStringLiteral("/wordwell-print.so")},
    {QStringLiteral("wordwell-zip.so"), QStringLiteral("/wordwell-zip.so")},
    {QStringLiteral("wordwell-history.so"), QStringLiteral("/wordwell-history.so")},
    {QStringLiteral("Wordwell"), QStringLiteral("/Wordwell")},
    {QStringLiteral("Wordwell.cnt"), QStringLiteral("/Wordwell.cnt")},
    {QStringLiteral("Wordwell.hlp"), QStringLiteral("/Wordwell.hlp")},
    {QStringLiteral("Ridwell"), QStringLiteral("/Ridwell")},
};
inline const QString kIconFile = QStringLiteral("/Wordwell.png");
inline const QString kProgramFile = QStringLiteral("/Wordwell");
inline const QString kHelpFile = QStringLiteral("/Wordwell.hlp");
inline const QString kUninstallerFile = QStringLiteral("/Ridwell");

// The desktop's file types for lists and lists with their recordings: one
// shared-mime-info package Setup writes into the user's MIME folder, its path
// kept in the product key so that Ridwell removes exactly that file.
inline const QString kListMimeType = QStringLiteral("application/x-wordwell-spelling-list");
inline const QString kSharedListMimeType = QStringLiteral("application/x-wordwell-recorded-list");
inline const QString kListTypePackage = QStringLiteral("/packages/wordwell-spelling-list.xml");  // appended to the MIME folder
inline const QString kListTypeValue = QStringLiteral("ListType");

// The product icon in the user's hicolor theme, named by the types and found
// by name, in each size a desktop asks for; every path is kept in the product
// key like the package's, with the outermost folder made for it (below).
inline const QString kThemeIconName = QStringLiteral("wordwell");
struct ThemeIcon {
    QString source;       // bare name, found in Setup's current folder
    QString relative;     // appended to the icons folder
    QString pathValue;
    QString folderValue;
};
// The product icon Setup copies comes first, under the values an earlier Setup
// recorded it with; Ridwell removes them in the opposite order, so that the
// folders each made go while empty.
inline const ThemeIcon kThemeIcons[] = {
    {QStringLiteral("Wordwell.png"), QStringLiteral("/hicolor/128x128/apps/wordwell.png"), QStringLiteral("ThemeIcon"),
     QStringLiteral("ThemeIconFolder")},
    {QStringLiteral("wordwell.svg"), QStringLiteral("/hicolor/scalable/apps/wordwell.svg"),
     QStringLiteral("ThemeIconScalable"), QStringLiteral("ThemeIconScalableFolder")},
    {QStringLiteral("wordwell-16.png"), QStringLiteral("/hicolor/16x16/apps/wordwell.png"), QStringLiteral("ThemeIcon16"),
     QStringLiteral("ThemeIcon16Folder")},
    {QStringLiteral("wordwell-24.png"), QStringLiteral("/hicolor/24x24/apps/wordwell.png"), QStringLiteral("ThemeIcon24"),
     QStringLiteral("ThemeIcon24Folder")},
    {QStringLiteral("wordwell-32.png"), QStringLiteral("/hicolor/32x32/apps/wordwell.png"), QStringLiteral("ThemeIcon32"),
     QStringLiteral("ThemeIcon32Folder")},
    {QStringLiteral("wordwell-48.png"), QStringLiteral("/hicolor/48x48/apps/wordwell.png"), QStringLiteral("ThemeIcon48"),
     QStringLiteral("ThemeIcon48Folder")},
    {QStringLiteral("wordwell-64.png"), QStringLiteral("/hicolor/64x64/apps/wordwell.png"), QStringLiteral("ThemeIcon64"),
     QStringLiteral("ThemeIcon64Folder")},
    {QStringLiteral("wordwell-256.png"), QStringLiteral("/hicolor/256x256/apps/wordwell.png"),
     QStringLiteral("ThemeIcon256"), QStringLiteral("ThemeIcon256Folder")},
};

// The outermost folder Setup made on the way to the package (to each icon, above),
// recorded only when it made one, so that Ridwell takes away, while empty,
// those folders and never one that was there before.
inline const QString kListTypeFolderValue = QStringLiteral("ListTypeFolder");
// The folder in which the MIME database describes both types (appended to the
// MIME folder), recorded when the rebuild made it in a MIME folder that was there.
inline const QString kListTypeMediaFolder = QStringLiteral("/application");
inline const QString kListTypeMediaFolderValue = QStringLiteral("ListTypeMediaFolder");

// The programs folder's desktop database, through which the desktop learns
// that the menu entry opens both types; recorded only when Setup made it.
inline const QString kDesktopDatabaseValue = QStringLiteral("DesktopDatabase");

// Menu entries (desktop entries standing in for shell links).
struct Shortcut {
    QString file;         // appended to the program group path or the desktop folder
    QString target;       // appended to the install folder
    QString description;
    QString openWith;     // appended to the install folder: the program that opens a document target
    QStringList mimeTypes = {};  // the file types the program opens from the desktop
};
// The practice program is the help file's viewer: given the help file, it
// shows its Help Topics window.
inline const Shortcut kGroupShortcuts[] = {
    {QStringLiteral("/Wordwell.desktop"), kProgramFile, QStringLiteral("Wordwell"), {}, {kListMimeType, kSharedListMimeType}},
    {QStringLiteral("/Wordwell Help.desktop"), kHelpFile, QStringLiteral("Wordwell Help"), kProgramFile},
    {QStringLiteral("/Uninstall Wordwell.desktop"), kUninstallerFile, QStringLiteral("Uninstall Wordwell"), {}},
};
inline const Shortcut kDesktopShortcut = {QStringLiteral("/Wordwell.desktop"), kProgramFile,
                                          QStringLiteral("Wordwell"), {}, {kListMimeType, kSharedListMimeType}};

// Registry keys and values.
inline const QString kProductKey = QStringLiteral("Software\\Tolvane\\Virir");
inline const QString kInstallFolderValue = QStringLiteral("Path");
inline const QString kGroupPathValue = QStringLiteral("Group");

inline const QString kWordsPathKey = QStringLiteral("Software\\Tolvane\\Wordwell Practice\\WordsPath");
inline const QString kWordsPathValue = QStringLiteral("Path");

inline const QString kAppPathsKey =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Wordwell.exe");
inline const QString kAppPathsFolderValue = QStringLiteral("Path");

inline const QString kUninstallKey =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\WordwellPractice");
inline const QString kDisplayNameValue = QStringLiteral("DisplayName");
inline const QString kDisplayName = QStringLiteral("Wordwell Practice");
inline const QString kUninstallStringValue = QStringLiteral("UninstallString");

// The wizard's proposals.
inline const QString kDefaultGroupName = QStringLiteral("Tolvane/Wordwell");

// The program group path: the programs folder, a separator, the group name.
inline QString ProgramGroupPath(const QString& programsFolder, const QString& groupName)
{
    return programsFolder + u'/' + groupName;
}

}  // namespace common::record
