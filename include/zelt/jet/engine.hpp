#pragma once
// The Jet engine: opens a database with the schema and reference data in place, and serves
// ado::Connection. A postgresql:// or postgres:// URI names a PostgreSQL server; anything else is
// a SQLite file.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "zelt/ado/connection.hpp"

namespace zelt::jet {

// Opens (creating on first use, idempotently, for its owner only) the database file at path: WAL
// journal, foreign keys on, a busy timeout, the Jet functions and the pt-BR collation registered.
// A name that is no file's (":memory:", "file:..."), and a file of another program, raise the
// cannot-open error. Errors are RuntimeErrors with jet::err numbers.
std::unique_ptr<ado::Engine> openDatabase(const std::string& path);

// $ZELT_DATABASE, or $XDG_DATA_HOME/zelt/zelt.db (~/.local/share/zelt/zelt.db); the cannot-open
// error when none of these is set. Creates nothing.
std::string defaultDatabasePath();

// (Re)loads MunicipiosIBGE from a "CodigoIBGE;Nome;UF" file, replacing rows by code; returns the
// number of lines read.
int64_t importMunicipios(const std::string& databasePath, const std::string& csvPath);

// SQLite's integrity check of the file, with the collation its text indexes are ordered by; on a
// server, every table, column and index of the schema and the reference data: {"ok"} when sound,
// otherwise one line per problem found. A path with no file is the cannot-open error.
std::vector<std::string> checkIntegrity(const std::string& databasePath);

}  // namespace zelt::jet
