// Wordwell as its main.cpp starts it, with the list file given on the command line.
#include "platform/framework/doctemplate.h"
#include "platform/framework/formview.h"
#include "practice/ui/practiceapp.h"
#include "probe.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication qtApp(argc, argv);
    CPracticeApp app(QApplication::arguments().mid(1));
    if (!app.InitInstance())
        return 1;
    ShownProbe probe(app.GetDocTemplate()->GetView());
    return QApplication::exec();
}
