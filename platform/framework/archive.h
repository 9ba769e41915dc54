#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <stdexcept>

namespace platform::framework {

// Thrown when a load reads past the end of the data.
class CArchiveException : public std::runtime_error {
public:
    CArchiveException() : std::runtime_error("archive ended early") {}
};

// A binary archive in the framework's encodings: little-endian integers, the
// escaped element count, and length-prefixed strings. Storing appends to a
// buffer; loading reads from bytes already in memory, so every length is checked
// against what is really there before anything is allocated for it.
class CArchive {
public:
    explicit CArchive(QByteArray* storeBuffer) : m_store(storeBuffer) {}
    explicit CArchive(QByteArrayView loadData) : m_load(loadData) {}

    bool IsStoring() const { return m_store != nullptr; }
    bool IsLoading() const { return m_store == nullptr; }

    // Count: 16 bits below 0xFFFF, else FF FF and 32 bits.
    void WriteCount(quint32 count);
    quint32 ReadCount();

    // String length: 8 bits below 0xFF, 16 bits below 0xFFFE, else 32 bits, each
    // larger form behind an all-ones escape of the smaller.
    void WriteString(QByteArrayView bytes);
    QByteArray ReadString();

    // Words travel as text in the product's encoding (see ansitext.h).
    void WriteText(const QString& text);
    QString ReadText();

    qsizetype BytesLeft() const { return m_load.size() - m_pos; }

private:
    template <typename T>
    void put(T value);
    template <typename T>
    T take();
    QByteArrayView takeBytes(qsizetype n);
    quint32 readLength();

    QByteArray* m_store = nullptr;
    QByteArrayView m_load;
    qsizetype m_pos = 0;
};

}  // namespace platform::framework
