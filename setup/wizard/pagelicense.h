#pragma once

#include "setup/wizard/propertysheet.h"

class QCheckBox;
class QPlainTextEdit;

namespace setup::wizard {

// Template 130: the agreement, which must be accepted to go on.
class CPageLicense : public CPropertyPage {
    Q_OBJECT
public:
    CPageLicense();

    bool OnInitDialog() override;
    bool OnSetActive() override;
    int OnWizardNext() override;

    bool m_bAccept = false;
    QString m_strLicense;

protected:
    void DoDataExchange(bool save) override;

private:
    QPlainTextEdit* m_pAgreement;
    QCheckBox* m_pAccept;
};

}  // namespace setup::wizard
