#pragma once
// Pieces of SQL text, the same for every engine. Each piece is one token or one parenthesized group, so that whatever
// precedes it can never join it into a comment or another token: a name is quoted with its quote
// doubled, a text literal escaped, a negative number enclosed.
#include <string>
#include <string_view>
#include <vector>

namespace zelt::jet::sql {

void appendIdentifier(std::string& out, std::string_view name);
// Encloses out[mark..] in parentheses.
void enclose(std::string& out, size_t mark);
void appendColumn(std::string& out, std::string_view table, std::string_view column);
// "name" AS "alias": a table or a column under the name the statement gives it.
void appendAliased(std::string& out, std::string_view name, std::string_view alias);
// A Jet literal's body ('...' or "...", its own quote doubled inside) as a SQLite '...' literal.
void appendString(std::string& out, std::string_view body, bool doubleQuoted);
// The value a Jet literal's body stands for.
std::string unquote(std::string_view body, bool doubleQuoted);
// A double that SQLite reads back exactly, always as a REAL.
void appendReal(std::string& out, double value);
// A number, whole numbers as integers.
void appendNumber(std::string& out, double value);

// f(a, b, ...) written argument by argument, with at most 100 arguments in each call (SQLite
// takes at most 127): a longer list folds into the first argument of an outer call,
// f(f(a, ...), ...), as the functions that take lists allow.
class ArgumentList {
public:
    ArgumentList(std::string& out, std::string_view function);
    void next();  // before each argument
    void close();

private:
    std::string& out_;
    std::string_view function_;
    size_t start_;
    size_t count_ = 0;
};

// f(a, b, ...), however many the arguments.
void appendCall(std::string& out, std::string_view function, const std::vector<std::string>& arguments);

}  // namespace zelt::jet::sql
