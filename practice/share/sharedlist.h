#pragma once

#include "platform/zip/zipcodec.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A spelling list with its recordings as one zip archive: "<list>.spl" at the
// top, each clip as "words/<word>.wav", as they lie in the words folder.
namespace practice::share {

inline const QString kSharedListExtension = QStringLiteral(".splz");

struct SharedClip {
    QString word;  // the list's word the clip belongs to
    QByteArray bytes;
};

struct SharedList {
    QString name;  // the list file's name without ".spl"
    QByteArray listBytes;
    QStringList words;
    QList<SharedClip> clips;
};

// Far past any list or clip a person records, short of what would strain memory.
platform::zip::ZipLimits SharedListLimits();

// The archive's entry for a word's clip; empty when the word cannot name one
// (an empty, "." or ".." level, a control character): such a clip stays home.
QString ClipEntryName(const QString& word);

QList<platform::zip::ZipEntry> PackSharedList(const SharedList& list);

// The list and its clips from the archive's entries, or false with the reason:
// anything but one list file and clips of its words (a path with "..", an
// absolute path, an odd name), two entries of one name in any letter case,
// or a damaged list.
bool UnpackSharedList(const QList<platform::zip::ZipEntry>& entries, SharedList* list, QString* why);

}  // namespace practice::share
