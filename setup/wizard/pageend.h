#pragma once

#include "setup/wizard/propertysheet.h"

class QCheckBox;
class QPlainTextEdit;

namespace setup::wizard {

// Template 133: the summary, the desktop entry box, and the installation on Finish.
class CPageEnd : public CPropertyPage {
    Q_OBJECT
public:
    CPageEnd();

    void OnCancel() override;
    bool OnSetActive() override;
    bool OnWizardFinish() override;
    // The page's sentence ends in the summary, which is what Finish installs with.
    QString PageText() const override;

    QString* m_pFolder = nullptr;
    QString* m_pGroupPath = nullptr;
    QString m_strSummary;
    bool m_bDesktopShortcut = false;

protected:
    void DoDataExchange(bool save) override;

private:
    QPlainTextEdit* m_pSummary;
    QCheckBox* m_pDesktop;
};

}  // namespace setup::wizard
