#include "setup/wizard/ddx.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace setup::wizard {

void DDX_Text(bool save, QLineEdit* control, QString& field)
{
    if (save)
        field = control->text();
    else
        control->setText(field);
}

void DDX_Text(bool save, QPlainTextEdit* control, QString& field)
{
    if (save)
        field = control->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
    else
        control->setPlainText(QString(field).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void DDX_Check(bool save, QCheckBox* control, bool& field)
{
    if (save)
        field = control->isChecked();
    else
        control->setChecked(field);
}

}  // namespace setup::wizard
