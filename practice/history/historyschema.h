#pragma once

#include <vector>

namespace practice::history {

// The statements that bring a history database from `version` (0: empty) to
// the current schema, in order; run in one transaction.
std::vector<const char*> SchemaStatementsFrom(int version);

}  // namespace practice::history
