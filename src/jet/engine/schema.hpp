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

// Makes the file ready: a new (empty) file gets the schema, the reference data and this system's
// mark; a file of an earlier version is upgraded and marked; a file that holds something else is
// refused with the cannot-open error, untouched. Safe when several processes open a file at once:
// the work happens inside BEGIN IMMEDIATE, after a second look. Costs two pragma reads on a
// database that is ready.
void ensureSchema(Database& db);

}  // namespace zelt::jet::engine
