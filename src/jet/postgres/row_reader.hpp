#pragma once
// A selection's rows as the server sent them (text), read into a recordset whose fields carry the
// ADO types of the result columns: the same values and types SQLite gives for the same statement.
#include <libpq-fe.h>

#include <string_view>

#include "zelt/ado/recordset.hpp"
#include "zelt/automation/variant.hpp"
#include "zelt/jet/translator.hpp"

namespace zelt::jet::postgres {

Ref<ado::Recordset> readRows(const PGresult* r, const Query& query);

// One value of a column of the server's type oid, as a column of the given kind holds it.
Variant valueOf(std::string_view text, Oid type, ValueKind kind);

}  // namespace zelt::jet::postgres
