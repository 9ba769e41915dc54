#pragma once

#include "practice/share/sharedlist.h"

#include <QList>
#include <QString>

#include <functional>

// Putting a shared list's clips into the words folder. Both steps may run on
// a thread of their own: they touch nothing but the files and their arguments.
namespace practice::share {

struct ClipPlan {
    enum State { New, Same, Differs };
    QString word;
    QString path;  // <words path>/words/<word>.wav
    const QByteArray* bytes = nullptr;
    State state = New;
    bool replace = true;  // for Differs: the user's answer
};

// Told how far a step has come, from the thread doing it, and asked between
// clips whether to stop. Either may be empty.
struct InstallProgress {
    std::function<void(int done, int total)> report;
    std::function<bool()> cancelled;
};

// Where each clip goes and what stands there now; false, with nothing planned,
// when a clip would leave the clip folder (by its word, or because a subfolder
// really lies elsewhere, through a link) or a folder stands in its place, and
// false with an empty `why` when cancelled.
bool PlanClips(const QString& wordsPath, const SharedList& list, QList<ClipPlan>* plans, QString* why,
               const InstallProgress& progress = {});

// Writes the new clips and the differing ones the user lets replace, making the
// folders they need. Each is written into a hidden folder in the clip folder
// first and all are moved into their places at the end, each replacing what
// stands there in one step. Cancelled (false, `why` empty) or failing (false,
// with the file's name and the system's reason), it leaves the words folder as
// it was; killed while writing, it leaves only the hidden folder, which the next
// import removes.
bool WriteClips(const QString& wordsPath, const QList<ClipPlan>& plans, QString* why,
                const InstallProgress& progress = {});

}  // namespace practice::share
