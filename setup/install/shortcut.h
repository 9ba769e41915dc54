#pragma once

#include <QString>
#include <QStringList>

// Writes one shortcut (a desktop entry) and reports each failing call in its
// own box; returns the status of the last call, the save. `openWith` names the
// program that opens a document target.
long CreateShortcut(const QString& target, const QString& shortcutFile, const QString& description,
                    const QString& workingFolder, const QString& openWith = {}, const QStringList& mimeTypes = {});
