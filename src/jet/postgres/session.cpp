#include "jet/postgres/session.hpp"

#include <poll.h>

#include <cstdlib>
#include <cstring>
#include <exception>

#include "jet/postgres/server_errors.hpp"

namespace zelt::jet::postgres {
namespace {

// Without a limit of its own, a connection to a host that does not answer waits for the
// system's TCP timeout, minutes; the URI may set another.
constexpr const char* ConnectTimeoutSeconds = "10";

// The server's notices ("relation already exists, skipping") are for a person at psql; libpq
// would print them on the standard error.
void ignoreNotice(void*, const char*) {}

bool isoDates(PGconn* conn) {
    const char* style = PQparameterStatus(conn, "DateStyle");
    return style && std::strncmp(style, "ISO", 3) == 0;
}

}  // namespace

Session::Session(std::string uri) : uri_(std::move(uri)) {
    // Ours first, so that the URI may override them; the encoding last, so that it may not: every
    // text the engine exchanges is UTF-8.
    std::string options = "-c DateStyle=ISO,YMD";
    if (const char* env = std::getenv("PGOPTIONS"); env && *env) options = options + " " + env;
    const char* keys[] = {"connect_timeout", "application_name", "options", "dbname", "client_encoding", nullptr};
    const char* values[] = {ConnectTimeoutSeconds, "zelt", options.c_str(), uri_.c_str(), "UTF8", nullptr};
    conn_ = PQconnectdbParams(keys, values, 1);
    if (!conn_ || PQstatus(conn_) != CONNECTION_OK) {
        const RuntimeError e = cannotConnect(uri_, conn_);
        PQfinish(conn_);
        conn_ = nullptr;
        throw e;
    }
    PQsetNoticeProcessor(conn_, ignoreNotice, nullptr);
    try {
        prepareSession();
    } catch (...) {
        PQfinish(conn_);
        conn_ = nullptr;
        throw;
    }
}

Session::~Session() { PQfinish(conn_); }

// Dates are read back in ISO form; a URI's own options could have asked for another.
void Session::prepareSession() {
    if (!isoDates(conn_)) exec("SET DateStyle = ISO, YMD");
}

void Session::failed(const PGresult* r, std::string_view sql) {
    if (PQstatus(conn_) != CONNECTION_OK) throw connectionLost();
    throw mapServerError(r, sql);
}

std::vector<Result> Session::run(std::string_view sql, const RowHandler& rows) {
    std::vector<Result> results;
    const std::string text(sql);
    if (!PQsendQuery(conn_, text.c_str())) failed(nullptr, sql);
    if (rows) PQsetSingleRowMode(conn_);
    Result error;
    std::exception_ptr handlerError;
    while (PGresult* r = PQgetResult(conn_)) {
        Result owned(r);
        const ExecStatusType status = PQresultStatus(r);
        const bool bad = status == PGRES_FATAL_ERROR || status == PGRES_BAD_RESPONSE || status == PGRES_NONFATAL_ERROR;
        if (rows && !handlerError && !error && (status == PGRES_SINGLE_TUPLE || status == PGRES_TUPLES_OK)) {
            try {
                rows(r);
            } catch (...) {
                handlerError = std::current_exception();
            }
        }
        if (bad && !error) error = std::move(owned);
        else if (!bad && status != PGRES_SINGLE_TUPLE) results.push_back(std::move(owned));
    }
    if (error) failed(error.get(), sql);
    if (PQstatus(conn_) != CONNECTION_OK) throw connectionLost();
    if (handlerError) std::rethrow_exception(handlerError);
    return results;
}

Result Session::exec(std::string_view sql) {
    std::vector<Result> results = run(sql);
    if (results.empty()) return nullptr;
    return std::move(results.back());
}

Result Session::execParams(const std::string& sql, const std::vector<std::string>& values) {
    std::vector<const char*> pointers;
    pointers.reserve(values.size());
    for (const std::string& v : values) pointers.push_back(v.c_str());
    Result r(PQexecParams(conn_, sql.c_str(), static_cast<int>(values.size()), nullptr, pointers.data(), nullptr,
                          nullptr, 0));
    const ExecStatusType status = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) failed(r.get(), sql);
    return r;
}

bool Session::inTransaction() const {
    const PGTransactionStatusType t = PQtransactionStatus(conn_);
    return t == PQTRANS_INTRANS || t == PQTRANS_INERROR || t == PQTRANS_ACTIVE;
}

bool Session::stillOpen() {
    if (!conn_ || PQstatus(conn_) != CONNECTION_OK || PQtransactionStatus(conn_) != PQTRANS_IDLE) return false;
    pollfd p{PQsocket(conn_), POLLIN, 0};
    // Between our statements the server sends nothing unasked but its last word before it closes.
    return p.fd >= 0 && ::poll(&p, 1, 0) == 0;
}

bool Session::resetForReuse() noexcept {
    if (!conn_ || PQstatus(conn_) != CONNECTION_OK) return false;
    try {
        if (PQtransactionStatus(conn_) == PQTRANS_ACTIVE) return false;
        if (inTransaction()) exec("ROLLBACK");
        // Nothing else to undo, and no round trip spent on it: the engine sends only the statements
        // it translates, which leave no session state behind (no SET, PREPARE, LISTEN, temporary
        // table or session lock).
        lastIdentity = 0;
        return PQtransactionStatus(conn_) == PQTRANS_IDLE;
    } catch (...) {
        return false;
    }
}

}  // namespace zelt::jet::postgres
