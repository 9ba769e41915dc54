#pragma once

#include <QString>

// Whether a folder read from the record may be worked in: a path that is
// absolute, names no "." or ".." level, and is neither the root nor the home
// folder nor one of the folders above it. Anything else (an empty or damaged
// record) would have the removal touch folders the record never made.
bool IsSafeRecordFolder(const QString& folder);
