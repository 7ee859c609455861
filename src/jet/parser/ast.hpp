#pragma once
// The parsed statement. Nodes live in one arena and name each other by index, so that parsing a
// long selection costs a few allocations, not one per node; texts are views into the statement.
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
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
        Subquery, // query = a selection giving one value
        Exists,   // query
        In,       // first = value, then the listed values; or query
        Quantified,  // op compares first with ANY (or SOME, number 0) or ALL (number 1) rows of query
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
    Index query = None;  // a Tree::queries index
};

struct From {
    enum class Join : uint8_t { Table, Inner, Left, Right, Cross };
    Join join = Join::Table;
    std::string_view table;  // Table
    std::string_view alias;  // Table, or a selection in parentheses (query)
    Index query = None;
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
    enum class Distinct : uint8_t { All, Distinct, DistinctRow };
    Distinct distinct = Distinct::All;
    std::optional<int64_t> top;
    bool percent = false;    // TOP n PERCENT
    bool unionAll = true;    // how a union joins this member to those before it
    uint32_t position = 0;
    std::vector<SelectItem> items;
    Index from = None;
    Index where = None;
    std::vector<Index> groupBy;
    Index having = None;
    std::vector<OrderItem> orderBy;
};

// A selection inside another statement, with the members of its unions.
struct Query {
    std::vector<Select> selects;
    uint32_t position = 0;
};

struct Assignment {
    std::string_view column;
    uint32_t position;
    Index value;
    std::string_view table = {};  // Tabela of Tabela.Coluna
};

// A data-shaping command: the rows of a selection (selects[select]) with columns appended, each a
// chapter relating a child's rows to them (child: a node of Statement::shapes) or an aggregate over
// a chapter's rows (path: chapter names down to the column; Count of rows names chapters only).
struct ShapeColumn {
    enum class Kind : uint8_t { Chapter, Sum, Avg, Min, Max, Count, StDev, Any };
    Kind kind = Kind::Chapter;
    std::string_view name;  // empty when not given
    Index child = None;
    std::vector<std::pair<std::string_view, std::string_view>> relate;  // parent column TO child column
    std::vector<std::string_view> path;
    std::vector<uint32_t> positions;  // of each name: in relate, a parent's column then its child's; in path
};

struct ShapeNode {
    size_t select = 0;
    std::vector<ShapeColumn> appended;
};

struct Statement {
    enum class Kind : uint8_t { Select, Insert, Update, Delete, Identity, Shape };
    Kind kind = Kind::Select;
    std::vector<Select> selects;  // Select: the members of a UNION ALL; Shape: those of its nodes
    std::string_view table;       // Insert, Update, Delete
    uint32_t tablePosition = 0;
    Index from = None;            // Update over joined tables
    Index source = None;          // INSERT ... SELECT: a queries index
    bool allColumns = false;      // INSERT without a column list
    std::vector<Assignment> assignments;  // Insert columns and values, Update targets
    Index where = None;                   // Update, Delete
    std::vector<ShapeNode> shapes;        // Shape: the command is shapes[0]
};

struct Tree {
    std::string_view text;
    std::vector<Expr> exprs;
    std::vector<From> froms;
    std::vector<Query> queries;
    Statement statement;

    // Empties the tree for another statement, keeping its storage.
    void reset(std::string_view statementText) {
        text = statementText;
        exprs.clear();
        froms.clear();
        queries.clear();
        statement = Statement{};
    }

    const Expr& operator[](Index i) const { return exprs[static_cast<size_t>(i)]; }
    Index nextOf(Index i) const { return exprs[static_cast<size_t>(i)].next; }
};

}  // namespace zelt::jet::ast
