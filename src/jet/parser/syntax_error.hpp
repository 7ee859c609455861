#pragma once
// The errors a statement's text can raise before anything reaches SQLite; each says where.
#include <cstddef>
#include <string>
#include <string_view>

namespace zelt::jet {

// Position as Jet reports it: characters (not bytes) from the start, the first being 1.
size_t characterPosition(std::string_view text, size_t byteOffset);

// "perto de 'near' (posição N)", near cut to a readable length.
std::string whereInText(std::string_view text, size_t byteOffset, std::string_view near);

[[noreturn]] void syntaxError(std::string_view text, size_t byteOffset, std::string_view near);
[[noreturn]] void unterminatedLiteral(std::string_view text, size_t byteOffset);
[[noreturn]] void nestedTooDeeply(std::string_view text, size_t byteOffset, std::string_view near);
// Too many tables, columns or selections for one statement.
[[noreturn]] void tooComplex(std::string_view text, size_t byteOffset, std::string_view near);
[[noreturn]] void textAfterStatement(std::string_view text, size_t byteOffset, std::string_view near);
// Data definition, parameters and stored queries, which this connection does not run.
[[noreturn]] void statementRefused(std::string_view text, size_t byteOffset, std::string_view near);
// The engine's own tables (MSys...), which no statement may read or change.
[[noreturn]] void catalogueRefused(std::string_view table);
[[noreturn]] void missingTable(std::string_view table);
[[noreturn]] void missingColumn(std::string_view column, std::string_view where);
[[noreturn]] void ambiguousColumn(std::string_view column);
[[noreturn]] void tableListedTwice(std::string_view table);
// An aggregate function in a clause that takes none (clause empty: in another aggregate, or in a
// statement that takes none).
[[noreturn]] void aggregateRefused(std::string_view text, size_t byteOffset, std::string_view near,
                                   std::string_view clause);
[[noreturn]] void typeMismatch();

}  // namespace zelt::jet
