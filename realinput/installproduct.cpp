// Installs the built product into the home the environment names, with Setup's
// own procedure, for the real-input tests of Ridwell: from the distribution
// folder (the working folder) into the given install folder, its menu group
// where the wizard puts it by default.
#include "platform/shell/specialfolders.h"
#include "setup/install/installproduct.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: ww-realinput-install <install folder>\n");
        return 2;
    }
    const QString installFolder = QDir(args.at(1)).absolutePath();
    const QString groupPath = platform::shell::ProgramsFolder() + QStringLiteral("/Tolvane/Wordwell");
    // The wizard makes both folders before Finish installs into them.
    if (!QDir().mkpath(installFolder) || !QDir().mkpath(groupPath)) {
        std::fprintf(stderr, "ww-realinput-install: cannot make %s or %s\n", qPrintable(installFolder),
                     qPrintable(groupPath));
        return 1;
    }
    return InstallProduct(installFolder, groupPath, false) ? 0 : 1;
}
