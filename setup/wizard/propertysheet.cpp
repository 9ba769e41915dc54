#include "setup/wizard/propertysheet.h"

#include "platform/framework/announce.h"
#include "platform/framework/dialogkeys.h"
#include "platform/framework/dialogunits.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>

using platform::framework::DialogFont;
using platform::framework::DialogUnits;

namespace setup::wizard {

CPropertyPage::CPropertyPage(const QString& caption, QSize dialogUnits)
    : m_templateSize(dialogUnits)
{
    setFont(DialogFont());
    setAccessibleName(caption);
    resize(DialogUnits(font()).MapDialogSize(dialogUnits));
}

bool CPropertyPage::OnInitDialog()
{
    return UpdateData(false);
}

bool CPropertyPage::OnSetActive()
{
    return UpdateData(false);
}

QString CPropertyPage::PageText() const
{
    QStringList texts;
    for (QObject* child : children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isHidden())
            continue;
        if (auto* label = qobject_cast<QLabel*>(widget))
            texts.append(label->text());
        else if (auto* field = qobject_cast<QLineEdit*>(widget); field && field->isReadOnly())
            texts.append(field->text());
    }
    return texts.join(u' ');
}

bool CPropertyPage::UpdateData(bool saveAndValidate)
{
    DoDataExchange(saveAndValidate);
    return true;
}

CPropertySheet::CPropertySheet(const QString& caption, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(caption);
    setAccessibleName(QStringLiteral("Setup"));
    setFont(DialogFont());
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    page->m_pSheet = this;
    m_pages.append(page);
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return m_nActive >= 0 ? m_pages[m_nActive] : nullptr;
}

bool CPropertySheet::OnInitDialog()
{
    const DialogUnits units(font());
    QSize pageSize;
    for (CPropertyPage* page : m_pages)
        pageSize = pageSize.expandedTo(units.MapDialogSize(page->TemplateSize()));

    const int margin = units.MapX(7);
    m_pStack = new QStackedWidget(this);
    m_pStack->setGeometry(QRect(QPoint(margin, margin), pageSize));
    for (CPropertyPage* page : m_pages)
        m_pStack->addWidget(page);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    const int ruleY = margin + pageSize.height() + units.MapY(4);
    rule->setGeometry(margin, ruleY, pageSize.width(), 2);

    const QSize button = units.MapDialogSize(QSize(50, 14));
    const int buttonY = ruleY + units.MapY(7);
    const int right = margin + pageSize.width();
    auto makeButton = [&](const QString& text, const QString& name, int x) {
        auto* b = new QPushButton(text, this);
        b->setAccessibleName(name);
        b->setGeometry(QRect(QPoint(x, buttonY), button));
        return b;
    };
    // Back and Next touch; Finish takes Next's place; Cancel stands apart.
    const int cancelX = right - button.width();
    const int nextX = cancelX - units.MapX(7) - button.width();
    m_pBack = makeButton(QStringLiteral("< &Back"), QStringLiteral("Back"), nextX - button.width());
    m_pNext = makeButton(QStringLiteral("&Next >"), QStringLiteral("Next"), nextX);
    m_pFinish = makeButton(QStringLiteral("Finish"), QStringLiteral("Finish"), nextX);
    m_pCancel = makeButton(QStringLiteral("Cancel"), QStringLiteral("Cancel"), cancelX);
    connect(m_pBack, &QPushButton::clicked, this, &CPropertySheet::onBack);
    connect(m_pNext, &QPushButton::clicked, this, &CPropertySheet::onNext);
    connect(m_pFinish, &QPushButton::clicked, this, &CPropertySheet::onFinish);
    connect(m_pCancel, &QPushButton::clicked, this, &CPropertySheet::reject);
    setFixedSize(right + margin, buttonY + button.height() + margin);
    new platform::framework::CDialogKeys(this);

    setActivePage(0);
    return true;
}

int CPropertySheet::DoModal()
{
    OnInitDialog();
    return exec();
}

void CPropertySheet::SetWizardButtons(unsigned flags)
{
    const bool finish = flags & PSWIZB_FINISH;
    m_pBack->setEnabled(flags & PSWIZB_BACK);
    m_pNext->setVisible(!finish);
    m_pNext->setEnabled(flags & PSWIZB_NEXT);
    m_pFinish->setVisible(finish);
    QPushButton* forward = finish ? m_pFinish : m_pNext;
    forward->setDefault(true);
    (finish ? m_pNext : m_pFinish)->setDefault(false);
}

void CPropertySheet::setActivePage(int index)
{
    if (index < 0 || index >= m_pages.size())
        return;
    CPropertyPage* page = m_pages[index];
    m_nActive = index;
    m_pStack->setCurrentWidget(page);
    if (!page->m_bCreated) {
        page->m_bCreated = true;
        page->OnInitDialog();
    }
    page->OnSetActive();
    // The focus stays on the wizard's buttons, so a screen reader would never
    // come to the page's text by itself.
    platform::framework::Announce(this, page->PageText());
    QPushButton* forward = m_pFinish->isVisible() ? m_pFinish : m_pNext;
    if (forward->isEnabled())
        forward->setFocus();
}

void CPropertySheet::onBack()
{
    setActivePage(m_nActive - 1);
}

void CPropertySheet::onNext()
{
    if (!m_pNext->isEnabled() || !m_pNext->isVisible())
        return;
    if (GetActivePage()->OnWizardNext() == 0)
        setActivePage(m_nActive + 1);
}

void CPropertySheet::onFinish()
{
    if (GetActivePage()->OnWizardFinish())
        done(ID_WIZFINISH);
}

void CPropertySheet::reject()
{
    for (CPropertyPage* page : m_pages) {
        if (page->m_bCreated)
            page->OnCancel();
    }
    QDialog::reject();
}

}  // namespace setup::wizard
