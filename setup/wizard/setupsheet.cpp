#include "setup/wizard/setupsheet.h"

namespace setup::wizard {

CSetUpSheet::CSetUpSheet(QWidget* parent) : CPropertySheet(QStringLiteral(" "), parent)
{
    AddPage(&m_welcomePage);
    AddPage(&m_pageLicense);
    AddPage(&m_pageDir);
    AddPage(&m_pageGroup);
    AddPage(&m_pageEnd);
}

bool CSetUpSheet::OnInitDialog()
{
    m_pageGroup.m_pFolder = &m_pageDir.m_strFolder;
    m_pageEnd.m_pFolder = &m_pageDir.m_strFolder;
    m_pageEnd.m_pGroupPath = &m_pageGroup.m_strGroupPath;
    return CPropertySheet::OnInitDialog();
}

}  // namespace setup::wizard
