#include "practice/classroom/classlistsdlg.h"

#include "platform/framework/messagebox.h"
#include "practice/classroom/classtexts.h"

#include <QListWidget>

namespace fw = platform::framework;

namespace {

enum : int { IDD_CLASSLISTS = 413, IDC_CLASSLISTS = 1430 };

fw::DialogTemplate listsTemplate()
{
    using fw::ControlKind;
    fw::DialogTemplate t;
    t.id = IDD_CLASSLISTS;
    t.fontFamily = QStringLiteral("MS Sans Serif");
    t.size = {240, 160};
    t.items = {
        {fw::IDC_STATIC, ControlKind::Label, QStringLiteral("&Lists of the class:"), {7, 7, 226, 8}, 0, 0, {}},
        {IDC_CLASSLISTS, ControlKind::ListBox, QString(), {7, 18, 226, 116}, fw::CS_TABSTOP, 0,
         QStringLiteral("Lists of the class")},
        {fw::IDOK, ControlKind::DefPushButton, QStringLiteral("Open"), {129, 139, 50, 14}, fw::CS_TABSTOP, 0, {}},
        {fw::IDCANCEL, ControlKind::PushButton, QStringLiteral("Cancel"), {183, 139, 50, 14}, fw::CS_TABSTOP, 0, {}},
    };
    return t;
}

}  // namespace

CClassListsDlg::CClassListsDlg(const QList<practice::history::ClassList>& lists, QWidget* parent)
    : CDialog(listsTemplate(), parent)
{
    setWindowTitle(QStringLiteral("Open Class List"));
    m_listLists = static_cast<QListWidget*>(GetDlgItem(IDC_CLASSLISTS));
    for (const practice::history::ClassList& list : lists) {
        auto* item = new QListWidgetItem(practice::classroom::ListText(list), m_listLists);
        item->setData(Qt::UserRole, QVariant::fromValue(list.id));
        item->setData(Qt::UserRole + 1, list.title);
    }
    if (m_listLists->count() > 0)
        m_listLists->setCurrentRow(0);
    GetDlgItem(fw::IDOK)->setEnabled(m_listLists->count() > 0);
}

void CClassListsDlg::OnOK()
{
    const QListWidgetItem* item = m_listLists->currentItem();
    if (!item)
        return;
    m_chosen.id = item->data(Qt::UserRole).toLongLong();
    m_chosen.title = item->data(Qt::UserRole + 1).toString();
    EndDialog(fw::IDOK);
}
