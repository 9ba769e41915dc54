#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Text as stored in the product's files. This build writes UTF-8; lists made by
// the older Windows product hold Windows-1252 bytes, which are not valid UTF-8
// (outside plain ASCII), so bytes that do not validate are read as that code page.
namespace platform::framework {

bool IsValidUtf8(QByteArrayView bytes);
QString DecodeWindows1252(QByteArrayView bytes);
QString DecodeAnsi(QByteArrayView bytes);
QByteArray EncodeAnsi(const QString& text);

}  // namespace platform::framework
