#pragma once

#include "setup/wizard/pagedir.h"
#include "setup/wizard/pageend.h"
#include "setup/wizard/pagegroup.h"
#include "setup/wizard/pagelicense.h"
#include "setup/wizard/propertysheet.h"
#include "setup/wizard/welcomepage.h"

namespace setup::wizard {

// The five-page install wizard. Later pages read the earlier pages' folder and
// group through pointers, so they always see the current values.
class CSetUpSheet : public CPropertySheet {
    Q_OBJECT
public:
    explicit CSetUpSheet(QWidget* parent = nullptr);

    bool OnInitDialog() override;

    CWelcomePage m_welcomePage;
    CPageLicense m_pageLicense;
    CPageDir m_pageDir;
    CPageGroup m_pageGroup;
    CPageEnd m_pageEnd;
};

}  // namespace setup::wizard
