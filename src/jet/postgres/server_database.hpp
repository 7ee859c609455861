#pragma once
// What the zelt command does to a register, on a server: loading municipalities and checking that
// the schema and the reference data are all there.
#include <cstdint>
#include <string>
#include <vector>

#include "jet/engine/reference_data.hpp"

namespace zelt::jet::postgres {

// In one transaction; returns how many were given.
int64_t importMunicipios(const std::string& uri, const std::vector<engine::Municipio>& municipios);

// {"ok"} when every table, column and index of the schema is present and the reference data is
// complete; otherwise one line per thing missing.
std::vector<std::string> checkServerDatabase(const std::string& uri);

}  // namespace zelt::jet::postgres
