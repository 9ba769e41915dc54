#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QWidget>

class QPushButton;
class QStackedWidget;

namespace setup::wizard {

// Wizard buttons a page asks for when it becomes active.
enum : unsigned { PSWIZB_BACK = 1, PSWIZB_NEXT = 2, PSWIZB_FINISH = 4 };
// The sheet's result after Finish.
enum : int { ID_WIZFINISH = 0x3025 };

class CPropertySheet;

// One page of a wizard: its controls are placed in dialog units of the page
// font; its fields are exchanged with them through DoDataExchange.
class CPropertyPage : public QWidget {
    Q_OBJECT
public:
    CPropertyPage(const QString& caption, QSize dialogUnits);

    // Runs once, the first time the page is shown.
    virtual bool OnInitDialog();
    // Runs each time the page is shown; the base loads the controls.
    virtual bool OnSetActive();
    // 0 moves on to the next page, -1 stays.
    virtual int OnWizardNext() { return 0; }
    // True lets the wizard close.
    virtual bool OnWizardFinish() { return true; }
    // The wizard was cancelled after this page had been shown.
    virtual void OnCancel() {}
    // What a screen reader says as the page opens: its static texts and
    // read-only one-line fields, in the order they were made. A field that
    // scrolls is read when the user goes into it.
    virtual QString PageText() const;

    // false: fields to controls; true: controls to fields.
    bool UpdateData(bool saveAndValidate = true);

    QSize TemplateSize() const { return m_templateSize; }
    CPropertySheet* GetParentSheet() const { return m_pSheet; }

protected:
    virtual void DoDataExchange(bool saveAndValidate) { Q_UNUSED(saveAndValidate); }

private:
    friend class CPropertySheet;
    QSize m_templateSize;
    CPropertySheet* m_pSheet = nullptr;
    bool m_bCreated = false;
};

// A property sheet in wizard mode: one page at a time with Back, Next or
// Finish, and Cancel; Enter presses the focused button, or else Next or Finish. Cancelling (the button, Escape or the close box) gives
// every page shown so far its cancel step, in page order.
class CPropertySheet : public QDialog {
    Q_OBJECT
public:
    CPropertySheet(const QString& caption, QWidget* parent);

    void AddPage(CPropertyPage* page);
    void SetWizardButtons(unsigned flags);

    // Builds the window and shows the first page; DoModal runs it.
    virtual bool OnInitDialog();
    int DoModal();

    int GetActiveIndex() const { return m_nActive; }
    CPropertyPage* GetActivePage() const;

    QPushButton* BackButton() const { return m_pBack; }
    QPushButton* NextButton() const { return m_pNext; }
    QPushButton* FinishButton() const { return m_pFinish; }
    QPushButton* CancelButton() const { return m_pCancel; }

    void reject() override;

private:
    void setActivePage(int index);
    void onBack();
    void onNext();
    void onFinish();

    QList<CPropertyPage*> m_pages;
    QStackedWidget* m_pStack = nullptr;
    QPushButton* m_pBack = nullptr;
    QPushButton* m_pNext = nullptr;
    QPushButton* m_pFinish = nullptr;
    QPushButton* m_pCancel = nullptr;
    int m_nActive = -1;
};

}  // namespace setup::wizard
