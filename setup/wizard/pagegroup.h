#pragma once

#include "setup/wizard/propertysheet.h"

class QLineEdit;

namespace setup::wizard {

// Template 132: the program group (a folder of the application menu), created on Next.
class CPageGroup : public CPropertyPage {
    Q_OBJECT
public:
    CPageGroup();

    bool OnInitDialog() override;
    void OnCancel() override;
    bool OnSetActive() override;
    int OnWizardNext() override;
    void OnChangeGroup();

    QString m_strGroupPath;
    QString* m_pFolder = nullptr;
    QString m_strGroupName;

protected:
    void DoDataExchange(bool save) override;

private:
    QLineEdit* m_pGroupName;
};

}  // namespace setup::wizard
