#include "installation.h"

#include "platform/registry/registry.h"
#include "platform/shell/specialfolders.h"
#include "setup/install/installproduct.h"
#include "testsupport/installmedium.h"
#include "testsupport/isolatedhome.h"

#include <QDir>

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
