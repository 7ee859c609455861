#pragma once
// What SQLite lacks to run Jet's selections used as values.
#include <sqlite3.h>

#include "jet/engine/database.hpp"

namespace zelt::jet::engine {

// Once per connection; errors raised are left in errors.
void registerSubqueryFunctions(sqlite3* db, FunctionErrors* errors);

}  // namespace zelt::jet::engine
