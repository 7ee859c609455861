#include "jet/engine/database.hpp"

#include "jet/engine/database_file.hpp"
#include "jet/engine/error_mapping.hpp"
#include "jet/engine/jet_functions.hpp"
#include "jet/engine/subquery_rows.hpp"
#include "zelt/jet/errors.hpp"

namespace zelt::jet::engine {
namespace {

// Several workstations share one file: a writer waits its turn rather than failing, unless the
// file stays locked far longer than any of our transactions takes.
constexpr int BusyTimeoutMs = 30000;
// Texts with literal values make every statement new; beyond this many the cache starts over.
constexpr size_t MaxCachedStatements = 200;

}  // namespace

Database::Database(const std::string& path, Opening opening)
    : path_(path), functionErrors_(std::make_unique<FunctionErrors>()) {
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (opening == Opening::Scratch) {
        flags |= SQLITE_OPEN_CREATE | SQLITE_OPEN_MEMORY;
    } else {
        requireFilePath(path);
        if (opening == Opening::CreateIfMissing) createOwnerOnly(path);
        else requireExisting(path);
    }
    // Never SQLITE_OPEN_CREATE for a file: it is there by now, and SQLite would make one readable by all.
    const int rc = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        const std::string reason = openFailureReason(db_ ? sqlite3_extended_errcode(db_) : rc);
        close();
        throw cannotOpen(path, reason);
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, BusyTimeoutMs);
    registerJetFunctions(db_, functionErrors_.get());
    registerSubqueryFunctions(db_, functionErrors_.get());
    try {
        exec("PRAGMA foreign_keys=ON; PRAGMA synchronous=NORMAL");
    } catch (...) {
        close();
        throw;
    }
}

Database::~Database() { close(); }

void Database::close() noexcept {
    for (auto& [sql, stmt] : statements_) sqlite3_finalize(stmt);
    statements_.clear();
    if (db_) {
        if (sqlite3_get_autocommit(db_) == 0) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

bool Database::resetForReuse() noexcept {
    if (!db_) return false;
    if (sqlite3_get_autocommit(db_) == 0 && sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr) != SQLITE_OK)
        return false;
    sqlite3_set_last_insert_rowid(db_, 0);
    functionErrors_->pending.reset();
    return true;
}

sqlite3_stmt* Database::prepared(const std::string& sql) {
    if (auto it = statements_.find(sql); it != statements_.end()) return it->second;
    if (!db_) throw RuntimeError(err::ProviderFailure, "A conexão com o banco de dados está fechada.");
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v3(db_, sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                                      &stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        fail(rc, sql);
    }
    if (statements_.size() >= MaxCachedStatements) {
        for (auto& [text, old] : statements_) sqlite3_finalize(old);
        statements_.clear();
    }
    statements_.emplace(sql, stmt);
    return stmt;
}

Statement Database::prepare(const std::string& sql) {
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &stmt, nullptr);
    Statement owned(stmt);
    if (rc != SQLITE_OK) fail(rc, sql);
    return owned;
}

void Database::exec(const char* sql) {
    const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) fail(rc, sql);
}

int64_t Database::queryInt(const char* sql) {
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db_, sql, -1, &stmt, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_step(stmt);
    if (rc != SQLITE_ROW) {
        sqlite3_finalize(stmt);
        fail(rc, sql);
    }
    const int64_t value = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    return value;
}

void Database::fail(int rc, std::string_view sql) {
    if (functionErrors_->pending) {
        RuntimeError e = std::move(*functionErrors_->pending);
        functionErrors_->pending.reset();
        throw e;
    }
    throw mapSqliteError(db_, rc, sql);
}

}  // namespace zelt::jet::engine
