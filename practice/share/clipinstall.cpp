#include "practice/share/clipinstall.h"

#include "platform/files/files.h"
#include "platform/files/folderindex.h"
#include "platform/files/staging.h"
#include "practice/sound/clippath.h"

#include <QFile>

#include <optional>

namespace practice::share {

namespace files = platform::files;

namespace {

QString folderOf(const QString& path)
{
    QString unified = path;
    unified.replace(u'\\', u'/');
    return unified.left(unified.lastIndexOf(u'/'));
}

// A subfolder that is a link may lead anywhere: what counts is where it really is.
bool isInside(const QString& realFolder, const QString& realPath)
{
    return !realFolder.isEmpty() && (realPath == realFolder || realPath.startsWith(realFolder + u'/'));
}

bool cancelled(const InstallProgress& progress)
{
    return progress.cancelled && progress.cancelled();
}

void report(const InstallProgress& progress, int done, int total)
{
    if (progress.report)
        progress.report(done, total);
}

// The clip folder and the places of clips in it, each folder read once.
class ClipPlaces {
public:
    explicit ClipPlaces(const QString& wordsPath)
        : m_wordsPath(wordsPath), m_folder(m_index.NativePath(folderOf(sound::MakeClipPath(wordsPath, QString()))))
    {
    }

    const QString& Folder() const { return m_folder; }
    files::FolderIndex& Index() { return m_index; }

    // The clip's path as stored, or false when it would leave the clip folder.
    bool Place(const QString& word, QString* native, QString* why)
    {
        const QString path = sound::MakeClipPath(m_wordsPath, word);
        *native = m_index.NativePath(path);
        if (sound::ClipPathClimbs(m_wordsPath, path)
            || !isInside(m_index.RealPath(m_folder), m_index.RealPath(folderOf(*native)))) {
            *why = QStringLiteral("the clip of \"%1\" would leave the words folder").arg(word);
            return false;
        }
        return true;
    }

private:
    files::FolderIndex m_index;
    QString m_wordsPath;
    QString m_folder;
};

ClipPlan::State stateOf(const QString& native, quint32 attributes, const QByteArray& bytes)
{
    // A link is replaced, never read through.
    if (attributes & files::FILE_ATTRIBUTE_REPARSE_POINT)
        return ClipPlan::Differs;
    QFile file(native);
    if (file.size() != bytes.size() || !file.open(QIODevice::ReadOnly))
        return ClipPlan::Differs;
    return file.readAll() == bytes ? ClipPlan::Same : ClipPlan::Differs;
}

bool isWritten(const ClipPlan& plan)
{
    return plan.state == ClipPlan::New || (plan.state == ClipPlan::Differs && plan.replace);
}

}  // namespace

bool PlanClips(const QString& wordsPath, const SharedList& list, QList<ClipPlan>* plans, QString* why,
               const InstallProgress& progress)
{
    plans->clear();
    why->clear();
    QList<ClipPlan> planned;
    ClipPlaces places(wordsPath);
    const int total = static_cast<int>(list.clips.size());
    for (const SharedClip& clip : list.clips) {
        if (cancelled(progress))
            return false;
        ClipPlan plan{clip.word, sound::MakeClipPath(wordsPath, clip.word), &clip.bytes};
        QString native;
        if (!places.Place(clip.word, &native, why))
            return false;
        if (places.Index().Exists(native)) {
            const quint32 attributes = files::GetFileAttributes(native);
            if (attributes != files::INVALID_FILE_ATTRIBUTES && (attributes & files::FILE_ATTRIBUTE_DIRECTORY)
                && !(attributes & files::FILE_ATTRIBUTE_REPARSE_POINT)) {
                *why = QStringLiteral("\"%1\" is a folder").arg(native);
                return false;
            }
            plan.state = stateOf(native, attributes, clip.bytes);
        }
        planned.append(plan);
        report(progress, static_cast<int>(planned.size()), total);
    }
    *plans = std::move(planned);
    return true;
}

bool WriteClips(const QString& wordsPath, const QList<ClipPlan>& plans, QString* why, const InstallProgress& progress)
{
    why->clear();
    QList<const ClipPlan*> written;
    for (const ClipPlan& plan : plans) {
        if (isWritten(plan))
            written.append(&plan);
    }
    if (written.isEmpty())
        return true;

    ClipPlaces places(wordsPath);
    QStringList madeFolders;
    std::optional<files::StagingFolder> staging;
    // Whatever stops the run takes back all it did, the hidden folder first:
    // it lies in the folders made.
    auto undo = [&] {
        const int error = files::LastError();
        if (staging)
            staging->Undo();
        staging.reset();
        for (auto folder = madeFolders.crbegin(); folder != madeFolders.crend(); ++folder)
            files::RemoveDirectory(*folder);
        files::SetLastError(error);
        return false;
    };
    auto failed = [&](const QString& path) {
        *why = QStringLiteral("\"%1\" could not be written (%2)").arg(path, files::LastErrorText());
        return undo();
    };

    // A new words folder is made here, and goes again if the run does not finish.
    if (!places.Index().CreateFolderPath(places.Folder(), &madeFolders)) {
        *why = QStringLiteral("the folder \"%1\" could not be made (%2)").arg(places.Folder(), files::LastErrorText());
        return undo();
    }
    staging.emplace();
    if (!staging->Create(places.Folder()))
        return failed(places.Folder());

    const int total = static_cast<int>(written.size());
    QStringList staged;
    for (const ClipPlan* plan : std::as_const(written)) {
        if (cancelled(progress))
            return undo();
        QString name;
        if (!staging->Write(*plan->bytes, 0644, &name))
            return failed(places.Index().NativePath(plan->path));
        staged << name;
        report(progress, static_cast<int>(staged.size()), total);
    }
    if (!staging->Sync())
        return failed(places.Folder());

    // Quick renames from here on: the clips go in together, past the last Cancel.
    for (qsizetype i = 0; i < written.size(); ++i) {
        QString native;
        if (!places.Place(written[i]->word, &native, why))
            return undo();
        const QString folder = folderOf(native);
        if (!places.Index().CreateFolderPath(folder, &madeFolders)) {
            *why = QStringLiteral("the folder \"%1\" could not be made (%2)").arg(folder, files::LastErrorText());
            return undo();
        }
        if (!staging->MoveIn(staged[i], native))
            return failed(native);
    }
    return true;
}

}  // namespace practice::share
