#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "jet/engine/connection_pool.hpp"
#include "jet/engine/reference_data.hpp"
#include "jet/engine/schema.hpp"
#include "jet/engine/sqlite_engine.hpp"
#include "jet/postgres/postgres_engine.hpp"
#include "jet/postgres/server_address.hpp"
#include "jet/postgres/server_database.hpp"
#include "zelt/jet/engine.hpp"
#include "zelt/jet/errors.hpp"

namespace zelt::jet {
namespace {

std::unique_ptr<engine::Database> openPrepared(const std::string& path) {
    auto db = std::make_unique<engine::Database>(path);
    engine::ensureSchema(*db);
    return db;
}

}  // namespace

std::unique_ptr<ado::Engine> openDatabase(const std::string& path) {
    if (postgres::isServerUri(path)) return postgres::openServerDatabase(path);
    if (auto pooled = engine::takePooledConnection(path)) return std::make_unique<engine::SqliteEngine>(std::move(pooled));
    return std::make_unique<engine::SqliteEngine>(openPrepared(path));
}

std::string defaultDatabasePath() {
    if (const char* named = std::getenv("ZELT_DATABASE"); named && *named) return named;
    std::filesystem::path dir;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) dir = data;
    else if (const char* home = std::getenv("HOME"); home && *home) dir = std::filesystem::path(home) / ".local" / "share";
    // No shared place instead: every local user could read the register there.
    else throw RuntimeError(err::ProviderFailure,
                            "Não foi possível saber onde fica o banco de dados: defina ZELT_DATABASE com o caminho "
                            "do arquivo, ou HOME.",
                            err::CannotOpenHelpContext);
    return (dir / "zelt" / "zelt.db").string();
}

int64_t importMunicipios(const std::string& databasePath, const std::string& csvPath) {
    std::ifstream in(csvPath, std::ios::binary);
    std::ostringstream text;
    if (!(in && text << in.rdbuf()))
        throw RuntimeError(err::ProviderFailure, "Não foi possível ler o arquivo '" + csvPath + "'.");
    const auto municipios = engine::parseMunicipiosCsv(text.str());
    if (postgres::isServerUri(databasePath)) return postgres::importMunicipios(databasePath, municipios);
    auto db = openPrepared(databasePath);
    db->exec("BEGIN IMMEDIATE");
    try {
        const int64_t count = engine::storeMunicipios(*db, municipios);
        db->exec("COMMIT");
        return count;
    } catch (...) {
        sqlite3_exec(db->handle(), "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

}  // namespace zelt::jet
