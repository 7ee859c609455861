#pragma once
// Jet's &, + and Between where SQLite's operators cannot stand for them.
#include <sqlite3.h>

#include "jet/engine/database.hpp"

namespace zelt::jet::engine {

// Once per connection, with the Jet functions; errors raised are left in errors.
void registerJetOperators(sqlite3* db, FunctionErrors* errors);

}  // namespace zelt::jet::engine
