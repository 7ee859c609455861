#pragma once
// ado::Engine on one PostgreSQL session: Jet text in, recordsets and row counts out, with Jet's
// transaction behaviour (a failed statement inside a transaction leaves the transaction open and
// the earlier statements in it).
#include <memory>
#include <string>

#include "jet/postgres/session.hpp"
#include "zelt/ado/connection.hpp"
#include "zelt/jet/translator.hpp"

namespace zelt::jet::postgres {

class PostgresEngine final : public ado::Engine {
public:
    explicit PostgresEngine(std::unique_ptr<Session> session);
    ~PostgresEngine() override;

    Ref<ado::Recordset> execute(std::string_view text, int64_t& rowsAffected) override;
    void begin() override;
    void commit() override;
    void rollback() override;
    void close() override;

private:
    Session& open();
    Result run(const std::string& sql, const Session::RowHandler& rows = {});
    Ref<ado::Recordset> select(const Query& query);

    std::unique_ptr<Session> session_;
};

// An engine on a session to the server the URI names (kept or new, the schema in place).
std::unique_ptr<ado::Engine> openServerDatabase(const std::string& uri);

}  // namespace zelt::jet::postgres
