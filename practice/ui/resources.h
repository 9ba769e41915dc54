#pragma once

#include <QString>

// The practice program's strings that other windows share.
namespace practice::ui {

// Window title, document name, new-file type, filter, extension, file type id and name.
inline const QString kDocTemplateString = QStringLiteral(
    "Wordwell Practice\n\nSpell\nSpelli Files (*.spl)\n.SPL\nWordwell.Document\nSpell Document");
inline const QString kIdleMessage = QStringLiteral(" ");
inline const QString kHelpModeMessage = QStringLiteral("Select an object on which to get Help");

}  // namespace practice::ui
