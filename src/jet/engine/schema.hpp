#pragma once
// The tables of the catalogue as SQLite DDL, and the first-open creation of schema and data.
#include <string>
#include <string_view>

#include "jet/engine/database.hpp"
#include "zelt/jet/catalogue.hpp"

namespace zelt::jet::engine {

// Names the CHECK constraint that keeps text out of a date column ("tipo_data_" + column).
inline constexpr std::string_view DateCheckPrefix = "tipo_data_";

// CREATE TABLE and CREATE INDEX statements for the whole catalogue, referred tables first.
std::string schemaDdl();

// Creates the schema and the reference data unless the file already has them. Safe when several
// processes open a new file at once: the work happens inside BEGIN IMMEDIATE, after a second look
// at the version. Costs one read of user_version on a database that is ready.
void ensureSchema(Database& db);

}  // namespace zelt::jet::engine
