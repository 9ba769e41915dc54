#pragma once

#include <QString>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

// Field exchange: with `save` the control's state goes into the field, else
// the field is shown in the control.
namespace setup::wizard {

void DDX_Text(bool save, QLineEdit* control, QString& field);
// A multi-line control: fields keep the "\r\n" line breaks the control shows as lines.
void DDX_Text(bool save, QPlainTextEdit* control, QString& field);
void DDX_Check(bool save, QCheckBox* control, bool& field);

}  // namespace setup::wizard
