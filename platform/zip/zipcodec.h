#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Zip archives, read and written in memory by the zip module (libzip), kept
// out of the programs until first used (platform/modules): libzip brings
// libcrypto with it.
namespace platform::zip {

struct ZipEntry {
    QString name;  // as stored, '/' between levels; a folder's ends with '/'
    QByteArray bytes;
    bool folder = false;
};

// What a reader accepts. An archive that asks for more is refused before
// anything of that size is allocated.
struct ZipLimits {
    qint64 maxEntries = 0;
    qint64 maxEntryBytes = 0;
    qint64 maxTotalBytes = 0;
};

class ZipCodec {
public:
    virtual ~ZipCodec() = default;
    // The entries as one deflated archive, in the order given.
    virtual bool pack(const QList<ZipEntry>& entries, QByteArray* archive, QString* why) const = 0;
    // Every entry of `archive` with its bytes, or false with the reason: a damaged
    // archive (bad headers, a checksum that does not match, data that end
    // early), an encrypted entry, a link or other special file, an entry whose
    // data are larger than it declares, or anything past `limits`.
    virtual bool unpack(QByteArrayView archive, const ZipLimits& limits, QList<ZipEntry>* entries,
                        QString* why) const = 0;
};

// The module's file name and its one exported function, `extern "C"`; the
// number changes whenever the class above does.
inline constexpr char kZipModuleName[] = "wordwell-zip.so";
inline constexpr char kZipCodecEntryPoint[] = "wordwell_zip_codec_1";
using ZipCodecEntryPoint = const ZipCodec* (*)();

// The module's codec, loaded on first use; null with the reason when the
// module is missing or damaged.
const ZipCodec* LoadZipCodec(QString* reason);

}  // namespace platform::zip
