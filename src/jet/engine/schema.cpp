#include "jet/engine/schema.hpp"

#include <chrono>
#include <set>
#include <thread>
#include <utility>

#include "jet/engine/reference_data.hpp"

namespace zelt::jet::engine {
namespace {

// Bumped when the DDL changes; a file with this version needs nothing.
constexpr int64_t SchemaVersion = 1;

std::string quoted(const std::string& name) { return "\"" + name + "\""; }

std::string columnType(ColumnKind kind) {
    switch (kind) {
    case ColumnKind::Counter: return "INTEGER PRIMARY KEY AUTOINCREMENT";
    case ColumnKind::Number:
    case ColumnKind::YesNo:    // -1 or 0
    case ColumnKind::Money: return "INTEGER";  // ten-thousandths, as Jet's Currency
    case ColumnKind::Double:
    case ColumnKind::Date:
    case ColumnKind::DateTime: return "REAL";
    case ColumnKind::Text:
    case ColumnKind::Memo: return "TEXT COLLATE PTBR";
    }
    return "";
}

bool isDateKind(ColumnKind kind) { return kind == ColumnKind::Date || kind == ColumnKind::DateTime; }

// Columns that foreign keys point at must be keys for SQLite to check the relation.
std::set<std::pair<std::string, std::string>> referencedColumns() {
    std::set<std::pair<std::string, std::string>> out;
    for (const TableDef& t : catalogue())
        for (const ForeignKey& fk : t.foreignKeys) out.emplace(fk.refTable, fk.refColumn);
    return out;
}

std::string createTable(const TableDef& table, const std::set<std::pair<std::string, std::string>>& keys) {
    std::string sql = "CREATE TABLE IF NOT EXISTS " + quoted(table.name) + " (";
    bool first = true;
    auto separator = [&] { if (!first) sql += ", "; first = false; };
    for (const ColumnDef& c : table.columns) {
        separator();
        sql += quoted(c.name) + " " + columnType(c.kind);
        if (c.kind != ColumnKind::Counter && keys.count({table.name, c.name})) sql += " UNIQUE";
        // Dates are stored as serials; a text that slipped past the conversion would sort and
        // compare wrongly, so it is refused as a type mismatch.
        if (isDateKind(c.kind))
            sql += " CONSTRAINT " + quoted(std::string(DateCheckPrefix) + c.name) + " CHECK (typeof(" +
                   quoted(c.name) + ") <> 'text')";
    }
    for (const ForeignKey& fk : table.foreignKeys) {
        separator();
        sql += "FOREIGN KEY (" + quoted(fk.column) + ") REFERENCES " + quoted(fk.refTable) + " (" +
               quoted(fk.refColumn) + ")";
    }
    return sql + ");\n";
}

std::string createIndex(const TableDef& table, const std::vector<std::string>& columns) {
    std::string name = "ix_" + table.name;
    std::string list;
    for (const std::string& c : columns) {
        name += "_" + c;
        if (!list.empty()) list += ", ";
        list += quoted(c);
    }
    return "CREATE INDEX IF NOT EXISTS " + quoted(name) + " ON " + quoted(table.name) + " (" + list + ");\n";
}

}  // namespace

std::string schemaDdl() {
    const auto keys = referencedColumns();
    std::string ddl;
    for (const TableDef& t : catalogue()) ddl += createTable(t, keys);
    for (const TableDef& t : catalogue())
        for (const auto& index : t.indexes) ddl += createIndex(t, index);
    return ddl;
}

void ensureSchema(Database& db) {
    if (db.queryInt("PRAGMA user_version") >= SchemaVersion) return;
    // The journal mode is kept in the file, so only a new file needs it; it cannot change inside
    // a transaction.
    // SQLite does not wait by itself for the file to be free of other processes' locks before
    // switching its journal; while another process creates the schema of a new file, try again.
    for (int attempt = 0;; ++attempt) {
        const int rc = sqlite3_exec(db.handle(), "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK) break;
        const bool busy = (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED;
        if (!busy || attempt == 3000) db.fail(rc, "PRAGMA journal_mode=WAL");  // 3000 x 10 ms: the busy timeout
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    db.exec("BEGIN IMMEDIATE");
    try {
        if (db.queryInt("PRAGMA user_version") < SchemaVersion) {
            db.exec(schemaDdl().c_str());
            seedReferenceData(db);
            db.exec(("PRAGMA user_version=" + std::to_string(SchemaVersion)).c_str());
        }
        db.exec("COMMIT");
    } catch (...) {
        sqlite3_exec(db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

}  // namespace zelt::jet::engine
