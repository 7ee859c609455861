#pragma once
// Jet SQL in, SQLite SQL out. The whole text is parsed; anything not understood, or anything after
// the one statement but a ";", is a syntax error (RuntimeError with jet::err::Syntax) that says
// where. Nothing unparsed ever reaches SQLite.
#include <string>
#include <string_view>
#include <vector>

namespace zelt::jet {

// What a result column holds, so that the engine gives its field the right ADO type. Money is
// written as its ten-thousandths (an integer, as Jet's Currency); Boolean as -1/0 or SQLite's 1/0.
enum class ValueKind { Unknown, Integer, Double, Money, Text, Boolean, Date };

struct ResultColumn {
    std::string name;  // the alias, the column's own name, or Jet's "Expr1000", "Expr1001", ...
    ValueKind kind = ValueKind::Unknown;
};

struct Query {
    std::string sql;                    // SQLite text, one statement, no trailing ";"
    std::vector<ResultColumn> columns;  // for selections
};

struct Translation {
    enum class Kind { Select, Modify, Identity, Shape };
    Kind kind = Kind::Select;
    Query query;  // Select and Modify

    // Shape: SHAPE {parent} AS alias APPEND ({child} RELATE parentKey TO childKey) AS chapter
    Query parent, child;
    std::string parentAlias, chapterName, parentKey, childKey;
};

Translation translate(std::string_view jetText);

}  // namespace zelt::jet
