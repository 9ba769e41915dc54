#include "practice/editor/listinfodlg.h"

#include "platform/framework/dataexchange.h"
#include "platform/help/controlhelp.h"
#include "practice/editor/editorforms.h"

#include <QListWidget>

using namespace platform::framework;
using namespace practice::editor;

CListInfoDlg::CListInfoDlg(QWidget* parent) : CDialog(ListInfoTemplate(), parent)
{
    setWindowTitle(QStringLiteral("Spelling List Information"));
    // Long words are cut at the right edge rather than scrolled to.
    auto* list = static_cast<QListWidget*>(GetDlgItem(IDC_INFOLIST));
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setTextElideMode(Qt::ElideNone);
}

void CListInfoDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_INFOLIST, m_listWords);
    DDX_Text(pDX, IDC_COUNT, m_strCount);
}

bool CListInfoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_clrBack = kDialogBackColor;
    m_brBack = QBrush(m_clrBack);
    SetBackgroundColor(m_brBack.color());
    if (m_pWordList)
        m_listWords->addItems(*m_pWordList);
    return true;
}

bool CListInfoDlg::OnHelpInfo(HELPINFO* info)
{
    platform::help::ShowControlHelp(this, info);
    return true;
}
