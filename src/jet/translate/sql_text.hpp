#pragma once
// Pieces of SQLite text. Each piece is one token or one parenthesized group, so that whatever
// precedes it can never join it into a comment or another token: a name is quoted with its quote
// doubled, a text literal escaped, a negative number enclosed.
#include <string>
#include <string_view>

namespace zelt::jet::sql {

void appendIdentifier(std::string& out, std::string_view name);
void appendColumn(std::string& out, std::string_view table, std::string_view column);
// A Jet literal's body ('...' or "...", its own quote doubled inside) as a SQLite '...' literal.
void appendString(std::string& out, std::string_view body, bool doubleQuoted);
// The value a Jet literal's body stands for.
std::string unquote(std::string_view body, bool doubleQuoted);
// A double that SQLite reads back exactly, always as a REAL.
void appendReal(std::string& out, double value);
// A number, whole numbers as integers.
void appendNumber(std::string& out, double value);

}  // namespace zelt::jet::sql
