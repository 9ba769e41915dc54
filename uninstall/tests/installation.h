#pragma once

#include "testsupport/filetree.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class IsolatedHome;

// A real installation made by Setup's procedure in a temporary home. Making
// one writes the distribution files into the working folder and a file into
// the data folder, as a lived-in one holds, so that folder walks stop there.
struct TestInstallation {
    explicit TestInstallation(const IsolatedHome& home);

    QString installFolder;
    QString groupPath;
    QString wordsFolder() const { return installFolder + "/Words"; }

    // Makes the folders the wizard would, then installs from the working folder.
    bool install(bool desktop = true) const;
};

// Whether HKEY_LOCAL_MACHINE holds the key.
bool LocalMachineKeyExists(const QString& keyPath);
