#include "handzip.h"

#include <zlib.h>

namespace {

// Little-endian, as every number in a zip archive.
void put(QByteArray& out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char(value >> (8 * i)));
}

// From the version needed to the extra field's length, alike in both headers.
void putCommon(QByteArray& out, const HandZipEntry& entry)
{
    const quint32 size = quint32(entry.declaredSize < 0 ? entry.data.size() : entry.declaredSize);
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(entry.data.constData()), uInt(entry.data.size()));
    put(out, 20, 2);
    put(out, entry.flags, 2);
    put(out, 0, 4);  // stored, at midnight
    put(out, 0x21, 2);  // 1980-01-01
    put(out, quint32(crc) ^ (entry.wrongChecksum ? 1u : 0u), 4);
    put(out, size, 4);
    put(out, size, 4);
    put(out, quint32(entry.name.size()), 2);
    put(out, 0, 2);
}

}  // namespace

QByteArray HandZip(const QList<HandZipEntry>& entries)
{
    QByteArray out;
    QByteArray central;
    for (const HandZipEntry& entry : entries) {
        const quint32 offset = quint32(out.size());
        put(out, 0x04034b50, 4);
        putCommon(out, entry);
        out.append(entry.name).append(entry.data);

        put(central, 0x02014b50, 4);
        put(central, (3 << 8) | 20, 2);  // made on unix
        putCommon(central, entry);
        central.append(6, '\0');  // no comment, disk 0, no internal attributes
        put(central, entry.mode << 16, 4);
        put(central, offset, 4);
        central.append(entry.name);
    }
    const quint32 centralOffset = quint32(out.size());
    out.append(central);
    put(out, 0x06054b50, 4);
    put(out, 0, 4);  // disk 0, the central directory's too
    put(out, quint32(entries.size()), 2);
    put(out, quint32(entries.size()), 2);
    put(out, quint32(central.size()), 4);
    put(out, centralOffset, 4);
    put(out, 0, 2);
    return out;
}
