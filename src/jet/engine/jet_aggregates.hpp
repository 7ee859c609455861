#pragma once
// Jet's aggregates that SQLite lacks: StDev, StDevP, Var, VarP, First and Last.
#include <sqlite3.h>

namespace zelt::jet::engine {

void registerJetAggregates(sqlite3* db);

}  // namespace zelt::jet::engine
