// Feeds arbitrary bytes to the shared-list reader (libzip, then the checks on
// the entries): it must refuse or accept them, never crash, leak or allocate
// past the limits, and what it accepts must be a list and clips of its words
// that pack and read back alike.
#include "platform/zip/zipcodec.h"
#include "practice/share/sharedlist.h"

#include <cstddef>
#include <cstdint>

extern "C" const platform::zip::ZipCodec* wordwell_zip_codec_1();

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace practice::share;
    const platform::zip::ZipCodec* codec = wordwell_zip_codec_1();
    QList<platform::zip::ZipEntry> entries;
    QString why;
    SharedList list;
    if (!codec->unpack(QByteArrayView(data, qsizetype(size)), SharedListLimits(), &entries, &why)
        || !UnpackSharedList(entries, &list, &why))
        return 0;
    for (const SharedClip& clip : list.clips) {
        if (!list.words.contains(clip.word) || ClipEntryName(clip.word).isEmpty())
            __builtin_trap();
    }
    QByteArray again;
    QList<platform::zip::ZipEntry> reread;
    SharedList second;
    if (!codec->pack(PackSharedList(list), &again, &why) || !codec->unpack(again, SharedListLimits(), &reread, &why)
        || !UnpackSharedList(reread, &second, &why) || second.words != list.words
        || second.listBytes != list.listBytes || second.clips.size() != list.clips.size())
        __builtin_trap();
    return 0;
}
