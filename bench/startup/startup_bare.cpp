// The yardstick: a bare Qt program with a main window, a menu, a toolbar and a status bar.
#include "probe.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(570, 470);
    for (const char* title : {"&File", "&Tools", "&Help"}) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromLatin1(title));
        for (int i = 0; i < 4; ++i)
            menu->addAction(QStringLiteral("Item %1").arg(i));
    }
    QToolBar* toolBar = window.addToolBar(QStringLiteral("Toolbar"));
    for (int i = 0; i < 7; ++i)
        toolBar->addAction(QStringLiteral("B%1").arg(i));
    window.statusBar()->addWidget(new QLabel(QStringLiteral(" ")), 1);
    auto* central = new QWidget(&window);
    window.setCentralWidget(central);
    ShownProbe probe(central);
    window.show();
    return QApplication::exec();
}
