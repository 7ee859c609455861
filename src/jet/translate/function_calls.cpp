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

// The kind of either branch; Null takes the other's.
Typed common(Typed a, Typed b) {
    if (a.null) return b;
    if (b.null) return a;
    if (a.kind == b.kind) return a;
    const auto number = [](ValueKind k) { return k == ValueKind::Integer || k == ValueKind::Double; };
    if (number(a.kind) && number(b.kind)) return {ValueKind::Double};
    return {ValueKind::Unknown};
}

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
        const Typed a = write(args[1]);
        out_ += " ELSE ";
        const Typed b = write(args[2]);
        out_ += " END";
        return common(a, b);
    }
    if (sameWord(e.a, "Switch")) {
        // Null when no condition holds, as CASE without ELSE gives.
        if (n == 0 || n % 2 != 0) wrongCount();
        out_ += "CASE";
        Typed kind{ValueKind::Unknown, true};
        for (int i = 0; i < n; i += 2) {
            out_ += " WHEN ";
            write(args[static_cast<size_t>(i)]);
            out_ += " THEN ";
            kind = common(kind, write(args[static_cast<size_t>(i) + 1]));
        }
        out_ += " END";
        if (kind.null) kind = {ValueKind::Unknown};
        return kind;
    }
    if (sameWord(e.a, "IsNull")) {
        if (n != 1) wrongCount();
        out_ += '(';
        const size_t mark = out_.size();
        if (write(args[0]).precedence <= Precedence::Comparison) parenthesize(mark);
        out_ += " IS NULL)";
        return {ValueKind::Boolean};
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
            Typed first{};
            for (int i = 0; i < n; ++i) {
                if (i > 0) out_ += ", ";
                const Typed t = write(args[static_cast<size_t>(i)]);
                if (i == 0) first = t;
            }
            if (f.sql == "jet_format" && n == 1) out_ += ", ''";
            out_ += ')';
            return first;
        };
        const Typed first = f.aggregate ? aggregate(e, writeCall) : writeCall();
        switch (f.result) {
        case Result::Text: return {ValueKind::Text};
        case Result::Double: return {ValueKind::Double};
        case Result::Integer: return {ValueKind::Integer};
        case Result::Date: return {ValueKind::Date};
        case Result::SameAsArgument: return {first.null ? ValueKind::Unknown : first.kind};
        }
    }
    throwError(err::Syntax, "Função '" + std::string(e.a) + "' não definida na expressão, " +
                                whereInText(tree_.text, e.position, e.a) + ".");
}

}  // namespace zelt::jet
