#include "jet/postgres/postgres_engine.hpp"

#include <cstdlib>
#include <cstring>

#include "jet/engine/result_builder.hpp"
#include "jet/engine/shaping.hpp"
#include "jet/postgres/dialect.hpp"
#include "jet/postgres/row_reader.hpp"
#include "jet/postgres/session_pool.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/jet/errors.hpp"

namespace zelt::jet::postgres {
namespace {

// A statement inside a transaction runs under this savepoint: the server would otherwise abandon
// the whole transaction at the first failed statement, where Jet keeps it and the statements
// before.
constexpr const char* Savepoint = "jet_instrucao";

}  // namespace

PostgresEngine::PostgresEngine(std::unique_ptr<Session> session) : session_(std::move(session)) {}

PostgresEngine::~PostgresEngine() { close(); }

Session& PostgresEngine::open() {
    if (!session_) throw RuntimeError(err::ProviderFailure, "A conexão com o banco de dados está fechada.");
    return *session_;
}

Result PostgresEngine::run(const std::string& sql, const Session::RowHandler& rows) {
    Session& s = open();
    if (!s.inTransaction()) {
        std::vector<Result> results = s.run(sql, rows);
        return results.empty() ? nullptr : std::move(results.back());
    }
    const std::string open = std::string("SAVEPOINT ") + Savepoint + "; ";
    try {
        std::vector<Result> results = s.run(open + sql + "; RELEASE SAVEPOINT " + Savepoint, rows);
        return results.size() == 3 ? std::move(results[1]) : nullptr;
    } catch (...) {
        if (PQstatus(s.handle()) == CONNECTION_OK && PQtransactionStatus(s.handle()) == PQTRANS_INERROR) {
            try {
                s.run(std::string("ROLLBACK TO SAVEPOINT ") + Savepoint + "; RELEASE SAVEPOINT " + Savepoint);
            } catch (...) {
            }
        }
        throw;
    }
}

Ref<ado::Recordset> PostgresEngine::select(const Query& query) {
    RowReader reader(query);
    run(query.sql, [&reader](const PGresult* r) { reader.read(r); });
    return reader.finish();
}

Ref<ado::Recordset> PostgresEngine::execute(std::string_view text, int64_t& rowsAffected) {
    open();
    // libpq sends the statement as a C string: a NUL inside would end it there.
    if (text.find('\0') != std::string_view::npos)
        throw RuntimeError(err::Syntax, "A instrução contém um caractere nulo, que o servidor não aceita em textos.");
    const Translation t = translate(text, postgresDialect());
    rowsAffected = -1;
    switch (t.kind) {
    case Translation::Kind::Select: return select(t.query);
    case Translation::Kind::Identity: return engine::identityResult(t.query, session_->lastIdentity);
    case Translation::Kind::Shape:
        return engine::shapeRows(*t.shape, [this](const Query& q) { return select(q); });
    case Translation::Kind::Modify: {
        Result r = run(t.query.sql);
        if (r && PQresultStatus(r.get()) == PGRES_TUPLES_OK && PQntuples(r.get()) > 0)
            // INSERT ... SELECT returns a counter per row; @@Identity is the last one's, as in Jet.
            session_->lastIdentity = std::strtoll(PQgetvalue(r.get(), PQntuples(r.get()) - 1, 0), nullptr, 10);
        rowsAffected = r ? std::strtoll(PQcmdTuples(r.get()), nullptr, 10) : 0;
        return nullptr;
    }
    }
    return nullptr;
}

void PostgresEngine::begin() { open().exec("BEGIN"); }

void PostgresEngine::commit() {
    Result r = open().exec("COMMIT");
    // A transaction the server had to abandon answers COMMIT with ROLLBACK.
    if (!r || std::strcmp(PQcmdStatus(r.get()), "COMMIT") != 0)
        throw RuntimeError(err::ProviderFailure,
                           "A transação foi desfeita pelo servidor de banco de dados; nada dela foi gravado.");
}

void PostgresEngine::rollback() {
    if (open().inTransaction()) session_->exec("ROLLBACK");
}

// The transaction ends here; the session waits for the next operation.
void PostgresEngine::close() { returnSession(std::move(session_)); }

std::unique_ptr<ado::Engine> openServerDatabase(const std::string& uri) {
    return std::make_unique<PostgresEngine>(openSession(uri));
}

}  // namespace zelt::jet::postgres
