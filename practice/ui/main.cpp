#include "practice/ui/practiceapp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication qtApp(argc, argv);
    CPracticeApp app(QApplication::arguments().mid(1));
    return app.Run();
}
