#pragma once

#include "practice/share/sharedlist.h"

#include <QList>
#include <QString>

// Putting a shared list's clips into the words folder.
namespace practice::share {

struct ClipPlan {
    enum State { New, Same, Differs };
    QString word;
    QString path;  // <words path>/words/<word>.wav
    const QByteArray* bytes = nullptr;
    State state = New;
    bool replace = true;  // for Differs: the user's answer
};

// Where each clip goes and what stands there now; false, with nothing planned,
// when a clip would leave the clip folder (by its word, or because a subfolder
// really lies elsewhere, through a link) or a folder stands in its place.
bool PlanClips(const QString& wordsPath, const SharedList& list, QList<ClipPlan>* plans, QString* why);

// Writes the new clips and the differing ones the user lets replace, making
// the folders they need; false at the first failure, with the file's name and
// the system's reason.
bool WriteClips(const QList<ClipPlan>& plans, QString* why);

}  // namespace practice::share
