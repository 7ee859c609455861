#pragma once
// Connection: the engine behind it is an interface, so this layer knows nothing of the database.
#include <cstdint>
#include <memory>
#include <string_view>

#include "zelt/ado/recordset.hpp"

namespace zelt::ado {

class Engine {
public:
    virtual ~Engine() = default;
    // Executes one statement: a selection or a shaping command gives its recordset (open, on its
    // first row); any other statement gives an empty Ref and the number of rows it affected.
    virtual Ref<Recordset> execute(std::string_view text, int64_t& rowsAffected) = 0;
    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;
    virtual void close() = 0;  // rolls back an open transaction
};

class Connection : public Dispatchable {
public:
    explicit Connection(std::unique_ptr<Engine> engine);
    ~Connection() override;  // ends the engine, rolling back an open transaction

    Ref<Recordset> Execute(std::string_view text, int64_t* recordsAffected = nullptr);
    // One level of transaction: a nested BeginTrans, or a Commit/Rollback with none open, is an
    // error with a clear description.
    int32_t BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool inTransaction() const { return inTransaction_; }
    void Close();
    int32_t get_State() const;

    Engine* engine() const { return engine_.get(); }
    const DispatchTable& table() const override;

private:
    std::unique_ptr<Engine> engine_;
    bool inTransaction_ = false;
};

}  // namespace zelt::ado
