// Saves a picture of one X window (by its id, as xwininfo gives it) as PNG:
// ./run takes the main window's picture this way on a virtual display.
#include <QGuiApplication>
#include <QPixmap>
#include <QSaveFile>
#include <QScreen>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    bool ok = false;
    const WId window = args.size() == 3 ? args.at(1).toULongLong(&ok, 0) : 0;
    if (!ok) {
        std::fprintf(stderr, "usage: ww-screenshot <window id> <file.png>\n");
        return 2;
    }
    const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(window);
    QSaveFile file(args.at(2));
    if (picture.isNull() || !file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit()) {
        std::fprintf(stderr, "ww-screenshot: cannot save %s\n", qPrintable(args.at(2)));
        return 1;
    }
    return 0;
}
