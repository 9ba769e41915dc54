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
    for (quint32 i = 0; i < count; ++i)
        words.append(ar.ReadText());
}
