// The integrity check runs on a connection of our own kind: the text indexes are ordered by the
// pt-BR collation, which a bare SQLite connection does not know. It only reads: a path with no
// file (a mistyped name, a share not mounted) is an error, and nothing is created there.
#include "jet/engine/database.hpp"
#include "jet/postgres/server_address.hpp"
#include "jet/postgres/server_database.hpp"
#include "zelt/jet/engine.hpp"

namespace zelt::jet {

std::vector<std::string> checkIntegrity(const std::string& databasePath) {
    if (postgres::isServerUri(databasePath)) return postgres::checkServerDatabase(databasePath);
    engine::Database db(databasePath, engine::Database::Opening::ExistingOnly);
    const std::string sql = "PRAGMA integrity_check";
    engine::Statement check = db.prepare(sql);
    std::vector<std::string> lines;
    int rc;
    while ((rc = sqlite3_step(check.get())) == SQLITE_ROW) {
        const unsigned char* text = sqlite3_column_text(check.get(), 0);
        lines.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
    }
    if (rc != SQLITE_DONE) db.fail(rc, sql);
    return lines;
}

}  // namespace zelt::jet
