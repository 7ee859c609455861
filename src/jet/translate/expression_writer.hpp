#pragma once
// Writes Jet expressions as SQLite text and infers the kind of value each yields.
#include <string>
#include <string_view>
#include <vector>

#include "jet/parser/ast.hpp"
#include "jet/translate/scope.hpp"
#include "zelt/jet/translator.hpp"

namespace zelt::jet {

// Binding strength of what was written, loosest first, to decide where parentheses go.
enum class Precedence : uint8_t { Or = 1, And, Not, Comparison, Additive, Multiplicative, Concatenation, Unary, Atom };

struct Typed {
    ValueKind kind = ValueKind::Unknown;
    bool null = false;  // the Null literal, which takes any kind
    Precedence precedence = Precedence::Atom;
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
    ExpressionWriter(const ast::Tree& tree, const Scope& scope, std::string& out)
        : tree_(tree), scope_(scope), out_(out) {}

    // Aliases that bare names may refer to when no table has the column (ORDER BY).
    void allowAliases(const std::vector<Alias>* aliases) { aliases_ = aliases; }
    // Where aggregate functions are refused: the clause named in the refusal, "" for a statement
    // that takes none (the default); nullptr allows them.
    void refuseAggregates(const char* clause) { aggregatesRefusedIn_ = clause; }
    bool wroteAggregate() const { return wroteAggregate_; }

    Typed write(ast::Index e);
    // Written so that a COLLATE or another operator may follow it.
    Typed writeAtom(ast::Index e);
    // A sort or grouping term: text terms take the Portuguese collation.
    Typed writeTerm(ast::Index e);

private:
    Typed writeOperand(ast::Index e, Precedence parent, bool right);
    Typed column(const ast::Expr& e);
    Typed binary(const ast::Expr& e);
    Typed comparison(const char* op, ast::Index l, ast::Index r);
    Typed call(const ast::Expr& e);
    // Writes an aggregate's arguments through write, once the aggregate is known to be allowed.
    template <class Write>
    Typed aggregate(const ast::Expr& e, Write writeArguments);
    Typed concatenation(const ast::Expr& e);
    Typed addition(const ast::Expr& e);
    Typed between(const ast::Expr& e);
    // What an operand wrote, taken back out of the text, so that its caller can choose how to join it.
    struct Piece {
        std::string text;
        Typed typed;
    };
    Piece piece(ast::Index e);
    // f(a, b, ...), however many the arguments.
    void appendCall(std::string_view function, const std::vector<std::string>& arguments);
    void collateUnlessNumeric(size_t mark, Typed written, Typed other);
    void parenthesize(size_t mark);

    const ast::Tree& tree_;
    const Scope& scope_;
    std::string& out_;
    const std::vector<Alias>* aliases_ = nullptr;
    const char* aggregatesRefusedIn_ = "";
    bool insideAggregate_ = false;
    bool wroteAggregate_ = false;
};

}  // namespace zelt::jet
