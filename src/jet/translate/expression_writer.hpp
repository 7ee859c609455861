#pragma once
// Writes Jet expressions as the engine's text and infers the kind of value each yields.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "jet/parser/ast.hpp"
#include "jet/translate/dialect.hpp"
#include "jet/translate/scope.hpp"
#include "zelt/automation/currency.hpp"
#include "zelt/jet/translator.hpp"

namespace zelt::jet {

// Binding strength of what was written, loosest first, to decide where parentheses go.
enum class Precedence : uint8_t { Or = 1, And, Not, Comparison, Additive, Multiplicative, Concatenation, Unary, Atom };

struct Typed {
    ValueKind kind = ValueKind::Unknown;
    bool null = false;  // the Null literal, which takes any kind
    Precedence precedence = Precedence::Atom;
    // A condition (a comparison, AND, NOT...): SQLite's 1/0, a boolean elsewhere; not Jet's -1/0.
    bool condition = false;
};

// A written operand: where its text lies in the output and what it holds, so that it can still
// be brought to the form its neighbours need (see value_forms.cpp).
struct Operand {
    ast::Index node = ast::None;
    size_t begin = 0, end = 0;
    Typed typed;
};

// The forms a value is written in: Jet's (Booleans -1/0, money in ten-thousandths), money
// (ten-thousandths, whatever the value was), or double (money unscaled). An engine that holds
// money as its amount needs only the Booleans.
enum class Form : uint8_t { Value, Money, Double };

// A select item's alias, which ORDER BY may name.
struct Alias {
    std::string_view name;
    ast::Index expr;
};

ValueKind kindOf(ColumnKind kind);
// Kinds on which the Portuguese collation has no effect.
bool isNumeric(ValueKind kind);
// The operators the function library computes, and the library's names of them (Mod, IntDiv,
// Power, Xor, Eqv, Imp).
bool isLibraryOperator(ast::Op op);
// Count, Sum, Avg... by their Jet names.
bool isAggregate(std::string_view function);
std::string_view operatorName(ast::Op op);
// The syntax error of a call with too many or too few arguments.
[[noreturn]] void wrongArgumentCount(const ast::Tree& tree, const ast::Expr& call);

class ExpressionWriter {
public:
    ExpressionWriter(const ast::Tree& tree, const Scope& scope, std::string& out, const Dialect& dialect)
        : tree_(tree), scope_(scope), out_(out), dialect_(dialect) {}

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
    Typed writeTerm(ast::Index e, Dialect::TextUse use);
    // Written where a condition goes (WHERE, ON).
    Typed writeCondition(ast::Index e);

    // A value written where it can still be converted (value_forms.cpp): a literal number becomes
    // money exactly (out of the range, error 6), other values through jet_ccur; converting the
    // last operand first keeps the earlier ones' places true.
    Operand argument(ast::Index e);
    void convert(Operand& o, Form form) {
        const Typed& t = o.typed;
        const bool money = t.kind == ValueKind::Money;
        const bool rescale = form == Form::Money ? !money : form == Form::Double && money;
        if (t.null) return;
        if (dialect_.scalesMoney() ? rescale || (t.kind == ValueKind::Boolean && t.condition)
                                   : t.kind == ValueKind::Boolean && t.condition)
            reform(o, form);
        // Where money is held as its amount, only the kind changes.
        if (!dialect_.scalesMoney() && rescale) o.typed.kind = form == Form::Money ? ValueKind::Money : ValueKind::Double;
    }
    // The operand's text rewritten by f(piece, typed), in place.
    template <class F>
    void rewrite(Operand& o, F f) {
        std::string piece = out_.substr(o.begin, o.end - o.begin);
        f(piece, o.typed);
        out_.replace(o.begin, o.end - o.begin, piece);
        o.end = o.begin + piece.size();
    }

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
    // predicates.cpp: IN lists, and the selections inside an expression (a value, IN, EXISTS, ANY, ALL).
    Typed inList(const ast::Expr& e);
    Typed selection(const ast::Expr& e);
    Query nestedQuery(ast::Index query, const Operand* compared);
    // function_calls.cpp: the function library's calls and operators, with the arguments given.
    Typed libraryCall(const ast::Expr& e, std::span<const ast::Index> args);
    Typed jetOperator(const ast::Expr& e);
    // The arguments written for a library function, each in the form its engine passes.
    std::vector<std::string> libraryArguments(std::span<const ast::Index> args, std::vector<ValueKind>& kinds);
    // What an operand wrote, taken back out of the text, so that its caller can choose how to join it.
    struct Piece {
        std::string text;
        Typed typed;
    };
    Piece piece(ast::Index e);
    // A piece written back at the end of the text, where it can still be converted.
    Operand placed(ast::Index e, const Piece& p);
    void collateUnlessNumeric(size_t mark, Typed written, Typed other);
    void parenthesize(size_t mark);

    // value_forms.cpp: money and Booleans where values meet.
    Operand operand(ast::Index e, Precedence parent, bool right);
    void reform(Operand& o, Form form);
    Typed arithmetic(ast::Op op, Operand& l, Operand& r, Precedence p);
    void compared(Operand& l, Operand& r);
    void bounded(Operand& value, Operand& low, Operand& high);
    Typed branches(Operand* first, size_t count);
    bool isNumberLiteral(ast::Index e) const;
    std::optional<Currency> literalAmount(ast::Index e, bool* rounded) const;
    bool exactAsMoney(const Operand& o) const;

    const ast::Tree& tree_;
    const Scope& scope_;
    std::string& out_;
    const Dialect& dialect_;
    const std::vector<Alias>* aliases_ = nullptr;
    const char* aggregatesRefusedIn_ = "";
    bool insideAggregate_ = false;
    bool wroteAggregate_ = false;
};

}  // namespace zelt::jet
