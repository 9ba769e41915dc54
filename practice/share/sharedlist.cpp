#include "practice/share/sharedlist.h"

#include "platform/framework/archive.h"
#include "practice/document/wordlist.h"

#include <QSet>

namespace practice::share {

using platform::zip::ZipEntry;

namespace {

const QString kClipFolder = QStringLiteral("words/");
const QString kClipExtension = QStringLiteral(".wav");
const QString kListExtension = QStringLiteral(".spl");

// A relative name of plain levels: no root, no "." or ".." level, no empty
// level, no '\' (another system's separator) and no control character.
bool isPlainName(const QString& name)
{
    if (name.isEmpty() || name.contains(u'\\'))
        return false;
    for (QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return false;
    }
    const QStringList levels = name.split(u'/');
    for (const QString& level : levels) {
        if (level.isEmpty() || level == u"." || level == u"..")
            return false;
    }
    return true;
}

// Words and names are matched as the words folder matches them: case-blind,
// either separator.
QString matchKey(QString name)
{
    return name.replace(u'\\', u'/').toCaseFolded();
}

}  // namespace

platform::zip::ZipLimits SharedListLimits()
{
    return {.maxEntries = 70000, .maxEntryBytes = 64LL << 20, .maxTotalBytes = 256LL << 20};
}

QString ClipEntryName(const QString& word)
{
    QString level = word;
    level.replace(u'\\', u'/');
    return isPlainName(level) ? kClipFolder + level + kClipExtension : QString();
}

QList<ZipEntry> PackSharedList(const SharedList& list)
{
    QList<ZipEntry> entries;
    entries.append({list.name + kListExtension, list.listBytes, false});
    for (const SharedClip& clip : list.clips)
        entries.append({ClipEntryName(clip.word), clip.bytes, false});
    return entries;
}

bool UnpackSharedList(const QList<ZipEntry>& entries, SharedList* list, QString* why)
{
    *list = SharedList();
    QSet<QString> seen;
    const ZipEntry* listEntry = nullptr;
    QList<const ZipEntry*> clipEntries;
    for (const ZipEntry& entry : entries) {
        const QString name = entry.folder ? entry.name.chopped(1) : entry.name;
        if (!isPlainName(name)) {
            *why = QStringLiteral("it holds an entry named \"%1\"").arg(entry.name);
            return false;
        }
        if (seen.contains(name.toCaseFolded())) {
            *why = QStringLiteral("it holds \"%1\" twice").arg(name);
            return false;
        }
        seen.insert(name.toCaseFolded());
        if (entry.folder) {
            if (name.compare(kClipFolder.chopped(1), Qt::CaseInsensitive) != 0
                && !name.startsWith(kClipFolder, Qt::CaseInsensitive)) {
                *why = QStringLiteral("it holds a folder \"%1\" outside words/").arg(entry.name);
                return false;
            }
        } else if (!name.contains(u'/') && name.endsWith(kListExtension, Qt::CaseInsensitive)) {
            if (listEntry) {
                *why = QStringLiteral("it holds more than one list");
                return false;
            }
            listEntry = &entry;
        } else if (name.startsWith(kClipFolder, Qt::CaseInsensitive) && name.endsWith(kClipExtension, Qt::CaseInsensitive)
                   && name.size() > kClipFolder.size() + kClipExtension.size()) {
            clipEntries.append(&entry);
        } else {
            *why = QStringLiteral("it holds \"%1\", which is neither the list nor one of its clips").arg(name);
            return false;
        }
    }
    if (!listEntry) {
        *why = QStringLiteral("it holds no list");
        return false;
    }
    list->name = listEntry->name.chopped(kListExtension.size());
    list->listBytes = listEntry->bytes;
    try {
        platform::framework::CArchive ar{QByteArrayView(list->listBytes)};
        SerializeWordList(ar, list->words);
    } catch (const platform::framework::CArchiveException&) {
        *why = QStringLiteral("its list \"%1\" is damaged").arg(listEntry->name);
        return false;
    }
    QHash<QString, QString> wordsByKey;
    // Words that differ only in case share one clip, named as the first spells it.
    for (const QString& word : std::as_const(list->words)) {
        const QString key = matchKey(word);
        if (!wordsByKey.contains(key))
            wordsByKey.insert(key, word);
    }
    for (const ZipEntry* entry : std::as_const(clipEntries)) {
        const QString key = matchKey(entry->name.mid(kClipFolder.size()).chopped(kClipExtension.size()));
        const auto word = wordsByKey.constFind(key);
        if (word == wordsByKey.constEnd()) {
            *why = QStringLiteral("it holds \"%1\", which is no word of its list").arg(entry->name);
            return false;
        }
        list->clips.append({*word, entry->bytes});
    }
    return true;
}

}  // namespace practice::share
