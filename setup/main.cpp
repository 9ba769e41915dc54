#include "setup/wizard/setupapp.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral("1.0.0.1"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/Wordwell.png")));
    CSetUpApp theApp;
    theApp.InitInstance();
    return 0;
}
