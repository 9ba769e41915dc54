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

// Asks whether to use an existing target, then creates every missing level;
// true to move on. A path that is not absolute is refused like one that cannot
// be created: it would land wherever Setup happened to be started.
bool AcceptFolder(const QString& target, const FolderStepTexts& texts);

}  // namespace setup::wizard
