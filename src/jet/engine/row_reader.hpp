#pragma once
// A selection's rows as a recordset whose fields carry the ADO types of the result columns.
#include "jet/engine/database.hpp"
#include "zelt/ado/recordset.hpp"
#include "zelt/jet/translator.hpp"

namespace zelt::jet::engine {

Ref<ado::Recordset> readRows(Database& db, const Query& query);

}  // namespace zelt::jet::engine
