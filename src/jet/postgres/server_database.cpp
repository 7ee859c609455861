#include "jet/postgres/server_database.hpp"

#include <cstdlib>
#include <set>

#include "jet/engine/species_and_breeds.hpp"
#include "jet/postgres/reference_data.hpp"
#include "jet/postgres/session_pool.hpp"
#include "zelt/jet/catalogue.hpp"

namespace zelt::jet::postgres {
namespace {

// The names the first column of a query gives, one per row.
std::set<std::string> names(Session& s, const std::string& sql) {
    Result r = s.exec(sql);
    std::set<std::string> out;
    for (int i = 0; i < PQntuples(r.get()); ++i) out.insert(PQgetvalue(r.get(), i, 0));
    return out;
}

int64_t count(Session& s, const std::string& sql) { return std::strtoll(PQgetvalue(s.exec(sql).get(), 0, 0), nullptr, 10); }

// Closes the session without keeping it when the work failed half-way.
struct Lease {
    std::unique_ptr<Session> session;
    ~Lease() { returnSession(std::move(session)); }
};

}  // namespace

int64_t importMunicipios(const std::string& uri, const std::vector<engine::Municipio>& municipios) {
    Lease lease{openSession(uri)};
    Session& s = *lease.session;
    s.exec("BEGIN");
    const int64_t n = storeMunicipios(s, municipios);
    s.exec("COMMIT");
    return n;
}

std::vector<std::string> checkServerDatabase(const std::string& uri) {
    Lease lease{openSession(uri)};
    Session& s = *lease.session;
    std::vector<std::string> problems;
    const std::set<std::string> tables =
        names(s, "SELECT c.relname FROM pg_class c WHERE c.relkind IN ('r', 'p') AND pg_table_is_visible(c.oid)");
    const std::set<std::string> indexes =
        names(s, "SELECT c.relname FROM pg_class c WHERE c.relkind = 'i' AND pg_table_is_visible(c.oid)");
    for (const TableDef& t : catalogue()) {
        if (!tables.count(t.name)) {
            problems.push_back("falta a tabela " + t.name);
            continue;
        }
        const std::set<std::string> columns = names(
            s, "SELECT attname FROM pg_attribute WHERE attrelid = to_regclass('\"" + t.name +
                   "\"') AND attnum > 0 AND NOT attisdropped");
        for (const ColumnDef& c : t.columns)
            if (!columns.count(c.name)) problems.push_back("falta a coluna " + t.name + "." + c.name);
        for (const auto& index : t.indexes) {
            std::string name = "ix_" + t.name;
            for (const std::string& c : index) name += "_" + c;
            if (!indexes.count(name)) problems.push_back("falta o índice " + name);
        }
        for (const std::string& c : t.uniqueWhenFilled)
            if (!indexes.count("ux_" + t.name + "_" + c)) problems.push_back("falta o índice ux_" + t.name + "_" + c);
    }
    if (!problems.empty()) return problems;

    size_t breeds = 0;
    for (const auto& species : engine::speciesSeeds()) breeds += species.racas.size();
    const size_t municipios = engine::parseMunicipiosCsv(engine::embeddedMunicipiosCsv()).size();
    const struct {
        const char* what;
        const char* sql;
        int64_t least;
    } reference[] = {
        {"espécies de animais", "SELECT count(*) FROM \"EspeciesDeAnimais\"", static_cast<int64_t>(engine::speciesSeeds().size())},
        {"raças de animais", "SELECT count(*) FROM \"RacasDeAnimais\"", static_cast<int64_t>(breeds)},
        {"municípios do IBGE", "SELECT count(DISTINCT \"CodigoIBGE\") FROM \"MunicipiosIBGE\"", static_cast<int64_t>(municipios)},
        {"linha da empresa", "SELECT count(*) FROM \"Empresa\"", 1},
    };
    for (const auto& r : reference) {
        const int64_t n = count(s, r.sql);
        if (n < r.least)
            problems.push_back("faltam " + std::string(r.what) + ": " + std::to_string(n) + " de " + std::to_string(r.least));
    }
    if (problems.empty()) problems.push_back("ok");
    return problems;
}

}  // namespace zelt::jet::postgres
