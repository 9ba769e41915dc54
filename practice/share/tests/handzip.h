#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Zip archives written byte by byte, stored (not deflated), so a test can say
// exactly what each header claims, lies included.
struct HandZipEntry {
    QByteArray name;
    QByteArray data;
    quint32 mode = 0100644;  // unix mode in the external attributes
    qint64 declaredSize = -1;  // the sizes the headers claim; -1: the data's
    bool wrongChecksum = false;
    quint16 flags = 0x0800;  // UTF-8 names
};

QByteArray HandZip(const QList<HandZipEntry>& entries);
