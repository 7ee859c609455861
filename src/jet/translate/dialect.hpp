#pragma once
// What differs between the engines in the text the translator writes. The tree, the names, the
// kinds and the structure of every statement are the same for all; each engine spells here its
// literals, functions, collations and the conversions its type system needs. The engines' own
// spellings live beside them (jet/engine for SQLite, jet/postgres for PostgreSQL).
#include <cstddef>
#include <string>
#include <string_view>

#include "jet/parser/ast.hpp"
#include "zelt/jet/catalogue.hpp"
#include "zelt/jet/translator.hpp"

namespace zelt::jet {

struct Typed;

class Dialect {
public:
    virtual ~Dialect() = default;

    // Text compared, ordered or grouped as Jet does it (case-insensitive Portuguese): what
    // follows the text written at out[mark..].
    enum class TextUse { Compare, Order, Group };
    virtual void collate(std::string& out, size_t mark, const Typed& written, TextUse use) const = 0;

    virtual void dateLiteral(std::string& out, double serial) const = 0;
    virtual void yesNoLiteral(std::string& out, bool value) const = 0;
    virtual void now(std::string& out) const = 0;

    // A call of one of Jet's plain functions (Format, Trim, Val, Mid, Day, Month, Year, Sum, Min,
    // Max, Avg): what comes before the first argument, after it, between the others, and at the
    // end.
    struct Call {
        std::string_view open, afterFirst, separator, close;
    };
    virtual Call function(std::string_view jetName, size_t arguments) const = 0;
    // Without Format on the server, the engine computes the selected columns and the ORDER BY
    // terms that use it (see LocalPlanner).
    virtual bool formatsOnServer() const = 0;
    // Whether one column may hold values of different kinds (an IIf giving a number or a text).
    virtual bool mixesKinds() const = 0;

    // a & b & ...: the opening of the call, and each operand once written at out[mark..].
    virtual void concatOpen(std::string& out) const = 0;
    virtual void concatOperand(std::string& out, size_t mark, const Typed& written) const = 0;

    // l op r (+ - * /) with both operands written, l at out[left..right) and r at out[right..]:
    // the operator goes between them. Jet divides as doubles.
    virtual void arithmetic(std::string& out, ast::Op op, size_t left, size_t right, const Typed& l,
                            const Typed& r) const = 0;

    // value LIKE pattern: the operator after the value written at out[mark..], and what ends it
    // after the pattern.
    virtual void likeOperator(std::string& out, size_t mark, const Typed& value, bool negated) const = 0;
    virtual void likeEnd(std::string& out) const = 0;

    // What was written at out[mark..] made a condition (WHERE, ON, AND, IIf's test) or a value
    // (a selected column, an operand, an argument); an engine that tells the two apart converts.
    virtual void asCondition(std::string& out, size_t mark, const Typed& written) const = 0;
    virtual void asValue(std::string& out, size_t mark, const Typed& written) const = 0;

    // A value that is not a literal written into a date column, at out[mark..].
    virtual void intoDate(std::string& out, size_t mark, const Typed& written) const = 0;

    // After an ORDER BY term: its direction. Jet sorts Null before every value.
    virtual void orderDirection(std::string& out, bool descending) const = 0;
    // A union's ORDER BY term: the position of a result column of the given kind.
    virtual void orderByPosition(std::string& out, size_t position, ValueKind kind) const = 0;

    // The name a selection in FROM takes ("" where none is needed).
    virtual std::string_view subqueryAlias() const = 0;
    // After INSERT INTO table (...) VALUES (...).
    virtual void afterInsert(std::string& out, const TableDef& table) const = 0;
};

const Dialect& sqliteDialect();

}  // namespace zelt::jet
