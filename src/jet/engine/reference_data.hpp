#pragma once
// The rows a new database starts with: species and breeds, the IBGE municipalities, the company row.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "jet/engine/database.hpp"

namespace zelt::jet::engine {

struct Municipio {
    std::string codigoIbge, nome, uf;
};

// "CodigoIBGE;Nome;UF" lines, UTF-8, an optional header line; blank lines skipped. A line with
// another shape is a type-mismatch error naming its number.
std::vector<Municipio> parseMunicipiosCsv(std::string_view text);
// Writes (replacing by code) the municipalities; returns how many were written.
int64_t storeMunicipios(Database& db, const std::vector<Municipio>& municipios);

// The official list of 5,570 municipalities, embedded at build time.
std::string_view embeddedMunicipiosCsv();

// Inside the schema-creating transaction.
void seedReferenceData(Database& db);

}  // namespace zelt::jet::engine
