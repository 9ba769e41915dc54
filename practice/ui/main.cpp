#include "practice/ui/commandlineanswer.h"
#include "practice/ui/practiceapp.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (const std::optional<QByteArray> answer = practice::ui::CommandLineAnswer(argc, argv)) {
        std::fwrite(answer->constData(), 1, static_cast<size_t>(answer->size()), stdout);
        return 0;
    }
    QApplication qtApp(argc, argv);
    // The id of the package's menu entry, by which Wayland shells match the
    // windows to it; every entry also names the window class (StartupWMClass).
    QGuiApplication::setDesktopFileName(QStringLiteral("com.tolvane.Wordwell"));
    CPracticeApp app(QApplication::arguments().mid(1));
    return app.Run();
}
