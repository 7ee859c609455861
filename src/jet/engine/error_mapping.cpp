#include "jet/engine/error_mapping.hpp"

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
    std::string description;
    if (startsWithWord(sql, "DELETE")) {
        const std::string table = tableReferringToDeletedRows(db, sql);
        description = table.empty()
            ? "Não é possível excluir ou alterar o registro porque existem registros relacionados a ele em outra tabela."
            : "Não é possível excluir ou alterar o registro porque a tabela '" + table +
                  "' contém registros relacionados.";
    } else {
        description = "Não é possível adicionar ou alterar o registro porque um registro relacionado é necessário "
                      "em outra tabela.";
    }
    return RuntimeError(err::ProviderFailure, std::move(description), err::ReferentialIntegrityHelpContext);
}

// SQLite names the object after a colon: "no such column: Foo", "NOT NULL constraint failed: T.C".
std::string afterColon(const char* message) {
    std::string_view m(message ? message : "");
    const size_t colon = m.find(": ");
    return colon == std::string_view::npos ? std::string() : std::string(m.substr(colon + 2));
}

RuntimeError constraintRefusal(int extended, const char* message) {
    std::string description;
    switch (extended) {
    case SQLITE_CONSTRAINT_NOTNULL:
        description = "O campo '" + afterColon(message) + "' não pode conter um valor nulo.";
        break;
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_PRIMARYKEY:
        description = "As alterações solicitadas na tabela não foram bem-sucedidas porque criariam valores "
                      "duplicados no índice ou na chave primária (" + afterColon(message) + ").";
        break;
    case SQLITE_CONSTRAINT_CHECK:
        if (const std::string name = afterColon(message); name.starts_with(DateCheckPrefix))
            return RuntimeError(err::TypeMismatch, "Tipo de dados incompatível: a coluna '" +
                                                       name.substr(DateCheckPrefix.size()) + "' só aceita datas.");
        [[fallthrough]];
    default:
        description = "O registro viola uma regra de validação da tabela.";
    }
    return RuntimeError(err::ProviderFailure, std::move(description), err::ConstraintHelpContext);
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
    case SQLITE_AUTH: return "permissão negada";
    case SQLITE_READONLY: return "o arquivo é somente leitura";
    case SQLITE_FULL: return "o disco está cheio";
    case SQLITE_IOERR: return "erro de leitura ou gravação no disco";
    case SQLITE_NOMEM: return "memória insuficiente";
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
    case SQLITE_LOCKED:
        return RuntimeError(err::ProviderFailure, "O banco de dados está ocupado por outro usuário; tente novamente.",
                            err::BusyHelpContext);
    case SQLITE_READONLY:
        return RuntimeError(err::ProviderFailure,
                            "Não é possível atualizar: o banco de dados ou o objeto é somente leitura.",
                            err::ReadOnlyHelpContext);
    case SQLITE_NOTADB:
    case SQLITE_CANTOPEN:
    case SQLITE_CORRUPT:
        return cannotOpen(db ? sqlite3_db_filename(db, "main") : "", openFailureReason(rc));
    case SQLITE_FULL:
    case SQLITE_IOERR:
    case SQLITE_NOMEM:
        return RuntimeError(err::ProviderFailure, "Falha do banco de dados: " + openFailureReason(rc) + ".");
    default:
        break;
    }
    // sum() of amounts beyond the range of ten-thousandths.
    if (text == "integer overflow") return RuntimeError(zelt::err::Overflow, standardDescription(zelt::err::Overflow));
    if (text.starts_with("no such column"))
        return RuntimeError(err::MissingColumn, "A coluna '" + afterColon(message) + "' não existe.");
    if (text.starts_with("no such table"))
        return RuntimeError(err::MissingTable,
                            "O mecanismo de banco de dados não encontrou a tabela ou consulta '" + afterColon(message) + "'.");
    return RuntimeError(err::ProviderFailure, "Falha do banco de dados: " + std::string(text) + ".");
}

}  // namespace zelt::jet::engine
