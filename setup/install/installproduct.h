#pragma once

#include <QString>

// Installs the product from the current folder: the words folder, the five
// files, the menu entries (and the desktop entry when asked) and the seven
// registry values, every step whatever became of the ones before it. True
// only when every step succeeded.
bool InstallProduct(QString installFolder, QString groupPath, bool desktopShortcut);
