#include "jet/engine/error_mapping.hpp"

#include "jet/engine/refusals.hpp"
#include "jet/engine/schema.hpp"
#include "zelt/jet/catalogue.hpp"
#include "zelt/jet/errors.hpp"

namespace zelt::jet::engine {
namespace {

std::string quoted(std::string_view name) { return "\"" + std::string(name) + "\""; }

bool anyRow(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr) != SQLITE_OK) {
        sqlite3_finalize(s);
        return false;
    }
    const bool found = sqlite3_step(s) == SQLITE_ROW;
    sqlite3_finalize(s);
    return found;
}

// A refused deletion leaves its rows in place, so the referring table can be found by asking each
// table that refers to the deleted one whether it holds rows for them.
std::string tableReferringToDeletedRows(sqlite3* db, std::string_view sql) {
    // The translated text reads DELETE FROM "Table" [WHERE condition].
    constexpr std::string_view head = "DELETE FROM \"";
    if (!sql.starts_with(head)) return {};
    const size_t close = sql.find('"', head.size());
    if (close == std::string_view::npos) return {};
    const std::string target(sql.substr(head.size(), close - head.size()));
    const std::string where(sql.substr(close + 1));
    for (const TableDef& table : catalogue()) {
        for (const ForeignKey& fk : table.foreignKeys) {
            if (sqlite3_stricmp(fk.refTable.c_str(), target.c_str()) != 0) continue;
            const std::string probe = "SELECT 1 FROM " + quoted(table.name) + " WHERE " + quoted(fk.column) +
                                      " IN (SELECT " + quoted(fk.refColumn) + " FROM " + quoted(target) +
                                      where + ") LIMIT 1";
            if (anyRow(db, probe)) return table.name;
        }
    }
    return {};
}

bool startsWithWord(std::string_view text, std::string_view word) {
    size_t i = text.find_first_not_of(" \t\r\n");
    if (i == std::string_view::npos || text.size() - i < word.size()) return false;
    return sqlite3_strnicmp(text.data() + i, word.data(), static_cast<int>(word.size())) == 0;
}

RuntimeError foreignKeyRefusal(sqlite3* db, std::string_view sql) {
    if (startsWithWord(sql, "DELETE")) return relatedRecordsExist(tableReferringToDeletedRows(db, sql));
    return relatedRecordRequired();
}

// SQLite names the object after a colon: "no such column: Foo", "NOT NULL constraint failed: T.C".
std::string afterColon(const char* message) {
    std::string_view m(message ? message : "");
    const size_t colon = m.find(": ");
    return colon == std::string_view::npos ? std::string() : std::string(m.substr(colon + 2));
}

RuntimeError constraintRefusal(int extended, const char* message) {
    switch (extended) {
    case SQLITE_CONSTRAINT_NOTNULL: return nullNotAllowed(afterColon(message));
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_PRIMARYKEY: return duplicateValue(afterColon(message));
    case SQLITE_CONSTRAINT_CHECK:
        if (const std::string name = afterColon(message); name.starts_with(DateCheckPrefix))
            return onlyDates(name.substr(DateCheckPrefix.size()));
        return validationRuleViolated();
    default: return validationRuleViolated();
    }
}

}  // namespace

RuntimeError cannotOpen(const std::string& path, const std::string& reason) {
    return RuntimeError(err::ProviderFailure,
                        "Não foi possível abrir o banco de dados '" + path + "': " + reason + ".",
                        err::CannotOpenHelpContext);
}

std::string openFailureReason(int rc) {
    switch (rc & 0xff) {
    case SQLITE_NOTADB: return "o arquivo não é um banco de dados";
    case SQLITE_CORRUPT: return "o arquivo está danificado";
    case SQLITE_PERM:
    case SQLITE_AUTH: return std::string(PermissionDenied);
    case SQLITE_READONLY: return "o arquivo é somente leitura";
    case SQLITE_FULL: return std::string(DiskFull);
    case SQLITE_IOERR: return std::string(DiskError);
    case SQLITE_NOMEM: return std::string(OutOfMemory);
    default: return "o arquivo não pode ser aberto nem criado";
    }
}

RuntimeError mapSqliteError(sqlite3* db, int rc, std::string_view sql) {
    const int extended = db ? sqlite3_extended_errcode(db) : rc;
    const char* message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    const std::string_view text(message ? message : "");
    switch (rc & 0xff) {
    case SQLITE_CONSTRAINT:
        if (extended == SQLITE_CONSTRAINT_FOREIGNKEY) return foreignKeyRefusal(db, sql);
        return constraintRefusal(extended, message);
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return databaseBusy();
    case SQLITE_READONLY: return databaseReadOnly();
    case SQLITE_NOTADB:
    case SQLITE_CANTOPEN:
    case SQLITE_CORRUPT:
        return cannotOpen(db ? sqlite3_db_filename(db, "main") : "", openFailureReason(rc));
    case SQLITE_FULL:
    case SQLITE_IOERR:
    case SQLITE_NOMEM:
        return databaseFailure(openFailureReason(rc));
    default:
        break;
    }
    // sum() of amounts beyond the range of ten-thousandths.
    if (text == "integer overflow") return RuntimeError(zelt::err::Overflow, standardDescription(zelt::err::Overflow));
    if (text.starts_with("no such column")) return unknownColumn(afterColon(message));
    if (text.starts_with("no such table")) return unknownTable(afterColon(message));
    return databaseFailure(text);
}

}  // namespace zelt::jet::engine
