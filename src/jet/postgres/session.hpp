#pragma once
// One connection to a PostgreSQL server with what every Jet connection on it carries: UTF-8,
// ISO dates, and the counter this connection last assigned. Not shared between threads.
#include <libpq-fe.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zelt::jet::postgres {

struct ResultClear {
    void operator()(PGresult* r) const { PQclear(r); }
};
using Result = std::unique_ptr<PGresult, ResultClear>;

class Session {
public:
    // Connects to the server the URI names; everything else libpq reads (PGPASSFILE, service
    // files, TLS settings) applies as usual. A server that refuses or cannot be reached raises
    // the cannot-connect error.
    explicit Session(std::string uri);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    const std::string& uri() const { return uri_; }
    PGconn* handle() const { return conn_; }

    // Handed each row of a selection as it arrives (a result of one row), then the selection's
    // end (a result of no rows, with the columns' description).
    using RowHandler = std::function<void(const PGresult*)>;

    // Runs the statements of sql, one result each, in order; the first that fails raises its
    // error, mapped to the Jet numbers, after the rest of the reply has been read. With rows, the
    // rows go to it as the server sends them, so that they are read while the server still
    // computes the next; an exception from it is raised after the rest of the reply, a server's
    // error before it.
    std::vector<Result> run(std::string_view sql, const RowHandler& rows = {});
    // The result of the last statement of sql.
    Result exec(std::string_view sql);
    // One statement with text parameters ($1, $2, ...), for values the program did not write.
    Result execParams(const std::string& sql, const std::vector<std::string>& values);

    bool inTransaction() const;
    // Open, and nothing has arrived since the last reply: a connection the server has closed
    // (a restart, an administrator's termination) has something to read.
    bool stillOpen();
    // Leaves the session as a new one would be: no transaction, no session state, no last
    // counter. False when it cannot be made so.
    bool resetForReuse() noexcept;

    // The counter the last insertion of this connection assigned (0 before any).
    int64_t lastIdentity = 0;

private:
    void prepareSession();
    [[noreturn]] void failed(const PGresult* r, std::string_view sql);

    std::string uri_;
    PGconn* conn_ = nullptr;
};

}  // namespace zelt::jet::postgres
