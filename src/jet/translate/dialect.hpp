#pragma once
// What differs between the engines in the text the translator writes. The tree, the names, the
// kinds and the structure of every statement are the same for all; each engine spells here its
// literals, functions, collations and the conversions its type system needs. The engines' own
// spellings live beside them (jet/engine for SQLite, jet/postgres for PostgreSQL).
//
// Hooks that take a piece rewrite the text of one operand already written (piece) and the facts
// about it (written), so that the writer can place the result where the operand was.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "jet/parser/ast.hpp"
#include "zelt/automation/currency.hpp"
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
    virtual void now(std::string& out) const = 0;

    // A call of one of Jet's plain functions (Format, Trim, Val, Day, Month, Year, Now, and
    // the aggregates Sum, Min, Max, Avg, StDev, StDevP, Var, VarP, First, Last): what comes before
    // the first argument, after it, between the others, and at the end.
    struct Call {
        std::string_view open, afterFirst, separator, close;
    };
    virtual Call function(std::string_view jetName) const = 0;
    // Whether the engine has the function library's functions (jet/library); one that has not
    // computes them after fetching (see LocalPlanner).
    virtual bool hasLibrary() const = 0;
    // The engine's function for one of them, where it has them.
    virtual std::string libraryFunction(std::string_view jetName) const = 0;
    // Where the engine has not them: the server's own spelling of a library function that gives
    // Jet's value for arguments of these kinds (true), for a condition or an order; false when it
    // has none.
    virtual bool serverLibraryCall(std::string& out, std::string_view jetName, const std::vector<std::string>& args,
                                   const std::vector<ValueKind>& kinds) const = 0;
    // An argument of a library function or operator, marked with the kind the engine cannot hold.
    virtual void libraryArgument(std::string& piece, const Typed& written) const = 0;
    // l Mod r, l \ r, l ^ r, l Xor r, l Eqv r, l Imp r; name is the library's (Mod, IntDiv...).
    virtual void jetOperator(std::string& out, ast::Op op, std::string_view name, const std::vector<std::string>& operands,
                             const std::vector<ValueKind>& kinds) const = 0;
    // Without Format on the server, the engine computes the selected columns and the ORDER BY
    // terms that use it (see LocalPlanner).
    virtual bool formatsOnServer() const = 0;
    // Whether one column may hold values of different kinds (an IIf giving a number or a text).
    virtual bool mixesKinds() const = 0;

    // Money held in ten-thousandths (converted where it meets other kinds, see value_forms.cpp),
    // or as its amount.
    virtual bool scalesMoney() const = 0;
    // A money literal written into a money column.
    virtual void moneyLiteral(std::string& out, Currency amount) const = 0;
    // A computed value on its way into a money column, written at out[mark..].
    virtual void intoMoney(std::string& out, size_t mark) const = 0;

    // a & b & ...: the function that joins the operands (Null reads as empty text; neverNull when
    // an operand can't be Null, so neither can the whole), and each operand in the text form Jet
    // gives it (dates, amounts).
    virtual std::string_view concatFunction(bool neverNull) const = 0;
    virtual void concatOperand(std::string& piece, const Typed& written) const = 0;

    // l + r or l - r where one side is a date: the whole, or "" to keep "l op r".
    virtual std::string dateArithmetic(ast::Op op, std::string_view l, std::string_view r, const Typed& lt,
                                       const Typed& rt) const = 0;
    // l / r: Jet divides as doubles, and a division by zero is an error.
    virtual Call division() const = 0;
    // a + b + ... of kinds not all numbers nor all texts: from the left, texts join until a number
    // meets them, and are then read as numbers; Null gives Null.
    virtual void mixedAddition(std::string& out, const std::vector<std::string>& operands,
                               const std::vector<ValueKind>& kinds) const = 0;
    // value [NOT] BETWEEN a AND b with the bounds in either order.
    virtual void unorderedBetween(std::string& out, bool negated, const std::vector<std::string>& operands,
                                  const std::vector<ValueKind>& kinds) const = 0;

    // value LIKE pattern. A literal pattern the engine writes itself (true), or else the operator
    // after the value written at out[mark..] and what ends it after the pattern.
    virtual bool likeLiteral(std::string& out, size_t mark, const Typed& value, bool negated,
                             std::string_view pattern) const = 0;
    virtual void likeOperator(std::string& out, size_t mark, const Typed& value, bool negated) const = 0;
    virtual void likeEnd(std::string& out) const = 0;

    // An operand made a condition (WHERE, ON, AND, IIf's test) or, being a condition, a value
    // where its value counts (Jet's -1/0).
    virtual void asCondition(std::string& piece, Typed& written) const = 0;
    virtual void asValue(std::string& piece, Typed& written) const = 0;

    // A value that is not a literal written into a date column.
    virtual void intoDate(std::string& piece, const Typed& written) const = 0;

    // After an ORDER BY term: its direction. Jet sorts Null before every value.
    virtual void orderDirection(std::string& out, bool descending) const = 0;
    // A union's ORDER BY term: the position of a result column of the given kind.
    virtual void orderByPosition(std::string& out, size_t position, ValueKind kind) const = 0;
    // A selection's one column as a value: the row, or Null without one; more rows are an error.
    virtual void singleValue(std::string& out, std::string_view selection, std::string_view column) const = 0;
    // The name a selection in FROM takes ("" where none is needed).
    virtual std::string_view subqueryAlias() const = 0;
    // After INSERT INTO table (...) VALUES (...).
    virtual void afterInsert(std::string& out, const TableDef& table) const = 0;
};

const Dialect& sqliteDialect();

}  // namespace zelt::jet
