#pragma once
// The server's errors as the errors a Jet caller relies on: the same numbers, help contexts and
// descriptions as on SQLite, chosen by SQLSTATE and the fields of the error, never by its text.
#include <libpq-fe.h>

#include <string_view>

#include "zelt/automation/error.hpp"

namespace zelt::jet::postgres {

// sql is the statement that failed (a refused deletion is told from a refused insertion by it).
RuntimeError mapServerError(const PGresult* r, std::string_view sql);

// The connection ended in the middle of an operation: the server undoes what it did not commit.
RuntimeError connectionLost();

// "Não foi possível conectar ao servidor de banco de dados '<uri without password>': <reason>.",
// with the help context that makes AbrirConexao answer 3.
RuntimeError cannotConnect(std::string_view uri, PGconn* conn);

}  // namespace zelt::jet::postgres
