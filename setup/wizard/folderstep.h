#pragma once

#include <QString>

// The Next step shared by the folder and group pages, apart from the widgets.
namespace setup::wizard {

struct FolderStepTexts {
    QString question;  // asked when the folder exists
    QString failure;   // shown when it cannot be made
};

// The text without one trailing '\' or '/' (only one).
QString StripOneTrailingSeparator(const QString& text);

// Refuses a target an installation may not use (`usable` false) as one that
// cannot be created, asks whether to use an existing one, then creates every
// missing level. The folder as it really is on disk, to be used from then on,
// when the wizard may move on; a null string to stay.
QString AcceptFolder(const QString& target, bool usable, const FolderStepTexts& texts);

}  // namespace setup::wizard
