#include "installation.h"

#include "platform/registry/registry.h"
#include "platform/shell/specialfolders.h"
#include "setup/install/installproduct.h"
#include "testsupport/installmedium.h"
#include "testsupport/isolatedhome.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

TestInstallation::TestInstallation(const IsolatedHome& home)
    : installFolder(home.dataHome() + "/Program Files/Tolvane/Wordwell"),
      groupPath(platform::shell::ProgramsFolder() + "/Tolvane/Wordwell")
{
    WriteInstallMedium(home.work());
    WriteFileForTest(home.dataHome() + "/keep", "x");
}

bool LocalMachineKeyExists(const QString& keyPath)
{
    platform::registry::Key key;
    return platform::registry::OpenKey(platform::registry::HKEY_LOCAL_MACHINE, keyPath, &key)
           == platform::registry::ERROR_SUCCESS;
}

bool TestInstallation::install(bool desktop) const
{
    QDir().mkpath(installFolder);
    QDir().mkpath(groupPath);
    return InstallProduct(installFolder, groupPath, desktop);
}

QStringList EntriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray HashOfTree(const QString& folder)
{
    QStringList paths;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        paths << it.next();
    paths.sort();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString& path : paths) {
        const QFileInfo info(path);
        hash.addData(path.mid(folder.size()).toUtf8());
        if (info.isSymLink())
            hash.addData("-> " + info.symLinkTarget().toUtf8());
        else if (info.isFile())
            hash.addData(ReadFileForTest(path));
    }
    return hash.result().toHex();
}
