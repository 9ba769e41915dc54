#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class IsolatedHome;

// A real installation made by Setup's procedure in a temporary home.
struct TestInstallation {
    explicit TestInstallation(const IsolatedHome& home);

    QString installFolder;
    QString groupPath;
    QString wordsFolder() const { return installFolder + "/Words"; }

    // Makes the folders the wizard would, then installs from the working folder.
    bool install(bool desktop = true) const;
};

// Names of the entries directly in a folder, dotted ones included.
QStringList EntriesOf(const QString& folder);

// A digest of everything below `folder`: names, bytes and link targets, never
// following a link.
QByteArray HashOfTree(const QString& folder);
