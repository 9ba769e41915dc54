#pragma once

#include <QByteArray>
#include <QString>

// A distribution folder for tests: the files Setup copies and the sizes of
// the icon it puts in the user's theme. Both programs are marker programs (see
// desktopentrycheck.h), so a test can tell that an entry started the installed
// copy; every file's bytes name the file.
void WriteInstallMedium(const QString& folder);

// The bytes WriteInstallMedium gives `name`.
QByteArray MediumFileBytes(const QString& name);
