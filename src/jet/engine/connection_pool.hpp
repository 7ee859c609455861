#pragma once
// Connections released by their engines, kept open for the next opening of the same file, as
// the data provider's session pooling does: opening a SQLite file costs far more (files, shared
// memory, the schema read) than taking back a connection that is already prepared.
#include <memory>
#include <string>

#include "jet/engine/database.hpp"

namespace zelt::jet::engine {

// A prepared connection to path, if one is idle and still names the same file; else nullptr.
std::unique_ptr<Database> takePooledConnection(const std::string& path);
// Takes a connection back: its transaction is rolled back and it forgets its last counter.
// A connection that cannot be reused is closed.
void poolConnection(std::unique_ptr<Database> db) noexcept;

}  // namespace zelt::jet::engine
