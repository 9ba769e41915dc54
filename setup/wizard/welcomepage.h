#pragma once

#include "setup/wizard/propertysheet.h"

class QLabel;
class QLineEdit;

namespace setup::wizard {

// Template 129: the greeting.
class CWelcomePage : public CPropertyPage {
    Q_OBJECT
public:
    CWelcomePage();

    bool OnInitDialog() override;
    bool OnSetActive() override;

    QString m_strWelcome;

protected:
    void DoDataExchange(bool save) override;

private:
    QLabel* m_pTitle;
    QLineEdit* m_pGreeting;
};

}  // namespace setup::wizard
