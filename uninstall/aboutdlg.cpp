#include "uninstall/aboutdlg.h"

#include "platform/framework/dialogcontrols.h"
#include "platform/framework/dialogunits.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace fw = platform::framework;

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Uninstall"));
    setFont(fw::DialogFont());
    const fw::DialogUnits units(font());
    setFixedSize(units.MapDialogSize(QSize(217, 55)));

    auto* icon = new QLabel(this);
    icon->setAccessibleName(QStringLiteral("Program icon"));
    icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    icon->setGeometry(QRect(QPoint(units.MapX(11), units.MapY(17)), QSize(32, 32)));
    fw::MakeDecoration(icon);
    fw::AddStaticText(this, units, QStringLiteral("Uninstall Version 1.0"), QRect(40, 10, 119, 8));
    fw::AddStaticText(this, units, QStringLiteral("Removes Wordwell Practice"), QRect(40, 25, 119, 8));
    QPushButton* ok = fw::AddPushButton(this, units, 1, QStringLiteral("OK"), QRect(178, 7, 32, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
