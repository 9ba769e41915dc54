#pragma once

#include "practice/history/resultstore.h"

#include <QString>

namespace practice::history {

// The history module's store factory, loaded the first time a result is saved
// or read; null, with `reason` saying why, when the module cannot be loaded.
const ResultStoreFactory* LoadStoreFactory(QString* reason);

}  // namespace practice::history
