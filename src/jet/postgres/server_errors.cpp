#include "jet/postgres/server_errors.hpp"

#include <strings.h>

#include <string>

#include "jet/engine/refusals.hpp"
#include "jet/postgres/schema.hpp"
#include "jet/postgres/server_address.hpp"
#include "zelt/jet/errors.hpp"

namespace zelt::jet::postgres {
namespace {

using namespace engine;

std::string field(const PGresult* r, int code) {
    const char* v = r ? PQresultErrorField(r, code) : nullptr;
    return v ? v : "";
}

bool startsWithWord(std::string_view text, std::string_view word) {
    const size_t i = text.find_first_not_of(" \t\r\n(");
    return i != std::string_view::npos && text.size() - i >= word.size() &&
           strncasecmp(text.data() + i, word.data(), word.size()) == 0;
}

// The server names the object between double quotes, in every language it speaks.
std::string quotedName(const std::string& message) {
    const size_t open = message.find('"');
    const size_t close = open == std::string::npos ? open : message.find('"', open + 1);
    return close == std::string::npos ? std::string() : message.substr(open + 1, close - open - 1);
}

bool classIs(const std::string& state, std::string_view cls) { return state.compare(0, 2, cls) == 0; }

}  // namespace

RuntimeError connectionLost() {
    return RuntimeError(err::ProviderFailure,
                        "A conexão com o servidor de banco de dados foi perdida; a operação foi interrompida e o que "
                        "ela não concluiu não foi gravado.");
}

RuntimeError mapServerError(const PGresult* r, std::string_view sql) {
    const std::string state = field(r, PG_DIAG_SQLSTATE);
    const std::string table = field(r, PG_DIAG_TABLE_NAME);
    if (state == "23503") return startsWithWord(sql, "DELETE") ? relatedRecordsExist(table) : relatedRecordRequired();
    if (state == "23505") return duplicateValue(constrainedColumns(table, field(r, PG_DIAG_CONSTRAINT_NAME)));
    if (state == "23502") return nullNotAllowed(table + "." + field(r, PG_DIAG_COLUMN_NAME));
    if (state == "23514" && field(r, PG_DIAG_CONSTRAINT_NAME).starts_with(MoneyCheckPrefix))
        return RuntimeError(zelt::err::Overflow, standardDescription(zelt::err::Overflow));
    if (classIs(state, "23")) return validationRuleViolated();
    if (state == "42P01") return unknownTable(quotedName(field(r, PG_DIAG_MESSAGE_PRIMARY)));
    if (state == "42703") return unknownColumn(quotedName(field(r, PG_DIAG_MESSAGE_PRIMARY)));
    // Values of a kind the operation does not take: text where a number or a date goes.
    if (state == "22P02" || state == "22007" || state == "22008" || state == "42804" || state == "42883" ||
        state == "22018")
        return RuntimeError(err::TypeMismatch, "Tipo de dados incompatível na expressão de critério.");
    if (state == "ZT001") return notANumber();
    if (state == "21000") return moreThanOneRecord();
    if (state == "22003") return RuntimeError(zelt::err::Overflow, standardDescription(zelt::err::Overflow));
    if (state == "22012") return RuntimeError(zelt::err::DivisionByZero, standardDescription(zelt::err::DivisionByZero));
    // A power without a real value, as a negative number to a fractional exponent.
    if (state == "2201F")
        return RuntimeError(zelt::err::InvalidProcedureCall, standardDescription(zelt::err::InvalidProcedureCall));
    if (state == "40001" || state == "40P01" || state == "55P03" || state == "57014") return databaseBusy();
    if (state == "25006") return databaseReadOnly();
    if (state == "42501") return databaseFailure(PermissionDenied);
    if (state == "53100") return databaseFailure(DiskFull);
    if (state == "53200") return databaseFailure(OutOfMemory);
    if (classIs(state, "58")) return databaseFailure(DiskError);
    if (classIs(state, "08") || state == "57P01" || state == "57P02" || state == "57P03" || !r) return connectionLost();
    return databaseFailure(field(r, PG_DIAG_MESSAGE_PRIMARY));
}

RuntimeError cannotConnect(std::string_view uri, PGconn* conn) {
    // libpq says why only in words (in the client's language, when translated); the English ones
    // are told apart, and anything else is the general reason.
    const std::string said = conn ? PQerrorMessage(conn) : "";
    const auto mentions = [&](const char* words) { return said.find(words) != std::string::npos; };
    std::string reason;
    if (!conn) reason = std::string(OutOfMemory);
    else if (PQconnectionNeedsPassword(conn) || mentions("password") || mentions("authentication"))
        reason = "o usuário ou a senha foram recusados";
    else if (mentions("does not exist")) reason = "o usuário ou o banco de dados não existe no servidor";
    else if (mentions("timeout") || mentions("timed out")) reason = "o servidor não respondeu a tempo";
    else if (mentions("SSL") || mentions("certificate")) reason = "a conexão segura (TLS) foi recusada";
    else if (mentions("invalid") || mentions("missing")) reason = "o endereço do servidor não é válido";
    else reason = "o servidor recusou a conexão ou não pode ser alcançado (verifique o endereço, a porta e se o "
                  "servidor está em execução)";
    return RuntimeError(err::ProviderFailure,
                        "Não foi possível conectar ao servidor de banco de dados '" + shownUri(uri) + "': " + reason + ".",
                        err::CannotOpenHelpContext);
}

}  // namespace zelt::jet::postgres
