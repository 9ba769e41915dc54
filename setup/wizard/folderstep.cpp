#include "setup/wizard/folderstep.h"

#include "common/folderpath.h"
#include "common/installfolder.h"
#include "platform/files/files.h"
#include "platform/framework/messagebox.h"

namespace fw = platform::framework;
namespace files = platform::files;

namespace setup::wizard {

QString StripOneTrailingSeparator(const QString& text)
{
    if (text.endsWith(u'\\') || text.endsWith(u'/'))
        return text.left(text.size() - 1);
    return text;
}

QString AcceptFolder(const QString& target, bool usable, const FolderStepTexts& texts)
{
    if (usable && files::GetFileAttributes(target) != files::INVALID_FILE_ATTRIBUTES
        && fw::AfxMessageBox(texts.question, fw::MB_YESNOCANCEL | fw::MB_ICONQUESTION) != fw::IDYES)
        return {};
    if (usable && common::CreateFolderPath(target))
        return common::RealFolder(target);
    fw::AfxMessageBox(texts.failure, fw::MB_OK);
    return {};
}

}  // namespace setup::wizard
