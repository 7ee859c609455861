#pragma once
// The Jet function library as SQLite functions, the Portuguese LIKE and the PTBR collation.
#include <sqlite3.h>

#include "jet/engine/database.hpp"
#include "zelt/automation/currency.hpp"

namespace zelt::jet::engine {

// Once per connection; errors raised by the functions are left in errors.
void registerJetFunctions(sqlite3* db, FunctionErrors* errors);

// A number of money kind as the amount it stands for: money travels in SQL as ten-thousandths,
// which SQLite turns into a double when a sum of them overflows (then error 6).
Currency amountOf(sqlite3_value* v);

}  // namespace zelt::jet::engine
