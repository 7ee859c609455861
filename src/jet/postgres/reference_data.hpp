#pragma once
// The reference rows (species and breeds, municipalities, the company row) written on a server:
// the rows are the ones SQLite gets, only the writing differs.
#include <cstdint>
#include <vector>

#include "jet/engine/reference_data.hpp"
#include "jet/postgres/session.hpp"

namespace zelt::jet::postgres {

// Inside the schema-creating transaction.
void seedReferenceData(Session& s);

// Writes (replacing by code) the municipalities in one statement; returns how many were given.
int64_t storeMunicipios(Session& s, const std::vector<engine::Municipio>& municipios);

// Makes each counter continue after the largest value its table holds, as Jet's does after rows
// written with their own codes.
void advanceCounters(Session& s);

}  // namespace zelt::jet::postgres
