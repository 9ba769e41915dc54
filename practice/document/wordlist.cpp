#include "practice/document/wordlist.h"

#include "platform/framework/archive.h"

void SerializeWordList(platform::framework::CArchive& ar, QStringList& words)
{
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<quint32>(words.size()));
        for (const QString& word : std::as_const(words))
            ar.WriteText(word);
        return;
    }
    const quint32 count = ar.ReadCount();
    // Every word takes at least its length byte: a count the data cannot hold
    // is refused before anything is allocated for it, and the list grows once.
    if (count > ar.BytesLeft())
        throw platform::framework::CArchiveException();
    words.reserve(words.size() + count);
    for (quint32 i = 0; i < count; ++i)
        words.append(ar.ReadText());
}
