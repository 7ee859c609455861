#pragma once
// One SQLite connection with what every Jet connection carries: the pragmas, the Jet functions,
// the pt-BR collation and a cache of prepared statements. Not shared between threads.
#include <sqlite3.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "zelt/automation/error.hpp"

namespace zelt::jet::engine {

// Where a Jet function that fails inside a statement leaves its run-time error, so that the
// statement's failure is reported with that error instead of SQLite's text.
struct FunctionErrors {
    std::optional<RuntimeError> pending;
};

struct StatementFinalizer {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

class Database {
public:
    // Scratch: a database in memory, for checking what the writer writes; never the register.
    enum class Opening { CreateIfMissing, ExistingOnly, Scratch };
    // Opens the file (creating it, owner-only, when asked) and prepares the connection; a name
    // that is not a file's, a file that cannot be opened or is not a database raises the
    // cannot-open error naming the path.
    explicit Database(const std::string& path, Opening opening = Opening::CreateIfMissing);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    sqlite3* handle() const { return db_; }
    const std::string& path() const { return path_; }

    // A prepared statement kept for the life of the connection, reset and ready to step.
    sqlite3_stmt* prepared(const std::string& sql);
    // A statement of its own, for work that holds several at once.
    Statement prepare(const std::string& sql);
    // Runs statements that return no rows (DDL, pragmas, transaction control).
    void exec(const char* sql);
    int64_t queryInt(const char* sql);

    // The run-time error for a failed call: a pending function error, else SQLite's code mapped.
    [[noreturn]] void fail(int rc, std::string_view sql = {});

    // Leaves the connection as a new one would be: no transaction, no last counter, no pending
    // error. False when it cannot be made so.
    bool resetForReuse() noexcept;

    bool inTransaction() const { return db_ && sqlite3_get_autocommit(db_) == 0; }
    void close() noexcept;

private:
    sqlite3* db_ = nullptr;
    std::string path_;
    std::unique_ptr<FunctionErrors> functionErrors_;
    std::unordered_map<std::string, sqlite3_stmt*> statements_;
};

// Resets a statement when it goes out of scope, so a cached one is ready for its next use.
class StatementUse {
public:
    explicit StatementUse(sqlite3_stmt* s) : s_(s) {}
    ~StatementUse() { sqlite3_reset(s_); }
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;
    sqlite3_stmt* get() const { return s_; }

private:
    sqlite3_stmt* s_;
};

}  // namespace zelt::jet::engine
