// Feeds arbitrary bytes to the spelling list loader: it must either load a list
// or stop with CArchiveException, never crash, leak or allocate for sizes the
// data only declare.
#include "platform/framework/archive.h"
#include "practice/document/wordlist.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using platform::framework::CArchive;
    using platform::framework::CArchiveException;
    QStringList words;
    try {
        CArchive ar{QByteArrayView(data, static_cast<qsizetype>(size))};
        SerializeWordList(ar, words);
    } catch (const CArchiveException&) {
        return 0;
    }
    // A list that loaded must store back and load again to the same words.
    QByteArray stored;
    CArchive out(&stored);
    SerializeWordList(out, words);
    QStringList again;
    CArchive in{QByteArrayView(stored)};
    SerializeWordList(in, again);
    if (again != words)
        __builtin_trap();
    return 0;
}
