#include "platform/framework/dataexchange.h"

#include "platform/framework/dialogtemplate.h"
#include "platform/framework/messagebox.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace platform::framework {

QWidget* CDataExchange::PrepareCtrl(int id)
{
    QWidget* control = GetDlgItem(m_pDlgWnd, id);
    Q_ASSERT_X(control, "CDataExchange::PrepareCtrl", "no control with this id");
    return control;
}

void CDataExchange::Fail(QWidget* control)
{
    m_bFailed = true;
    if (control)
        control->setFocus(Qt::OtherFocusReason);
}

namespace {

QString controlText(const QWidget* control)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(control))
        return line->text();
    if (const auto* multi = qobject_cast<const QPlainTextEdit*>(control))
        return multi->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    return {};
}

void setControlText(QWidget* control, const QString& text)
{
    if (auto* line = qobject_cast<QLineEdit*>(control)) {
        if (line->text() != text)
            line->setText(text);
    } else if (auto* multi = qobject_cast<QPlainTextEdit*>(control)) {
        QString shown = text;
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (multi->toPlainText() != shown)
            multi->setPlainText(shown);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    }
}

}  // namespace

void DDX_Text(CDataExchange* pDX, int id, QString& value)
{
    if (pDX->Failed())
        return;
    QWidget* control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = controlText(control);
    else
        setControlText(control, value);
}

void DDX_Text(CDataExchange* pDX, int id, int& value)
{
    if (pDX->Failed())
        return;
    QWidget* control = pDX->PrepareCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        setControlText(control, QString::number(value));
        return;
    }
    bool ok = false;
    const int read = controlText(control).trimmed().toInt(&ok);
    if (!ok) {
        AfxMessageBox(QStringLiteral("Please enter an integer."), MB_ICONEXCLAMATION);
        pDX->Fail(control);
        return;
    }
    value = read;
}

void DDX_Check(CDataExchange* pDX, int id, int& value)
{
    auto* box = qobject_cast<QAbstractButton*>(pDX->PrepareCtrl(id));
    if (pDX->m_bSaveAndValidate)
        value = box->isChecked() ? 1 : 0;
    else
        box->setChecked(value != 0);
}

}  // namespace platform::framework
