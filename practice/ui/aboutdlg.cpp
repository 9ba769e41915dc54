#include "practice/ui/aboutdlg.h"

#include "platform/framework/commandids.h"
#include "platform/framework/dialogtemplate.h"
#include "practice/ui/producticon.h"

#include <QLabel>

using namespace platform::framework;

namespace practice::ui {

namespace {

const QString kVersionText = QStringLiteral("Wordwell Practice Version 1.0");

enum : int { IDD_ABOUTBOX = 100, IDC_ABOUTICON = 1100 };

DialogTemplate aboutTemplate()
{
    DialogTemplate t;
    t.id = IDD_ABOUTBOX;
    t.fontFamily = QStringLiteral("MS Sans Serif");
    t.pointSize = 8;
    t.size = {217, 55};
    t.items = {
        {IDC_ABOUTICON, ControlKind::Icon, QString(), {11, 17, 20, 20}, 0, 0, QStringLiteral("Wordwell Practice")},
        {IDC_STATIC, ControlKind::Label, kVersionText, {40, 10, 119, 8}, CS_NOPREFIX, 0, {}},
        {IDC_STATIC, ControlKind::Label,
         QStringLiteral("Copyright \u00A9 Tolvane. Free to use for practising spelling at home and at school."),
         {40, 25, 119, 25}, 0, 0, {}},
        {IDC_OK, ControlKind::DefPushButton, QStringLiteral("OK"), {178, 7, 32, 14}, CS_TABSTOP,
         MakeHelpId(IDD_ABOUTBOX, IDC_OK), {}},
    };
    return t;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : CDialog(aboutTemplate(), parent)
{
    setWindowTitle(QStringLiteral("About Wordwell Practice"));
    setWindowFlags(windowFlags() | Qt::WindowContextHelpButtonHint);
    if (auto* icon = qobject_cast<QLabel*>(GetDlgItem(IDC_ABOUTICON))) {
        icon->setPixmap(ProductIcon().pixmap(32, 32));
        icon->adjustSize();
    }
}

// The box answers no help request itself: F1 goes on to the program's Help command.
bool CAboutDlg::OnHelpInfo(HELPINFO* info)
{
    Q_UNUSED(info);
    return false;
}

}  // namespace practice::ui
