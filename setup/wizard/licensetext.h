#pragma once

#include <QStringList>

namespace setup::wizard {

// The agreement's eleven pieces in the order they are shown: the title line,
// the notice and the nine numbered clauses, each carrying its own leading line
// breaks, so that joining them with nothing in between gives the whole text.
QStringList LicensePieces();

}  // namespace setup::wizard
