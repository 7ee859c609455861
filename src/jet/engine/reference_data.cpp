#include "jet/engine/reference_data.hpp"

#include <unordered_map>

#include "jet/engine/species_and_breeds.hpp"
#include "zelt/jet/catalogue.hpp"
#include "zelt/jet/errors.hpp"

namespace zelt::jet::engine {
namespace {

void bindText(sqlite3_stmt* s, int i, std::string_view text) {
    sqlite3_bind_text64(s, i, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

void run(Database& db, sqlite3_stmt* s) {
    const int rc = sqlite3_step(s);
    sqlite3_reset(s);
    if (rc != SQLITE_DONE) db.fail(rc);
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\r' || s.front() == '\xEF' || s.front() == '\xBB' ||
                          s.front() == '\xBF'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool hasColumn(const TableDef& table, const char* column) { return findColumn(table, column) != nullptr; }

void seedSpeciesAndBreeds(Database& db) {
    Statement species = db.prepare("INSERT INTO \"EspeciesDeAnimais\" (\"Codigo\", \"Nome\") VALUES (?, ?)");
    Statement breed = db.prepare(
        "INSERT INTO \"RacasDeAnimais\" (\"Codigo\", \"Nome\", \"CodigoDaEspecieDeAnimal\") VALUES (?, ?, ?)");
    int speciesCode = 0, breedCode = 0;
    for (const SpeciesSeed& s : speciesSeeds()) {
        sqlite3_bind_int(species.get(), 1, ++speciesCode);
        bindText(species.get(), 2, s.nome);
        run(db, species.get());
        for (const char* raca : s.racas) {
            sqlite3_bind_int(breed.get(), 1, ++breedCode);
            bindText(breed.get(), 2, raca);
            sqlite3_bind_int(breed.get(), 3, speciesCode);
            run(db, breed.get());
        }
    }
}

}  // namespace

std::vector<Municipio> parseMunicipiosCsv(std::string_view text) {
    std::vector<Municipio> out;
    int lineNumber = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (line.empty() || (lineNumber == 1 && line.starts_with("CodigoIBGE"))) continue;
        const size_t a = line.find(';');
        const size_t b = a == std::string_view::npos ? a : line.find(';', a + 1);
        const std::string_view code = b == std::string_view::npos ? line : trimmed(line.substr(0, a));
        const bool digits = code.size() == 7 && code.find_first_not_of("0123456789") == std::string_view::npos;
        if (b == std::string_view::npos || !digits)
            throw RuntimeError(err::TypeMismatch, "A linha " + std::to_string(lineNumber) +
                                                      " não tem o formato CodigoIBGE;Nome;UF com um código de 7 dígitos.");
        out.push_back({std::string(code), std::string(trimmed(line.substr(a + 1, b - a - 1))),
                       std::string(trimmed(line.substr(b + 1)))});
    }
    return out;
}

int64_t storeMunicipios(Database& db, const std::vector<Municipio>& municipios) {
    const TableDef* table = findTable("MunicipiosIBGE");
    const bool named = table && hasColumn(*table, "Nome");
    const bool withState = table && hasColumn(*table, "UF");
    // The code is no key of the table, so the rows already there are found by a map of their codes:
    // a replacement is an update of that row, a new code an insertion.
    std::unordered_map<std::string, sqlite3_int64> present;
    {
        Statement rows = db.prepare("SELECT \"CodigoIBGE\", rowid FROM \"MunicipiosIBGE\"");
        while (sqlite3_step(rows.get()) == SQLITE_ROW)
            if (const auto* code = sqlite3_column_text(rows.get(), 0))
                present.emplace(reinterpret_cast<const char*>(code), sqlite3_column_int64(rows.get(), 1));
    }
    std::string set, columns = "\"CodigoIBGE\"", values = "?1";
    if (named) set += ", \"Nome\" = ?2", columns += ", \"Nome\"", values += ", ?2";
    if (withState) set += ", \"UF\" = ?3", columns += ", \"UF\"", values += ", ?3";
    Statement update = db.prepare("UPDATE \"MunicipiosIBGE\" SET \"CodigoIBGE\" = ?1" + set + " WHERE rowid = ?4");
    Statement insert = db.prepare("INSERT INTO \"MunicipiosIBGE\" (" + columns + ") VALUES (" + values + ")");
    for (const Municipio& m : municipios) {
        const auto found = present.find(m.codigoIbge);
        sqlite3_stmt* s = found == present.end() ? insert.get() : update.get();
        bindText(s, 1, m.codigoIbge);
        if (named) bindText(s, 2, m.nome);
        if (withState) bindText(s, 3, m.uf);
        if (found != present.end()) sqlite3_bind_int64(s, 4, found->second);
        run(db, s);
        if (found == present.end()) present.emplace(m.codigoIbge, sqlite3_last_insert_rowid(db.handle()));
    }
    return static_cast<int64_t>(municipios.size());
}

void seedReferenceData(Database& db) {
    seedSpeciesAndBreeds(db);
    storeMunicipios(db, parseMunicipiosCsv(embeddedMunicipiosCsv()));
    db.exec("INSERT INTO \"Empresa\" DEFAULT VALUES");
}

}  // namespace zelt::jet::engine
