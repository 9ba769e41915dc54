#pragma once

#include <QStringList>

namespace platform::framework {
class CArchive;
}

// The spelling list file: the word count, then each word with its length, and
// nothing else. Loading appends to `words` and throws CArchiveException when
// the data end early; it never reserves room for what the file only declares.
void SerializeWordList(platform::framework::CArchive& ar, QStringList& words);
