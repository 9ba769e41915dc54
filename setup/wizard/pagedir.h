#pragma once

#include "setup/wizard/propertysheet.h"

class QLineEdit;

namespace setup::wizard {

// Template 131: the install folder, created on Next.
class CPageDir : public CPropertyPage {
    Q_OBJECT
public:
    CPageDir();

    bool OnInitDialog() override;
    bool OnSetActive() override;
    int OnWizardNext() override;
    void OnChangeFolder();

    QString m_strFolder;

protected:
    void DoDataExchange(bool save) override;

private:
    QLineEdit* m_pFolder;
};

}  // namespace setup::wizard
