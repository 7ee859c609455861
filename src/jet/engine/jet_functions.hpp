#pragma once
// The Jet function library as SQLite functions, the Portuguese LIKE and the PTBR collation.
#include <sqlite3.h>

#include "jet/engine/database.hpp"

namespace zelt::jet::engine {

// Once per connection; errors raised by the functions are left in errors.
void registerJetFunctions(sqlite3* db, FunctionErrors* errors);

}  // namespace zelt::jet::engine
