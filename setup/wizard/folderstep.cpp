#include "setup/wizard/folderstep.h"

#include "common/folderpath.h"
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

bool AcceptFolder(const QString& target, const FolderStepTexts& texts)
{
    const bool absolute = target.startsWith(u'/') || target.startsWith(u'\\');
    int answer = fw::IDYES;
    if (absolute && files::GetFileAttributes(target) != files::INVALID_FILE_ATTRIBUTES)
        answer = fw::AfxMessageBox(texts.question, fw::MB_YESNOCANCEL | fw::MB_ICONQUESTION);
    if (answer != fw::IDYES)
        return false;
    if (absolute && common::CreateFolderPath(target))
        return true;
    fw::AfxMessageBox(texts.failure, fw::MB_OK);
    return false;
}

}  // namespace setup::wizard
