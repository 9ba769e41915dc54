#pragma once

#include "platform/registry/registry.h"

#include <QString>

// Removes what Setup recorded: the menu entries, the desktop entry, the
// product's files and the registry record, with `removeAll` also every file
// directly in the words and install folders, then the folders left empty.
// True only when every counted deletion (three menu entries, four product
// files) succeeded and the record named safe folders. The running program's
// own file is never deleted, so the install folder stays.
bool UninstallProduct(int removeAll);

// The key, or a null key when it cannot be opened.
platform::registry::Key OpenRegKey(const platform::registry::Key& root, const QString& keyPath);

// Reads a string value whole; a missing key or value reads as empty. Always true.
bool QueryRegString(const platform::registry::Key& key, const QString& name, QString* text);

// Deletes every entry directly in `folder` whose name does not begin with ".":
// files and symbolic links (never what a link points to); subfolders stay, and
// so does the running program's own file. A folder that is itself a link is
// left alone.
void DeleteFolderFiles(const QString& folder);

// Whether `path` is the file this process runs from (a link to it is not).
bool IsRunningProgramFile(const QString& path);
