#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// What the case-blind lookups and the writers of this folder share; not for
// use outside platform/files.
namespace platform::files::detail {

QByteArray Encoded(const QString& path);

// Walks `path` ('\' and '/' both separators) level by level, spelling each as
// `stored` finds it in the folder resolved so far (a null string when it is not
// there); from the first missing level on, the rest stay as given.
QString ResolveLevels(const QString& path,
                      const std::function<QString(const QString& resolved, const QString& level)>& stored);

// realpath(3) of the longest existing part of `nativePath`, the missing levels
// after it appended as given. A level that exists but cannot be resolved (a
// dangling link, a loop) counts as missing, or, with `strict`, gives an empty string.
QString RealPathOf(const QString& nativePath, bool strict);

// Writes all of `size` bytes, across short writes and interruptions.
bool WriteAll(int fd, const char* data, qint64 size);

}  // namespace platform::files::detail
