#pragma once
// The function library (jet/library) as SQLite functions: jet_left, jet_mod, ... and jet_typed,
// which marks a value with the kind SQLite cannot hold (a date, a Boolean, an amount).
#include <sqlite3.h>

#include <string>
#include <string_view>

#include "jet/engine/database.hpp"

namespace zelt::jet::engine {

// Once per connection, beside registerJetFunctions.
void registerLibraryFunctions(sqlite3* db, FunctionErrors* errors);
// The SQLite name of a library function.
std::string librarySqlName(std::string_view jetName);

// The marks jet_typed(value, mark) gives: how a number is read back into a Variant.
inline constexpr unsigned DateMark = 'D', BooleanMark = 'B', MoneyMark = 'C';

}  // namespace zelt::jet::engine
