#pragma once

#include <QStringList>

namespace platform::framework {
class CArchive;
}

// The spelling list file: the word count, then each word with its length, and
// nothing else. Loading appends to `words` and throws CArchiveException when
// the data end early; it reserves room only for as many words as the data can
// hold (one byte each at the least), so memory stays a bounded multiple of the
// file's size whatever the file declares.
void SerializeWordList(platform::framework::CArchive& ar, QStringList& words);
