#include "platform/framework/dialog.h"

#include "platform/framework/dataexchange.h"
#include "platform/framework/dialogkeys.h"
#include "platform/framework/messagebox.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>

namespace platform::framework {

CDialog::CDialog(const DialogTemplate& dialogTemplate, QWidget* parent) : QDialog(parent)
{
    CreateDialogControls(this, dialogTemplate);
    setFixedSize(size());
    new CDialogKeys(this);
    const auto controls = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* control : controls) {
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            const int id = GetDlgCtrlID(button);
            connect(button, &QAbstractButton::clicked, this, [this, id] { sendCommand(id); });
        }
    }
}

void CDialog::sendCommand(int id)
{
    const auto command = static_cast<unsigned>(id);
    if (OnCmdMsg(command, nullptr))
        return;
    if (id == IDOK)
        OnOK();
    else if (id == IDCANCEL)
        OnCancel();
}

int CDialog::DoModal()
{
    m_bFocusFirstTabStop = OnInitDialog();
    return exec();
}

void CDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!std::exchange(m_bFocusFirstTabStop, false))
        return;
    if (QWidget* first = firstTabStop()) {
        first->setFocus(Qt::TabFocusReason);
        // Focus that arrives with the window selects nothing by itself.
        if (auto* edit = qobject_cast<QLineEdit*>(first))
            edit->selectAll();
    }
}

void CDialog::EndDialog(int result)
{
    done(result);
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return !dx.Failed();
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::OnOK()
{
    if (!UpdateData(true))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

bool CDialog::OnHelpInfo(HELPINFO* info)
{
    Q_UNUSED(info);
    return true;
}

void CDialog::SetBackgroundColor(const QColor& color)
{
    QPalette own = palette();
    own.setColor(QPalette::Window, color);
    setPalette(own);
    setAutoFillBackground(true);
}

void CDialog::reject()
{
    // Escape and the close box come here: they are the Cancel command.
    sendCommand(IDCANCEL);
}

QWidget* CDialog::firstTabStop() const
{
    const auto controls = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* control : controls) {
        if (control->focusPolicy() == Qt::StrongFocus && control->isEnabled() && !control->isHidden())
            return control;
    }
    return nullptr;
}

bool CDialog::event(QEvent* event)
{
    if (HandleHelpModeEvent(this, event))
        return true;
    return QDialog::event(event);
}

}  // namespace platform::framework
