#include "uninstall/removal.h"

#include <QCoreApplication>

// uninstall_runner <remove-all flag>: exit status 0 when the removal succeeded.
int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    return UninstallProduct(args.value(1).toInt()) ? 0 : 1;
}
