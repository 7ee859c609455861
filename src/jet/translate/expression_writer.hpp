#pragma once
// Writes Jet expressions as the engine's text and infers the kind of value each yields.
#include <string>
#include <string_view>
#include <vector>

#include "jet/parser/ast.hpp"
#include "jet/translate/dialect.hpp"
#include "jet/translate/scope.hpp"
#include "zelt/jet/translator.hpp"

namespace zelt::jet {

// Binding strength of what was written, loosest first, to decide where parentheses go.
enum class Precedence : uint8_t { Or = 1, And, Not, Comparison, Additive, Multiplicative, Unary, Atom };

struct Typed {
    ValueKind kind = ValueKind::Unknown;
    bool null = false;  // the Null literal, which takes any kind
    Precedence precedence = Precedence::Atom;
    bool condition = false;  // a comparison, AND/OR/NOT, IS NULL, LIKE or BETWEEN
};

// A select item's alias, which ORDER BY may name.
struct Alias {
    std::string_view name;
    ast::Index expr;
};

ValueKind kindOf(ColumnKind kind);
// Kinds on which the Portuguese collation has no effect.
bool isNumeric(ValueKind kind);

class ExpressionWriter {
public:
    ExpressionWriter(const ast::Tree& tree, const Scope& scope, std::string& out, const Dialect& dialect)
        : tree_(tree), scope_(scope), out_(out), dialect_(dialect) {}

    // Aliases that bare names may refer to when no table has the column (ORDER BY).
    void allowAliases(const std::vector<Alias>* aliases) { aliases_ = aliases; }

    Typed write(ast::Index e);
    // Written so that a COLLATE or another operator may follow it.
    Typed writeAtom(ast::Index e);
    // A sort or grouping term: text terms take the Portuguese collation.
    Typed writeTerm(ast::Index e, Dialect::TextUse use);
    // Written as a value (a selected column, a value written into a column) or as a condition.
    Typed writeValue(ast::Index e);
    Typed writeCondition(ast::Index e);

private:
    Typed writeOperand(ast::Index e, Precedence parent, bool right);
    Typed column(const ast::Expr& e);
    Typed binary(const ast::Expr& e);
    Typed comparison(const char* op, ast::Index l, ast::Index r);
    Typed call(const ast::Expr& e);
    Typed concatenation(const ast::Expr& e);
    void collateUnlessNumeric(size_t mark, Typed written, Typed other);
    void parenthesize(size_t mark);

    const ast::Tree& tree_;
    const Scope& scope_;
    std::string& out_;
    const Dialect& dialect_;
    const std::vector<Alias>* aliases_ = nullptr;
};

}  // namespace zelt::jet
