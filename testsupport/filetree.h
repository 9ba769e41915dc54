#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What a folder holds, to prove a run left it alone.

// Names of the entries directly in a folder, dotted ones included.
QStringList EntriesOf(const QString& folder);

// One line per entry below `folder`, sorted: its path from the folder, its
// kind and permission bits, and its bytes' digest or the target of a link.
// Links are never followed, so a change through one shows where it landed.
QStringList TreeSnapshot(const QString& folder);

// A digest of TreeSnapshot.
QByteArray HashOfTree(const QString& folder);
