#include "platform/framework/archive.h"

#include "platform/framework/ansitext.h"

#include <QtEndian>

namespace platform::framework {

template <typename T>
void CArchive::put(T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    m_store->append(bytes, sizeof(T));
}

template <typename T>
T CArchive::take()
{
    return qFromLittleEndian<T>(takeBytes(sizeof(T)).data());
}

QByteArrayView CArchive::takeBytes(qsizetype n)
{
    if (n > BytesLeft())
        throw CArchiveException();
    const QByteArrayView bytes = m_load.sliced(m_pos, n);
    m_pos += n;
    return bytes;
}

void CArchive::WriteCount(quint32 count)
{
    if (count < 0xFFFF) {
        put<quint16>(static_cast<quint16>(count));
    } else {
        put<quint16>(0xFFFF);
        put<quint32>(count);
    }
}

quint32 CArchive::ReadCount()
{
    const quint16 count = take<quint16>();
    return count == 0xFFFF ? take<quint32>() : count;
}

void CArchive::WriteString(QByteArrayView bytes)
{
    const auto length = static_cast<quint32>(bytes.size());
    if (length < 0xFF) {
        put<quint8>(static_cast<quint8>(length));
    } else if (length < 0xFFFE) {
        put<quint8>(0xFF);
        put<quint16>(static_cast<quint16>(length));
    } else {
        put<quint8>(0xFF);
        put<quint16>(0xFFFF);
        put<quint32>(length);
    }
    m_store->append(bytes.data(), bytes.size());
}

quint32 CArchive::readLength()
{
    quint32 length = take<quint8>();
    if (length == 0xFF) {
        length = take<quint16>();
        if (length == 0xFFFF)
            length = take<quint32>();
    }
    return length;
}

QByteArray CArchive::ReadString()
{
    return takeBytes(readLength()).toByteArray();
}

void CArchive::WriteText(const QString& text)
{
    WriteString(EncodeAnsi(text));
}

QString CArchive::ReadText()
{
    return DecodeAnsi(takeBytes(readLength()));
}

}  // namespace platform::framework
