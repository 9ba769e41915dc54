#include "handzip.h"

#include <QtEndian>

namespace {

quint32 crc32(const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char byte : data) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void put16(QByteArray& out, quint32 value)
{
    out.append(char(value & 0xFF)).append(char((value >> 8) & 0xFF));
}

void put32(QByteArray& out, quint32 value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// From the version needed to the extra field's length, alike in both headers.
void putCommon(QByteArray& out, const HandZipEntry& entry)
{
    const quint32 size = quint32(entry.declaredSize < 0 ? entry.data.size() : entry.declaredSize);
    put16(out, 20);
    put16(out, entry.flags);
    put16(out, 0);       // stored
    put16(out, 0);       // time
    put16(out, 0x21);    // 1980-01-01
    put32(out, crc32(entry.data) ^ (entry.wrongChecksum ? 1u : 0u));
    put32(out, size);
    put32(out, size);
    put16(out, quint32(entry.name.size()));
    put16(out, 0);
}

}  // namespace

QByteArray HandZip(const QList<HandZipEntry>& entries)
{
    QByteArray out;
    QByteArray central;
    for (const HandZipEntry& entry : entries) {
        const quint32 offset = quint32(out.size());
        put32(out, 0x04034b50);
        putCommon(out, entry);
        out.append(entry.name).append(entry.data);

        put32(central, 0x02014b50);
        put16(central, (3 << 8) | 20);  // made on unix
        putCommon(central, entry);
        put16(central, 0);  // comment
        put16(central, 0);  // disk
        put16(central, 0);  // internal attributes
        put32(central, entry.mode << 16);
        put32(central, offset);
        central.append(entry.name);
    }
    const quint32 centralOffset = quint32(out.size());
    out.append(central);
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, quint32(entries.size()));
    put16(out, quint32(entries.size()));
    put32(out, quint32(central.size()));
    put32(out, centralOffset);
    put16(out, 0);
    return out;
}
