#pragma once
// SQLite's result codes as the errors a Jet caller relies on: numbers and help contexts of
// jet/errors.hpp, Portuguese descriptions that name the cause.
#include <sqlite3.h>

#include <string>
#include <string_view>

#include "zelt/automation/error.hpp"

namespace zelt::jet::engine {

// The error for a failed call on db; sql is the statement that failed (used to name the table a
// refused deletion concerns).
RuntimeError mapSqliteError(sqlite3* db, int rc, std::string_view sql);

// "Não foi possível abrir o banco de dados '<path>': <reason>."
RuntimeError cannotOpen(const std::string& path, const std::string& reason);
// The reason, in Portuguese, for an SQLite code met while opening.
std::string openFailureReason(int rc);

}  // namespace zelt::jet::engine
