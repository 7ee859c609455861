#pragma once
// The connections of this process, kept for the next operation: the contract opens a connection
// per operation, and a new server connection costs milliseconds (a handshake, often TLS, a new
// server process), far more than the operation.
#include <memory>
#include <string>

#include "jet/postgres/session.hpp"

namespace zelt::jet::postgres {

// A session to uri, ready for use: one kept idle and still open, else a new one with the schema
// in place. A kept one the server has closed meanwhile is replaced without the caller knowing.
std::unique_ptr<Session> openSession(const std::string& uri);

// Takes a session back: its transaction is rolled back before it is kept; one that cannot be made
// clean is closed.
void returnSession(std::unique_ptr<Session> s) noexcept;

}  // namespace zelt::jet::postgres
