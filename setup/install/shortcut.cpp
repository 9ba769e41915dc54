#include "setup/install/shortcut.h"

#include "common/record.h"
#include "platform/framework/messagebox.h"
#include "platform/shell/shelllink.h"

#include <QDebug>

using platform::framework::AfxMessageBox;
using platform::shell::CShellLink;

long CreateShortcut(const QString& target, const QString& shortcutFile, const QString& description,
                    const QString& workingFolder, const QString& openWith, const QStringList& mimeTypes)
{
    CShellLink link;
    long status = link.SetPath(target);
    if (status != platform::shell::S_OK)
        AfxMessageBox(QStringLiteral("SetPath failed!"));
    status = link.SetWorkingDirectory(workingFolder);
    if (status != platform::shell::S_OK)
        AfxMessageBox(QStringLiteral("SetWorkingDirectory failed!"));
    status = link.SetDescription(description);
    if (status != platform::shell::S_OK)
        AfxMessageBox(QStringLiteral("SetDescription failed!"));
    // The menu shows the product icon, which lives beside the programs.
    link.SetIconLocation(workingFolder + common::record::kIconFile);
    link.SetOpenWith(openWith);
    link.SetMimeTypes(mimeTypes);
    status = link.Save(shortcutFile);
    if (status != platform::shell::S_OK) {
        qWarning().noquote() << "cannot write" << shortcutFile << ":" << link.ErrorString();
        AfxMessageBox(QStringLiteral("Save failed!"));
    }
    return status;
}
