#include "zelt/ado/connection.hpp"

#include "ado/errors.hpp"

namespace zelt::ado {

Connection::Connection(std::unique_ptr<Engine> engine) : engine_(std::move(engine)) {}

Connection::~Connection() {
    try {
        Close();
    } catch (...) {
        // Ending an object must not throw; the engine rolls back what it could not keep.
    }
}

Ref<Recordset> Connection::Execute(std::string_view text, int64_t* recordsAffected) {
    if (!engine_) raise(err::ConnectionInvalid);
    int64_t rows = 0;
    auto rs = engine_->execute(text, rows);
    if (recordsAffected) *recordsAffected = rows;
    return rs;
}

int32_t Connection::BeginTrans() {
    if (!engine_) raise(err::ConnectionInvalid);
    if (inTransaction_) raise(err::NotAllowedInContext);
    engine_->begin();
    inTransaction_ = true;
    return 1;
}

void Connection::CommitTrans() {
    if (!engine_) raise(err::ConnectionInvalid);
    if (!inTransaction_) raise(NoTransaction);
    engine_->commit();
    inTransaction_ = false;
}

void Connection::RollbackTrans() {
    if (!engine_) raise(err::ConnectionInvalid);
    if (!inTransaction_) raise(NoTransaction);
    inTransaction_ = false;
    engine_->rollback();
}

void Connection::Close() {
    if (!engine_) return;
    auto engine = std::move(engine_);
    inTransaction_ = false;
    engine->close();
}

int32_t Connection::get_State() const { return engine_ ? adStateOpen : adStateClosed; }

}  // namespace zelt::ado
