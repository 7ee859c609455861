#include "jet/engine/sqlite_engine.hpp"

#include "jet/engine/connection_pool.hpp"
#include "jet/engine/result_builder.hpp"
#include "jet/engine/row_reader.hpp"
#include "jet/engine/shaping.hpp"
#include "zelt/jet/errors.hpp"

namespace zelt::jet::engine {

SqliteEngine::SqliteEngine(std::unique_ptr<Database> db) : db_(std::move(db)) {}

SqliteEngine::~SqliteEngine() { close(); }

Ref<ado::Recordset> SqliteEngine::execute(std::string_view text, int64_t& rowsAffected) {
    open();
    const Translation t = translate(text);  // translate keeps its own cache
    rowsAffected = -1;
    switch (t.kind) {
    case Translation::Kind::Select:
        return readRows(*db_, t.query);
    case Translation::Kind::Identity:
        return identity(t.query);
    case Translation::Kind::Shape:
        return shapeRows(*t.shape, [this](const Query& q) { return readRows(*db_, q); });
    case Translation::Kind::Modify:
        rowsAffected = modify(t.query);
        return nullptr;
    }
    return nullptr;
}

int64_t SqliteEngine::modify(const Query& query) {
    StatementUse use(db_->prepared(query.sql));
    int rc;
    while ((rc = sqlite3_step(use.get())) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) db_->fail(rc, query.sql);
    return sqlite3_changes64(db_->handle());
}

// SELECT @@Identity: the counter this connection last assigned.
Ref<ado::Recordset> SqliteEngine::identity(const Query& query) {
    return identityResult(query, sqlite3_last_insert_rowid(db_->handle()));
}

Database& SqliteEngine::open() {
    if (!db_) throw RuntimeError(err::ProviderFailure, "A conexão com o banco de dados está fechada.");
    return *db_;
}

void SqliteEngine::begin() { open().exec("BEGIN IMMEDIATE"); }

void SqliteEngine::commit() { open().exec("COMMIT"); }

void SqliteEngine::rollback() {
    // SQLite may already have rolled back after a disk or memory failure.
    if (open().inTransaction()) db_->exec("ROLLBACK");
}

// The transaction ends here; the prepared connection waits for the next opening of the file.
void SqliteEngine::close() { poolConnection(std::move(db_)); }

}  // namespace zelt::jet::engine
