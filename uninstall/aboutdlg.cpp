#include "uninstall/aboutdlg.h"

#include "platform/framework/messagebox.h"

#include <QApplication>
#include <QLabel>

namespace fw = platform::framework;

namespace {

enum : int { IDD_ABOUTBOX = 100, IDC_ABOUTICON = 1100 };

fw::DialogTemplate aboutTemplate()
{
    using fw::ControlKind;
    fw::DialogTemplate t;
    t.id = IDD_ABOUTBOX;
    t.fontFamily = QStringLiteral("MS Sans Serif");
    t.size = {217, 55};
    t.items = {
        {IDC_ABOUTICON, ControlKind::Icon, QString(), {11, 17, 20, 20}, 0, 0, QStringLiteral("Program icon")},
        {fw::IDC_STATIC, ControlKind::Label, QStringLiteral("Uninstall Version 1.0"), {40, 10, 119, 8}, fw::CS_NOPREFIX,
         0, {}},
        {fw::IDC_STATIC, ControlKind::Label, QStringLiteral("Removes Wordwell Practice"), {40, 25, 119, 8}, 0, 0, {}},
        {fw::IDOK, ControlKind::DefPushButton, QStringLiteral("OK"), {178, 7, 32, 14}, fw::CS_TABSTOP, 0, {}},
    };
    return t;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : CDialog(aboutTemplate(), parent)
{
    setWindowTitle(QStringLiteral("About Uninstall"));
    if (auto* icon = qobject_cast<QLabel*>(GetDlgItem(IDC_ABOUTICON))) {
        icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
        icon->adjustSize();
    }
}
