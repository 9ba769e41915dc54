#pragma once

#include "practice/history/resultstore.h"

#include <QByteArray>
#include <QList>
#include <QString>

// A learner's tests as a CSV file for a spreadsheet: UTF-8 with a byte-order
// mark (without it one spreadsheet reads the bytes in the system's code page),
// a header row, RFC 4180 quoting and CRLF line ends. A text cell that a
// spreadsheet would take for a formula (= + - @, a tab or a carriage return
// first) gets a leading apostrophe, so a list or learner name never runs as
// one.
namespace practice::history {

QByteArray HistoryCsv(const QString& learner, const QList<StoredTest>& tests);
// One text cell as it goes in the file, guarded and quoted as above.
QString CsvTextCell(const QString& text);
// Writes `bytes` through QSaveFile: the file is whole or untouched. False with
// the file's name and the system's reason.
bool SaveCsv(const QString& path, const QByteArray& bytes, QString* error);

}  // namespace practice::history
