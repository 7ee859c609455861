#pragma once
// ado::Engine on one SQLite connection: Jet text in, recordsets and row counts out.
#include <memory>

#include "jet/engine/database.hpp"
#include "zelt/ado/connection.hpp"
#include "zelt/jet/translator.hpp"

namespace zelt::jet::engine {

class SqliteEngine final : public ado::Engine {
public:
    explicit SqliteEngine(std::unique_ptr<Database> db);
    ~SqliteEngine() override;

    Ref<ado::Recordset> execute(std::string_view text, int64_t& rowsAffected) override;
    void begin() override;
    void commit() override;
    void rollback() override;
    void close() override;

private:
    Database& open();
    int64_t modify(const Query& query);
    Ref<ado::Recordset> identity(const Query& query);

    std::unique_ptr<Database> db_;
};

}  // namespace zelt::jet::engine
