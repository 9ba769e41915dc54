#include "practice/share/clipinstall.h"

#include "common/folderpath.h"
#include "platform/files/files.h"
#include "practice/sound/clippath.h"

#include <QFile>
#include <QFileInfo>

namespace practice::share {

namespace files = platform::files;

namespace {

ClipPlan::State stateOf(const QString& path, const QByteArray& bytes)
{
    const quint32 attributes = files::GetFileAttributes(path);
    if (attributes == files::INVALID_FILE_ATTRIBUTES)
        return ClipPlan::New;
    // A link is replaced, never read through.
    if (attributes & files::FILE_ATTRIBUTE_REPARSE_POINT)
        return ClipPlan::Differs;
    QFile file(files::NativePath(path));
    if (file.size() != bytes.size() || !file.open(QIODevice::ReadOnly))
        return ClipPlan::Differs;
    return file.readAll() == bytes ? ClipPlan::Same : ClipPlan::Differs;
}

QString folderOf(const QString& path)
{
    QString unified = path;
    unified.replace(u'\\', u'/');
    return unified.left(unified.lastIndexOf(u'/'));
}

// A subfolder that is a link may lead anywhere: what counts is where it really is.
bool isInside(const QString& realFolder, const QString& realPath)
{
    return realPath == realFolder || realPath.startsWith(realFolder + u'/');
}

}  // namespace

bool PlanClips(const QString& wordsPath, const SharedList& list, QList<ClipPlan>* plans, QString* why)
{
    plans->clear();
    QList<ClipPlan> planned;
    const QString clipFolder = files::RealPath(folderOf(sound::MakeClipPath(wordsPath, QString())));
    for (const SharedClip& clip : list.clips) {
        ClipPlan plan{clip.word, sound::MakeClipPath(wordsPath, clip.word), &clip.bytes};
        if (sound::ClipPathClimbs(wordsPath, plan.path) || !isInside(clipFolder, files::RealPath(folderOf(plan.path)))) {
            *why = QStringLiteral("the clip of \"%1\" would leave the words folder").arg(clip.word);
            return false;
        }
        const quint32 attributes = files::GetFileAttributes(plan.path);
        if (attributes != files::INVALID_FILE_ATTRIBUTES && (attributes & files::FILE_ATTRIBUTE_DIRECTORY)
            && !(attributes & files::FILE_ATTRIBUTE_REPARSE_POINT)) {
            *why = QStringLiteral("\"%1\" is a folder").arg(files::NativePath(plan.path));
            return false;
        }
        plan.state = stateOf(plan.path, clip.bytes);
        planned.append(plan);
    }
    *plans = std::move(planned);
    return true;
}

bool WriteClips(const QList<ClipPlan>& plans, QString* why)
{
    for (const ClipPlan& plan : plans) {
        if (plan.state == ClipPlan::Same || (plan.state == ClipPlan::Differs && !plan.replace))
            continue;
        const QString folder = QFileInfo(files::NativePath(plan.path)).path();
        if (!common::CreateFolderPath(folder)) {
            *why = QStringLiteral("the folder \"%1\" could not be made (%2)").arg(folder, files::LastErrorText());
            return false;
        }
        if (!files::WriteWholeFile(plan.path, *plan.bytes, 0644)) {
            *why = QStringLiteral("\"%1\" could not be written (%2)").arg(files::NativePath(plan.path), files::LastErrorText());
            return false;
        }
    }
    return true;
}

}  // namespace practice::share
