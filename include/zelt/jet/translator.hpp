#pragma once
// Jet SQL in, the engine's SQL out. The whole text is parsed; anything not understood, or anything
// after the one statement but a ";", is a syntax error (RuntimeError with jet::err::Syntax) that
// says where. Nothing unparsed ever reaches the engine.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelt::jet {

// What a result column holds, so that the engine gives its field the right ADO type. Money is
// written as its ten-thousandths (an integer, as Jet's Currency); Boolean as -1/0 or SQLite's 1/0.
// Integer is Jet's Long; SmallInt its Integer and Byte its Byte, which some functions give (CInt).
enum class ValueKind { Unknown, Integer, Double, Money, Text, Boolean, Date, SmallInt, Byte };

// A value the engine computes from the row the server sent, where the server has no equivalent of
// what only shapes the output (Format on an engine without it), or a condition on such values.
struct LocalValue {
    enum class Kind : uint8_t { Fetched, Text, Format, IIf, Switch, Concat, Add, Call, Compare, And, Or, Not, IsNull, Like, Aggregate };
    Kind kind = Kind::Fetched;
    size_t column = 0;                 // Fetched: its position in the server's row
    std::string text;                  // Text; Call: the function library's name; Compare: "=", "<>", "<"...
    std::vector<LocalValue> operands;  // Format: value, pattern; IIf: test, then, else; Switch: pairs;
                                       // Concat, Add, And and Or: their operands; Call: its arguments;
                                       // Compare: both sides; Like: value, pattern; Not, IsNull: one
};

// An aggregate the engine computes over the rows of a group: Count, Sum, Avg, Min, Max, StDev,
// First or Last of its argument (none: Count(*)), computed on each row.
struct LocalAggregate {
    std::string function;
    std::optional<LocalValue> argument;
};

struct ResultColumn {
    std::string name;  // the alias, the column's own name, or Jet's "Expr1000", "Expr1001", ...
    ValueKind kind = ValueKind::Unknown;
    std::shared_ptr<const LocalValue> local = nullptr;  // set: computed by the engine, not sent by the server
};

struct LocalTerm {
    LocalValue value;
    bool descending = false;
};

struct Query {
    std::string sql;                    // the engine's text, one statement, no trailing ";"
    std::vector<ResultColumn> columns;  // for selections

    // When some column, condition or ORDER BY term is computed by the engine: the kinds of every
    // column of the server's row (the result columns it computes, in order, then those the engine's
    // values are made from); the condition a row must meet (True, not Null); whether repeated rows
    // go (DISTINCT); the terms the engine sorts by, in place of the server; the rows it keeps (TOP,
    // with the rows tied with the last; percent: n% of them, rounded up).
    std::vector<ValueKind> fetched;
    std::optional<LocalValue> filter;
    // Grouped by the engine (GROUP BY, or aggregates, after a condition it tests): the rows that
    // meet the filter grouped by the terms' values, each group a row of its first row's values and
    // then the aggregates' (placed after the server's columns); having: the groups kept.
    bool grouped = false;
    std::vector<LocalValue> groups;
    std::vector<LocalAggregate> aggregates;
    std::optional<LocalValue> having;
    bool distinct = false;
    std::vector<LocalTerm> order;
    std::optional<int64_t> top;
    bool percent = false;
    bool computedLocally() const { return !fetched.empty(); }
};

// One level of a data-shaping command: a selection's rows with columns appended in order, each a
// chapter of a child level's rows related to them by pairs of columns (parent's, child's), or an
// aggregate over the rows of a chapter (path: the chapters down from this level, then the column;
// Count of rows names chapters only).
struct ShapeLevel {
    struct Column {
        enum class Kind { Chapter, Sum, Avg, Min, Max, Count, StDev, Any };
        Kind kind = Kind::Chapter;
        std::string name;
        std::shared_ptr<const ShapeLevel> child;
        std::vector<std::pair<std::string, std::string>> relate;
        std::vector<std::string> path;
    };
    Query query;
    std::vector<Column> appended;
};

struct Translation {
    enum class Kind { Select, Modify, Identity, Shape };
    Kind kind = Kind::Select;
    Query query;                              // Select, Modify and Identity
    std::shared_ptr<const ShapeLevel> shape;  // Shape

    // Every query the statement runs.
    std::vector<const Query*> queries() const;
};

class Dialect;  // the spellings of one engine

Translation translate(std::string_view jetText, const Dialect& dialect);
// For SQLite.
Translation translate(std::string_view jetText);

}  // namespace zelt::jet
