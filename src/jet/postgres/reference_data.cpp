#include "jet/postgres/reference_data.hpp"

#include <string>
#include <string_view>
#include <unordered_map>

#include "jet/engine/species_and_breeds.hpp"
#include "zelt/jet/catalogue.hpp"

namespace zelt::jet::postgres {
namespace {

// Many rows travel as one text array per column, unnested by the server, so that they take one
// statement and no value is ever written into the text of one.
class ArrayLiteral {
public:
    void add(std::string_view value) {
        text_ += text_.empty() ? "{\"" : ",\"";
        for (char c : value) {
            if (c == '"' || c == '\\') text_ += '\\';
            text_ += c;
        }
        text_ += '"';
    }
    std::string text() const { return text_.empty() ? "{}" : text_ + "}"; }

private:
    std::string text_;
};

void seedSpeciesAndBreeds(Session& s) {
    ArrayLiteral speciesCodes, speciesNames, breedCodes, breedNames, breedSpecies;
    int speciesCode = 0, breedCode = 0;
    for (const engine::SpeciesSeed& seed : engine::speciesSeeds()) {
        speciesCodes.add(std::to_string(++speciesCode));
        speciesNames.add(seed.nome);
        for (const char* raca : seed.racas) {
            breedCodes.add(std::to_string(++breedCode));
            breedNames.add(raca);
            breedSpecies.add(std::to_string(speciesCode));
        }
    }
    s.execParams("INSERT INTO \"EspeciesDeAnimais\" (\"Codigo\", \"Nome\") "
                 "SELECT * FROM unnest($1::integer[], $2::text[])",
                 {speciesCodes.text(), speciesNames.text()});
    s.execParams("INSERT INTO \"RacasDeAnimais\" (\"Codigo\", \"Nome\", \"CodigoDaEspecieDeAnimal\") "
                 "SELECT * FROM unnest($1::integer[], $2::text[], $3::integer[])",
                 {breedCodes.text(), breedNames.text(), breedSpecies.text()});
}

}  // namespace

int64_t storeMunicipios(Session& s, const std::vector<engine::Municipio>& municipios) {
    // A code given twice is written once, with its last names, as one replacing the other would.
    std::unordered_map<std::string_view, size_t> last;
    for (size_t i = 0; i < municipios.size(); ++i) last[municipios[i].codigoIbge] = i;
    ArrayLiteral codes, names, states;
    for (size_t i = 0; i < municipios.size(); ++i) {
        if (last[municipios[i].codigoIbge] != i) continue;
        codes.add(municipios[i].codigoIbge);
        names.add(municipios[i].nome);
        states.add(municipios[i].uf);
    }
    s.execParams("WITH novos AS (SELECT * FROM unnest($1::text[], $2::text[], $3::text[]) AS n (codigo, nome, uf)), "
                 "alterados AS (UPDATE \"MunicipiosIBGE\" m SET \"Nome\" = n.nome, \"UF\" = n.uf FROM novos n "
                 "WHERE m.\"CodigoIBGE\" = n.codigo RETURNING m.\"CodigoIBGE\") "
                 "INSERT INTO \"MunicipiosIBGE\" (\"CodigoIBGE\", \"Nome\", \"UF\") SELECT codigo, nome, uf FROM novos "
                 "WHERE codigo NOT IN (SELECT \"CodigoIBGE\" FROM alterados)",
                 {codes.text(), names.text(), states.text()});
    return static_cast<int64_t>(municipios.size());
}

void advanceCounters(Session& s) {
    std::string sql;
    for (const TableDef& t : catalogue()) {
        for (const ColumnDef& c : t.columns) {
            if (c.kind != ColumnKind::Counter) continue;
            const std::string table = "'\"" + t.name + "\"'", column = "\"" + c.name + "\"";
            // setval(sequence, n, false): the next value is n, the largest plus one, or 1 on no rows.
            sql += std::string(sql.empty() ? "SELECT " : ", ") + "setval(pg_get_serial_sequence(" + table + ", '" +
                   c.name + "'), coalesce((SELECT max(" + column + ") FROM \"" + t.name + "\"), 0) + 1, false)";
        }
    }
    if (!sql.empty()) s.exec(sql);
}

void seedReferenceData(Session& s) {
    seedSpeciesAndBreeds(s);
    storeMunicipios(s, engine::parseMunicipiosCsv(engine::embeddedMunicipiosCsv()));
    s.exec("INSERT INTO \"Empresa\" DEFAULT VALUES");
    advanceCounters(s);
}

}  // namespace zelt::jet::postgres
