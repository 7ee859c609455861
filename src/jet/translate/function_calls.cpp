// Jet's functions: their arities and kinds are Jet's; each engine spells the calls (see Dialect).
#include <array>

#include "jet/library/library.hpp"
#include "jet/parser/syntax_error.hpp"
#include "jet/parser/token.hpp"
#include "jet/translate/expression_writer.hpp"
#include "jet/translate/sql_text.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/jet/errors.hpp"

namespace zelt::jet {

using ast::Expr;
using ast::Index;

namespace {

constexpr int MaxArguments = 64;

enum class Result : uint8_t { Text, Double, Integer, Date, SameAsArgument };

struct Function {
    std::string_view jet;
    int minArgs, maxArgs;
    Result result;
    bool aggregate = false;
};

// Plain calls: the arguments pass through in order.
constexpr Function Functions[] = {
    {"Format", 1, 2, Result::Text},  {"Trim", 1, 1, Result::Text},   {"Val", 1, 1, Result::Double},
    {"Day", 1, 1, Result::Integer}, {"Month", 1, 1, Result::Integer},
    {"Year", 1, 1, Result::Integer}, {"Now", 0, 0, Result::Date},    {"Sum", 1, 1, Result::SameAsArgument, true},
    {"Min", 1, 1, Result::SameAsArgument, true}, {"Max", 1, 1, Result::SameAsArgument, true},
    {"Avg", 1, 1, Result::Double, true}, {"StDev", 1, 1, Result::Double, true},
    {"StDevP", 1, 1, Result::Double, true}, {"Var", 1, 1, Result::Double, true},
    {"VarP", 1, 1, Result::Double, true}, {"First", 1, 1, Result::SameAsArgument, true},
    {"Last", 1, 1, Result::SameAsArgument, true},
};

}  // namespace

template <class Write>
Typed ExpressionWriter::aggregate(const Expr& e, Write writeArguments) {
    if (insideAggregate_ || aggregatesRefusedIn_)
        aggregateRefused(tree_.text, e.position, e.a, insideAggregate_ ? "" : aggregatesRefusedIn_);
    insideAggregate_ = true;
    const Typed t = writeArguments();
    insideAggregate_ = false;
    wroteAggregate_ = true;
    return t;
}

void wrongArgumentCount(const ast::Tree& tree, const Expr& call) {
    throwError(err::Syntax, "Número incorreto de argumentos usados com a função '" + std::string(call.a) +
                                "' na expressão, " + whereInText(tree.text, call.position, call.a) + ".");
}

bool isAggregate(std::string_view function) {
    if (sameWord(function, "Count")) return true;
    for (const Function& f : Functions)
        if (f.aggregate && sameWord(f.jet, function)) return true;
    return false;
}

bool isLibraryOperator(ast::Op op) {
    return op == ast::Op::Mod || op == ast::Op::IntDiv || op == ast::Op::Power || op == ast::Op::Xor ||
           op == ast::Op::Eqv || op == ast::Op::Imp;
}

Typed ExpressionWriter::call(const Expr& e) {
    auto wrongCount = [&]() { wrongArgumentCount(tree_, e); };
    std::array<Index, MaxArguments> args;
    int n = 0;
    for (Index a = e.first; a != ast::None; a = tree_.nextOf(a)) {
        if (n == MaxArguments) wrongCount();
        args[static_cast<size_t>(n++)] = a;
    }
    auto rejectStar = [&](Index a) {
        if (tree_[a].kind == Expr::Kind::Star) syntaxError(tree_.text, tree_[a].position, "*");
    };
    if (!sameWord(e.a, "Count"))
        for (int i = 0; i < n; ++i) rejectStar(args[static_cast<size_t>(i)]);

    if (sameWord(e.a, "IIf")) {
        if (n != 3) wrongCount();
        out_ += "CASE WHEN ";
        writeCondition(args[0]);
        out_ += " THEN ";
        Operand branch[2];
        branch[0] = argument(args[1]);
        out_ += " ELSE ";
        branch[1] = argument(args[2]);
        out_ += " END";
        return branches(branch, 2);
    }
    if (sameWord(e.a, "Switch")) {
        // Null when no condition holds, as CASE without ELSE gives.
        if (n == 0 || n % 2 != 0) wrongCount();
        out_ += "CASE";
        std::array<Operand, MaxArguments / 2> values;
        for (int i = 0; i < n; i += 2) {
            out_ += " WHEN ";
            writeCondition(args[static_cast<size_t>(i)]);
            out_ += " THEN ";
            values[static_cast<size_t>(i / 2)] = argument(args[static_cast<size_t>(i) + 1]);
        }
        out_ += " END";
        return branches(values.data(), static_cast<size_t>(n / 2));
    }
    if (sameWord(e.a, "IsNull")) {
        if (n != 1) wrongCount();
        out_ += '(';
        const size_t mark = out_.size();
        if (write(args[0]).precedence <= Precedence::Comparison) parenthesize(mark);
        out_ += " IS NULL)";
        return {ValueKind::Boolean, false, Precedence::Atom, true};
    }
    if (sameWord(e.a, "Count")) {
        if (n != 1) wrongCount();
        return aggregate(e, [&]() -> Typed {
            if (tree_[args[0]].kind == Expr::Kind::Star) {
                out_ += "count(*)";
            } else {
                out_ += "count(";
                write(args[0]);
                out_ += ')';
            }
            return {ValueKind::Integer};
        });
    }
    for (const Function& f : Functions) {
        if (!sameWord(f.jet, e.a)) continue;
        if (n < f.minArgs || n > f.maxArgs) wrongCount();
        auto writeCall = [&]() {
            const Dialect::Call spelling = dialect_.function(f.jet);
            const bool format = f.jet == "Format";
            out_ += spelling.open;
            // Sums, minima and maxima of money stay in ten-thousandths, and Format takes an amount
            // as one (the third argument says so); other functions see an amount as a double.
            const bool keepsMoney = f.result == Result::SameAsArgument || format;
            Typed first{};
            for (int i = 0; i < n; ++i) {
                if (i > 0) out_ += spelling.separator;
                Operand o = argument(args[static_cast<size_t>(i)]);
                convert(o, i == 0 && keepsMoney ? Form::Value : Form::Double);
                if (i == 0) {
                    first = o.typed;
                    out_ += spelling.afterFirst;
                }
            }
            // Format is the engine's only where the engine has one (SQLite's jet_format).
            if (format && n == 1) out_ += ", ''";
            if (format && first.kind == ValueKind::Money && dialect_.scalesMoney()) out_ += ", 1";
            out_ += spelling.close;
            return first;
        };
        const Typed first = f.aggregate ? aggregate(e, writeCall) : writeCall();
        switch (f.result) {
        case Result::Text: return {ValueKind::Text};
        case Result::Double: return {ValueKind::Double};
        case Result::Integer: return {ValueKind::Integer};
        case Result::Date: return {ValueKind::Date};
        case Result::SameAsArgument:
            if (first.null) return {ValueKind::Unknown};
            // A sum of Booleans counts them, negatively.
            if (first.kind == ValueKind::Boolean && f.jet == "Sum") return {ValueKind::Integer};
            return {first.kind};
        }
    }
    if (const library::Function* f = library::find(e.a)) {
        if (n < f->minArgs || n > f->maxArgs) wrongCount();
        return libraryCall(e, std::span<const Index>(args.data(), static_cast<size_t>(n)));
    }
    throwError(err::Syntax, "Função '" + std::string(e.a) + "' não definida na expressão, " +
                                whereInText(tree_.text, e.position, e.a) + ".");
}

std::vector<std::string> ExpressionWriter::libraryArguments(std::span<const Index> args, std::vector<ValueKind>& kinds) {
    std::vector<std::string> written;
    for (const Index a : args) {
        const size_t mark = out_.size();
        Operand o = argument(a);
        convert(o, Form::Value);
        kinds.push_back(o.typed.null ? ValueKind::Unknown : o.typed.kind);
        rewrite(o, [&](std::string& piece, Typed& t) { dialect_.libraryArgument(piece, t); });
        written.push_back(out_.substr(mark));
        out_.resize(mark);
    }
    return written;
}

// Where the engine has none of the library's functions, they are computed on the fetched rows,
// which only a selected column or an ORDER BY term can be.
Typed ExpressionWriter::libraryCall(const Expr& e, std::span<const Index> args) {
    const library::Function& f = *library::find(e.a);
    std::vector<ValueKind> kinds;
    const std::vector<std::string> written = libraryArguments(args, kinds);
    if (dialect_.hasLibrary()) sql::appendCall(out_, dialect_.libraryFunction(f.name), written);
    else if (!dialect_.serverLibraryCall(out_, f.name, written, kinds))
        throwError(err::Syntax, "Neste banco de dados a função " + std::string(f.name) +
                                    " só pode estar numa coluna da seleção, num termo de ORDER BY ou numa condição de uma seleção, " +
                                    whereInText(tree_.text, e.position, e.a) + ".");
    return {library::resultKind(f, kinds)};
}

std::string_view operatorName(ast::Op op) {
    switch (op) {
    case ast::Op::Mod: return "Mod";
    case ast::Op::IntDiv: return "IntDiv";
    case ast::Op::Power: return "Power";
    case ast::Op::Xor: return "Xor";
    case ast::Op::Eqv: return "Eqv";
    default: return "Imp";
    }
}

// Mod and \ give whole numbers, ^ a double; Xor, Eqv and Imp of two Booleans a Boolean (-1/0),
// of numbers their bits.
Typed ExpressionWriter::jetOperator(const Expr& e) {
    const Index operands[] = {e.first, tree_.nextOf(e.first)};
    std::vector<ValueKind> kinds;
    const std::vector<std::string> written = libraryArguments(operands, kinds);
    dialect_.jetOperator(out_, e.op, operatorName(e.op), written, kinds);
    if (e.op == ast::Op::Power) return {ValueKind::Double};
    const bool logical = e.op == ast::Op::Xor || e.op == ast::Op::Eqv || e.op == ast::Op::Imp;
    // Null beside a Boolean takes its kind.
    const auto boolean = [](ValueKind k) { return k == ValueKind::Boolean || k == ValueKind::Unknown; };
    const bool any = kinds[0] == ValueKind::Boolean || kinds[1] == ValueKind::Boolean;
    return {logical && any && boolean(kinds[0]) && boolean(kinds[1]) ? ValueKind::Boolean : ValueKind::Integer};
}

}  // namespace zelt::jet
