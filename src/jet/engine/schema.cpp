#include "jet/engine/schema.hpp"

#include <chrono>
#include <set>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "jet/engine/error_mapping.hpp"
#include "jet/engine/reference_data.hpp"

namespace zelt::jet::engine {
namespace {

// Marks the files of this system in their header, so that a file of another program is never
// taken for one: the ASCII of "ZELT".
constexpr int64_t ApplicationId = 0x5A454C54;
// Bumped when the DDL changes; a marked file with this version needs nothing. Version 1 files were
// made before the mark; version 2 added the mark, the unique non-blank CPF/CNPJ and dropped the
// relations from Animais to owner, species and breed.
constexpr int64_t SchemaVersion = 2;

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

std::string createTable(const TableDef& table, const std::set<std::pair<std::string, std::string>>& keys,
                        const std::string& name) {
    std::string sql = "CREATE TABLE IF NOT EXISTS " + quoted(name) + " (";
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

// A blank or null value is left out of the index (trim of a null is null), so any number of rows
// may have none.
std::string createUniqueWhenFilled(const TableDef& table, const std::string& column) {
    return "CREATE UNIQUE INDEX IF NOT EXISTS " + quoted("ux_" + table.name + "_" + column) + " ON " +
           quoted(table.name) + " (" + quoted(column) + ") WHERE trim(" + quoted(column) + ") <> '';\n";
}

std::string tablesDdl() {
    const auto keys = referencedColumns();
    std::string ddl;
    for (const TableDef& t : catalogue()) ddl += createTable(t, keys, t.name);
    return ddl;
}

std::string indexesDdl() {
    std::string ddl;
    for (const TableDef& t : catalogue())
        for (const auto& index : t.indexes) ddl += createIndex(t, index);
    return ddl;
}

std::vector<std::string> uniqueIndexes() {
    std::vector<std::string> out;
    for (const TableDef& t : catalogue())
        for (const std::string& column : t.uniqueWhenFilled) out.push_back(createUniqueWhenFilled(t, column));
    return out;
}

enum class FileKind { New, Ours, Foreign };

FileKind classify(Database& db) {
    const int64_t id = db.queryInt("PRAGMA application_id");
    if (id == ApplicationId) return FileKind::Ours;
    if (id != 0) return FileKind::Foreign;
    if (db.queryInt("SELECT count(*) FROM sqlite_master") == 0) return FileKind::New;
    // Made before the mark: version 1, with the register's own tables.
    const bool registerTables =
        db.queryInt("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN ('Clientes', 'Animais')") == 2;
    return registerTables && db.queryInt("PRAGMA user_version") == 1 ? FileKind::Ours : FileKind::Foreign;
}

// classify's queries as one reading of the file: while another process creates the schema, they
// would otherwise see an unmarked file before its commit and its tables after it, which looks
// like another program's file.
FileKind classifyAtOnce(Database& db) {
    db.exec("BEGIN");
    try {
        const FileKind kind = classify(db);
        db.exec("COMMIT");
        return kind;
    } catch (...) {
        sqlite3_exec(db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void refuseForeign(Database& db, FileKind kind) {
    if (kind == FileKind::Foreign)
        throw cannotOpen(db.path(), "o arquivo não é um banco de dados do cadastro de clientes e animais");
}

// The journal mode is kept in the file, so only a new or older file needs it; it cannot change
// inside a transaction. SQLite does not wait by itself for the file to be free of other
// processes' locks before switching its journal; while another process creates the schema of a
// new file, try again.
void switchToWal(Database& db) {
    for (int attempt = 0;; ++attempt) {
        const int rc = sqlite3_exec(db.handle(), "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK) return;
        const bool busy = (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED;
        if (!busy || attempt == 3000) db.fail(rc, "PRAGMA journal_mode=WAL");  // 3000 x 10 ms: the busy timeout
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

using Relations = std::set<std::tuple<std::string, std::string, std::string>>;

Relations relationsInFile(Database& db, const std::string& table) {
    const std::string sql = "SELECT \"from\", \"table\", \"to\" FROM pragma_foreign_key_list(" + quoted(table) + ")";
    Statement s = db.prepare(sql);
    Relations out;
    auto text = [&](int i) { return std::string(reinterpret_cast<const char*>(sqlite3_column_text(s.get(), i))); };
    while (sqlite3_step(s.get()) == SQLITE_ROW) out.emplace(text(0), text(1), text(2));
    return out;
}

Relations relationsOf(const TableDef& table) {
    Relations out;
    for (const ForeignKey& fk : table.foreignKeys) out.emplace(fk.column, fk.refTable, fk.refColumn);
    return out;
}

// The table's columns that the file holds and the catalogue knows.
std::vector<std::string> columnsInFile(Database& db, const TableDef& table) {
    Statement s = db.prepare("SELECT name FROM pragma_table_info(" + quoted(table.name) + ")");
    std::vector<std::string> out;
    while (sqlite3_step(s.get()) == SQLITE_ROW) {
        std::string column = reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 0));
        if (findColumn(table, column)) out.push_back(std::move(column));
    }
    return out;
}

// A money column declared REAL would turn the ten-thousandths written into it back into doubles.
bool holdsMoneyAsReal(Database& db, const TableDef& table) {
    Statement s = db.prepare("SELECT name FROM pragma_table_info(" + quoted(table.name) + ") WHERE type = 'REAL'");
    while (sqlite3_step(s.get()) == SQLITE_ROW) {
        const ColumnDef* c = findColumn(table, reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 0)));
        if (c && c->kind == ColumnKind::Money) return true;
    }
    return false;
}

// SQLite cannot change a table's relations (nor a column's type): the table is made anew under a second name, its rows
// copied (the columns both have), the old one dropped and the new one renamed, as SQLite's
// documentation for such changes describes. Runs inside the upgrade's transaction with the
// relations unchecked, so dropping a table that others refer to touches none of their rows; the
// rows keep their codes, so what refers to them stays right. The counter goes on from where it
// was, not from the highest code left.
void rebuild(Database& db, const TableDef& table) {
    const std::string name = quoted(table.name), fresh = quoted(table.name + "_novo");
    db.exec(createTable(table, referencedColumns(), table.name + "_novo").c_str());
    std::string columns;
    for (const std::string& column : columnsInFile(db, table)) {
        if (!columns.empty()) columns += ", ";
        columns += quoted(column);
    }
    const std::string counter = std::to_string(
        db.queryInt(("SELECT coalesce(max(seq), 0) FROM sqlite_sequence WHERE name = '" + table.name + "'").c_str()));
    db.exec(("INSERT INTO " + fresh + " (" + columns + ") SELECT " + columns + " FROM " + name + ";\nDROP TABLE " +
             name + ";\nALTER TABLE " + fresh + " RENAME TO " + name + ";\nDELETE FROM sqlite_sequence WHERE name = '" +
             table.name + "';\nINSERT INTO sqlite_sequence (name, seq) SELECT '" + table.name + "', " + counter +
             " WHERE " + counter + " > 0")
                .c_str());
}

// Version 1 kept money as a binary double and True as 1; money is now held in ten-thousandths
// and True is Jet's -1. Done before any table is rebuilt, so the copy carries converted values.
void convertVersionOneValues(Database& db) {
    for (const TableDef& t : catalogue())
        for (const std::string& name : columnsInFile(db, t)) {
            const ColumnDef& c = *findColumn(t, name);
            const std::string set = "UPDATE " + quoted(t.name) + " SET " + quoted(c.name);
            if (c.kind == ColumnKind::Money)
                db.exec((set + " = CAST(round(" + quoted(c.name) + " * 10000) AS INTEGER) WHERE typeof(" +
                         quoted(c.name) + ") = 'real'").c_str());
            else if (c.kind == ColumnKind::YesNo)
                db.exec((set + " = -1 WHERE " + quoted(c.name) + " > 0").c_str());
        }
}

// A file of an earlier version gets what was added since (tables and indexes missing from it) and
// loses the relations removed since. A unique index its rows already break (two clients stored
// with one CPF before the index existed) is left out rather than failing the opening: the lookup
// before each writing still refuses a duplicate, as it did when the file was made.
void upgrade(Database& db) {
    db.exec(tablesDdl().c_str());
    convertVersionOneValues(db);
    for (const TableDef& t : catalogue())
        if (relationsInFile(db, t.name) != relationsOf(t) || holdsMoneyAsReal(db, t)) rebuild(db, t);
    db.exec(indexesDdl().c_str());
    for (const std::string& sql : uniqueIndexes()) {
        const int rc = sqlite3_exec(db.handle(), sql.c_str(), nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK && (rc & 0xff) != SQLITE_CONSTRAINT) db.fail(rc, sql);
    }
}

}  // namespace

std::string schemaDdl() {
    std::string ddl = tablesDdl() + indexesDdl();
    for (const std::string& sql : uniqueIndexes()) ddl += sql;
    return ddl;
}

void ensureSchema(Database& db) {
    if (db.queryInt("PRAGMA application_id") == ApplicationId && db.queryInt("PRAGMA user_version") >= SchemaVersion)
        return;
    refuseForeign(db, classifyAtOnce(db));  // before anything is written to it, its journal included
    switchToWal(db);
    // Relations cannot be switched off inside a transaction; a table rebuilt by the upgrade is
    // dropped while others refer to it.
    db.exec("PRAGMA foreign_keys=OFF");
    try {
        db.exec("BEGIN IMMEDIATE");
        const FileKind kind = classify(db);  // another process may have written it meanwhile
        refuseForeign(db, kind);
        if (kind == FileKind::New || db.queryInt("PRAGMA user_version") < SchemaVersion) {
            if (kind == FileKind::New) {
                db.exec(schemaDdl().c_str());
                seedReferenceData(db);
            } else {
                upgrade(db);
            }
            db.exec(("PRAGMA application_id=" + std::to_string(ApplicationId) +
                     "; PRAGMA user_version=" + std::to_string(SchemaVersion)).c_str());
        }
        db.exec("COMMIT");
    } catch (...) {
        sqlite3_exec(db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_exec(db.handle(), "PRAGMA foreign_keys=ON", nullptr, nullptr, nullptr);
        throw;
    }
    db.exec("PRAGMA foreign_keys=ON");
}

}  // namespace zelt::jet::engine
