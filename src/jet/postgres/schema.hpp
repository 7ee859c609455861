#pragma once
// The tables of the catalogue as PostgreSQL DDL, and their first-use creation with the reference
// data.
#include <string>
#include <string_view>

#include "jet/postgres/session.hpp"

namespace zelt::jet::postgres {

// Jet compares text as a Portuguese reader does: case-insensitive, accents distinct (pt-BR at
// secondary strength). Equality, ordering and grouping of text columns use this collation.
inline constexpr std::string_view CaseInsensitive = "ptbr_ci";
// The same language at full strength: deterministic, which LIKE needs (it folds case itself).
inline constexpr std::string_view Portuguese = "ptbr";

// Names the CHECK that keeps a money column within Jet's Currency ("moeda_" + column): a value
// beyond it is the overflow error, as Jet's.
inline constexpr std::string_view MoneyCheckPrefix = "moeda_";

// The collations, tables and indexes of the whole catalogue, referred tables first; every
// statement may run again harmlessly.
std::string schemaDdl();

// Creates the schema and the reference data unless the database has them. Several workstations
// starting at once on a new database wait for one another on an advisory lock, and only the
// first creates anything.
void ensureSchema(Session& s);

// "Table.Column" of each column of the key or index a constraint names, as a duplicate-value
// error shows them.
std::string constrainedColumns(std::string_view table, std::string_view constraint);

}  // namespace zelt::jet::postgres
