// Jet's functions: the engine registers the jet_* functions under these names and arities.
#include <array>

#include "jet/parser/syntax_error.hpp"
#include "jet/parser/token.hpp"
#include "jet/translate/expression_writer.hpp"
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
    std::string_view sql;
    int minArgs, maxArgs;
    Result result;
    bool aggregate = false;
};

// Plain calls: the arguments pass through in order.
constexpr Function Functions[] = {
    {"Format", "jet_format", 1, 2, Result::Text},  {"Trim", "jet_trim", 1, 1, Result::Text},
    {"Val", "jet_val", 1, 1, Result::Double},      {"Mid", "jet_mid", 2, 3, Result::Text},
    {"Day", "jet_day", 1, 1, Result::Integer},     {"Month", "jet_month", 1, 1, Result::Integer},
    {"Year", "jet_year", 1, 1, Result::Integer},   {"Now", "jet_now", 0, 0, Result::Date},
    {"Sum", "sum", 1, 1, Result::SameAsArgument, true},  {"Min", "min", 1, 1, Result::SameAsArgument, true},
    {"Max", "max", 1, 1, Result::SameAsArgument, true},  {"Avg", "avg", 1, 1, Result::Double, true},
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

Typed ExpressionWriter::call(const Expr& e) {
    auto wrongCount = [&]() {
        throwError(err::Syntax, "Número incorreto de argumentos usados com a função '" + std::string(e.a) +
                                    "' na expressão, " + whereInText(tree_.text, e.position, e.a) + ".");
    };
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
        write(args[0]);
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
            write(args[static_cast<size_t>(i)]);
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
            out_ += f.sql;
            out_ += '(';
            // Sums, minima and maxima of money stay in ten-thousandths, and Format takes an amount
            // as one (the third argument says so); other functions see an amount as a double.
            const bool keepsMoney = f.result == Result::SameAsArgument || f.sql == "jet_format";
            Typed first{};
            for (int i = 0; i < n; ++i) {
                if (i > 0) out_ += ", ";
                Operand o = argument(args[static_cast<size_t>(i)]);
                convert(o, i == 0 && keepsMoney ? Form::Value : Form::Double);
                if (i == 0) first = o.typed;
            }
            if (f.sql == "jet_format" && n == 1) out_ += ", ''";
            if (f.sql == "jet_format" && first.kind == ValueKind::Money) out_ += ", 1";
            out_ += ')';
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
            if (first.kind == ValueKind::Boolean && f.sql == "sum") return {ValueKind::Integer};
            return {first.kind};
        }
    }
    throwError(err::Syntax, "Função '" + std::string(e.a) + "' não definida na expressão, " +
                                whereInText(tree_.text, e.position, e.a) + ".");
}

}  // namespace zelt::jet
