#pragma once
// The parsed statement. Nodes live in one arena and name each other by index, so that parsing a
// long selection costs a few allocations, not one per node; texts are views into the statement.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace zelt::jet::ast {

using Index = int32_t;
inline constexpr Index None = -1;

enum class Op : uint8_t { Or, And, Eq, Ne, Lt, Gt, Le, Ge, Concat, Add, Sub, Mul, Div, Mod, IntDiv, Power, Xor, Eqv, Imp };

struct Expr {
    enum class Kind : uint8_t {
        Column,   // a = table (may be empty), b = column
        Number,   // a = the literal as written
        String,   // a = body; doubledQuote says which quote is doubled inside it
        Date,     // number = serial
        Boolean,  // number = 1 or 0
        Null,
        Star,     // Count(*)
        Not,
        Negate,
        Binary,   // op
        Between,  // value, low, high
        IsNull,
        Like,
        Call,     // a = function name as written
        Now,      // bare NOW
    };
    Kind kind;
    Op op = Op::Or;
    bool negated = false;       // IS NOT NULL, NOT LIKE, NOT BETWEEN
    bool doubleQuoted = false;  // a "..." string
    uint16_t height = 1;        // levels of the tree from this node down, itself included
    uint32_t position = 0;      // byte offset
    std::string_view a, b;
    double number = 0;
    Index first = None;  // first operand or argument
    Index next = None;   // the following sibling
};

struct From {
    enum class Join : uint8_t { Table, Inner, Left, Right, Cross };
    Join join = Join::Table;
    std::string_view table;  // Table
    uint32_t position = 0;
    Index left = None, right = None;  // From indexes
    Index on = None;                  // Expr index
};

struct SelectItem {
    Index expr = None;        // None for "*" or "Table.*"
    std::string_view star;    // the table of "Table.*", empty for "*"
    std::string_view alias;
};

struct OrderItem {
    Index expr;
    bool descending;
};

struct Select {
    std::optional<int64_t> top;
    uint32_t position = 0;
    std::vector<SelectItem> items;
    Index from = None;
    Index where = None;
    std::vector<Index> groupBy;
    std::vector<OrderItem> orderBy;
};

struct Assignment {
    std::string_view column;
    uint32_t position;
    Index value;
};

struct Statement {
    enum class Kind : uint8_t { Select, Insert, Update, Delete, Identity, Shape };
    Kind kind = Kind::Select;
    std::vector<Select> selects;  // Select: the members of a UNION ALL; Shape: parent and child
    std::string_view table;       // Insert, Update, Delete
    uint32_t tablePosition = 0;
    bool allColumns = false;      // INSERT without a column list
    std::vector<Assignment> assignments;  // Insert columns and values, Update targets
    Index where = None;                   // Update, Delete
    std::string_view parentAlias, chapter, parentKey, childKey;  // Shape
    uint32_t parentKeyPosition = 0, childKeyPosition = 0;
};

struct Tree {
    std::string_view text;
    std::vector<Expr> exprs;
    std::vector<From> froms;
    Statement statement;

    // Empties the tree for another statement, keeping its storage.
    void reset(std::string_view statementText) {
        text = statementText;
        exprs.clear();
        froms.clear();
        statement = Statement{};
    }

    const Expr& operator[](Index i) const { return exprs[static_cast<size_t>(i)]; }
    Index nextOf(Index i) const { return exprs[static_cast<size_t>(i)].next; }
};

}  // namespace zelt::jet::ast
