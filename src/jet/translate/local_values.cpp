#include "jet/translate/local_values.hpp"

#include <algorithm>
#include <optional>

#include "jet/library/library.hpp"
#include "jet/parser/syntax_error.hpp"
#include "jet/parser/token.hpp"
#include "jet/translate/sql_text.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/jet/errors.hpp"

namespace zelt::jet {

using ast::Expr;
using ast::Index;

namespace {

bool isCall(const Expr& e, std::string_view name) { return e.kind == Expr::Kind::Call && sameWord(e.a, name); }

// at: the position in the server's row of each value fetched, by the order they were asked for;
// the aggregates of a group follow the server's columns, from aggregatesAt.
void place(LocalValue& v, const std::vector<size_t>& at, size_t aggregatesAt = 0) {
    if (v.kind == LocalValue::Kind::Fetched) v.column = at[v.column];
    if (v.kind == LocalValue::Kind::Aggregate) {
        v.kind = LocalValue::Kind::Fetched;
        v.column += aggregatesAt;
    }
    for (LocalValue& o : v.operands) place(o, at, aggregatesAt);
}

// The aggregates the engine computes over a group's rows (the others are the server's only).
constexpr std::string_view LocalAggregates[] = {"Count", "Sum", "Avg", "Min", "Max", "StDev", "First", "Last"};

}  // namespace

// Numbers of any kind meet in one CASE; text, dates and numbers do not.
int family(ValueKind k) {
    switch (k) {
    case ValueKind::Text: return 1;
    case ValueKind::Date: return 2;
    case ValueKind::Unknown: return 3;
    default: return 0;
    }
}

bool LocalPlanner::mixesKinds(const Expr& call) const {
    if (!probe_ || !(isCall(call, "IIf") || isCall(call, "Switch"))) return false;
    const bool iif = isCall(call, "IIf");
    int seen = -1;
    size_t position = 0;
    for (Index i = call.first; i != ast::None; i = tree_.nextOf(i), ++position) {
        const bool branch = iif ? position > 0 : position % 2 == 1;
        if (!branch) continue;
        if (needed(i)) return true;  // computed here, as text or of its own kinds
        const Typed t = probe_(i);
        if (t.null) continue;
        const int f = family(t.kind);
        if (f == 3 || (seen >= 0 && f != seen)) return true;
        seen = f;
    }
    return false;
}

bool LocalPlanner::needed(Index e) const {
    const Expr& x = tree_[e];
    if (isCall(x, "Format") || mixesKinds(x)) return true;
    if (groups_ && x.kind == Expr::Kind::Call && isAggregate(x.a)) return true;
    if (onServer_ && x.kind == Expr::Kind::Call && library::find(x.a) && !onServer_(e)) return true;
    if (x.kind == Expr::Kind::Column) {
        if (!x.a.empty()) return false;
        for (const Alias& alias : aliases_)
            if (sameWord(alias.name, x.b) && !scope_.resolve(x.a, x.b)) return needed(alias.expr);
        return false;
    }
    for (Index i = x.first; i != ast::None; i = tree_.nextOf(i))
        if (needed(i)) return true;
    return false;
}

LocalValue LocalPlanner::fetched(Index e) {
    LocalValue v;
    v.kind = LocalValue::Kind::Fetched;
    v.column = fetched_.size();
    fetched_.push_back(e);
    return v;
}

LocalValue LocalPlanner::localize(Index e) {
    const Expr& x = tree_[e];
    if (x.kind == Expr::Kind::String) {  // known already: the server need not send it with every row
        LocalValue v;
        v.kind = LocalValue::Kind::Text;
        v.text = sql::unquote(x.a, x.doubleQuoted);
        computed_ = true;
        return v;
    }
    if (!needed(e)) return fetched(e);
    if (x.kind == Expr::Kind::Column) {
        for (const Alias& alias : aliases_)
            if (sameWord(alias.name, x.b)) return localize(alias.expr);
    }
    if (groups_ && x.kind == Expr::Kind::Call && isAggregate(x.a)) return aggregate(x);
    LocalValue v;
    std::vector<Index> args;
    for (Index i = x.first; i != ast::None; i = tree_.nextOf(i)) args.push_back(i);
    if (isCall(x, "Format") && (args.size() == 1 || args.size() == 2)) {
        v.kind = LocalValue::Kind::Format;
        v.operands.push_back(localize(args[0]));
        if (args.size() == 2) {
            v.operands.push_back(localize(args[1]));
        } else {
            v.operands.emplace_back().kind = LocalValue::Kind::Text;
        }
        return v;
    }
    if (isCall(x, "IIf") && args.size() == 3) {
        v.kind = LocalValue::Kind::IIf;
        v.operands.push_back(fetched(args[0]));
        v.operands.push_back(localize(args[1]));
        v.operands.push_back(localize(args[2]));
        return v;
    }
    if (isCall(x, "Switch") && !args.empty() && args.size() % 2 == 0) {
        v.kind = LocalValue::Kind::Switch;
        for (size_t i = 0; i < args.size(); i += 2) {
            v.operands.push_back(fetched(args[i]));
            v.operands.push_back(localize(args[i + 1]));
        }
        return v;
    }
    if (const library::Function* f = x.kind == Expr::Kind::Call ? library::findComputed(x.a) : nullptr) {
        if (static_cast<int>(args.size()) < f->minArgs || static_cast<int>(args.size()) > f->maxArgs)
            wrongArgumentCount(tree_, x);
        v.kind = LocalValue::Kind::Call;
        v.text = f->name;
        computed_ = true;
        for (const Index a : args) v.operands.push_back(localize(a));
        return v;
    }
    if (x.kind == Expr::Kind::Binary && isLibraryOperator(x.op)) {
        v.kind = LocalValue::Kind::Call;
        v.text = operatorName(x.op);
        for (const Index a : args) v.operands.push_back(localize(a));
        return v;
    }
    if (x.kind == Expr::Kind::Binary && (x.op == ast::Op::Concat || x.op == ast::Op::Add)) {
        v.kind = x.op == ast::Op::Concat ? LocalValue::Kind::Concat : LocalValue::Kind::Add;
        auto operands = [&](auto&& self, Index i) -> void {
            const Expr& o = tree_[i];
            if (o.kind == Expr::Kind::Binary && o.op == x.op) {
                self(self, o.first);
                self(self, tree_.nextOf(o.first));
            } else {
                v.operands.push_back(localize(i));
            }
        };
        operands(operands, e);
        return v;
    }
    if (const std::optional<LocalValue> c = condition(e)) return *c;
    throwError(err::Syntax, "Neste banco de dados esta expressão só pode ser calculada numa coluna da seleção, num "
                            "termo de ORDER BY ou numa condição de uma seleção, e dentro de IIf, Switch, Trim, Val, Year, "
                            "Month, Day, &, das comparações, de And, Or, Not, Is Null, Like, Between e In apenas, " +
                                whereInText(tree_.text, x.position, x.a.empty() ? std::string_view("(") : x.a) + ".");
}

LocalValue LocalPlanner::aggregate(const Expr& call) {
    if (insideAggregate_) aggregateRefused(tree_.text, call.position, call.a, "");
    const auto* name = std::find_if(std::begin(LocalAggregates), std::end(LocalAggregates),
                                    [&](std::string_view n) { return sameWord(n, call.a); });
    if (name == std::end(LocalAggregates))
        throwError(err::Syntax, "Neste banco de dados a função " + std::string(call.a) +
                                    " não pode estar numa consulta cujas condições o mecanismo testa, " +
                                    whereInText(tree_.text, call.position, call.a) + ".");
    const Index arg = call.first;
    if (arg == ast::None || tree_.nextOf(arg) != ast::None) wrongArgumentCount(tree_, call);
    LocalAggregate a;
    a.function = *name;
    if (tree_[arg].kind == Expr::Kind::Star) {
        if (*name != "Count") syntaxError(tree_.text, tree_[arg].position, "*");
    } else {
        insideAggregate_ = true;
        a.argument = localize(arg);
        insideAggregate_ = false;
    }
    LocalValue v;
    v.kind = LocalValue::Kind::Aggregate;
    v.column = aggregates_.size();
    aggregates_.push_back(std::move(a));
    return v;
}

// Jet's three-valued conditions over values computed here: Between as both bounds compared, an
// IN list as equalities joined by Or.
std::optional<LocalValue> LocalPlanner::condition(Index e) {
    const Expr& x = tree_[e];
    LocalValue v;
    auto negated = [](LocalValue inner, bool negate) {
        if (!negate) return inner;
        LocalValue n;
        n.kind = LocalValue::Kind::Not;
        n.operands.push_back(std::move(inner));
        return n;
    };
    auto compare = [&](std::string_view op, LocalValue l, LocalValue r) {
        LocalValue c;
        c.kind = LocalValue::Kind::Compare;
        c.text = op;
        c.operands.push_back(std::move(l));
        c.operands.push_back(std::move(r));
        return c;
    };
    switch (x.kind) {
    case Expr::Kind::Binary: {
        static constexpr std::pair<ast::Op, std::string_view> Comparisons[] = {
            {ast::Op::Eq, "="}, {ast::Op::Ne, "<>"}, {ast::Op::Lt, "<"},
            {ast::Op::Gt, ">"}, {ast::Op::Le, "<="}, {ast::Op::Ge, ">="}};
        const Index r = tree_.nextOf(x.first);
        if (x.op == ast::Op::And || x.op == ast::Op::Or) {
            v.kind = x.op == ast::Op::And ? LocalValue::Kind::And : LocalValue::Kind::Or;
            v.operands.push_back(localize(x.first));
            v.operands.push_back(localize(r));
            return v;
        }
        for (const auto& [op, text] : Comparisons)
            if (op == x.op) return compare(text, localize(x.first), localize(r));
        return std::nullopt;
    }
    case Expr::Kind::Not:
        return negated(localize(x.first), true);
    case Expr::Kind::IsNull:
        v.kind = LocalValue::Kind::IsNull;
        v.operands.push_back(localize(x.first));
        return negated(std::move(v), x.negated);
    case Expr::Kind::Like:
        v.kind = LocalValue::Kind::Like;
        v.operands.push_back(localize(x.first));
        v.operands.push_back(localize(tree_.nextOf(x.first)));
        return negated(std::move(v), x.negated);
    case Expr::Kind::Between: {
        const LocalValue value = localize(x.first);
        const Index low = tree_.nextOf(x.first);
        v.kind = LocalValue::Kind::And;
        v.operands.push_back(compare(">=", value, localize(low)));
        v.operands.push_back(compare("<=", value, localize(tree_.nextOf(low))));
        return negated(std::move(v), x.negated);
    }
    case Expr::Kind::In: {
        if (x.query != ast::None) return std::nullopt;
        const LocalValue value = localize(x.first);
        v.kind = LocalValue::Kind::Or;
        for (Index i = tree_.nextOf(x.first); i != ast::None; i = tree_.nextOf(i))
            v.operands.push_back(compare("=", value, localize(i)));
        return negated(std::move(v), x.negated);
    }
    default: return std::nullopt;
    }
}

// Format and & give text; IIf and Switch the common kind of their branches; conditions Booleans.
static ValueKind kindOf(const LocalValue& v, const std::vector<ValueKind>& fetched) {
    switch (v.kind) {
    case LocalValue::Kind::Fetched: return v.column < fetched.size() ? fetched[v.column] : ValueKind::Unknown;
    case LocalValue::Kind::Text:
    case LocalValue::Kind::Format:
    case LocalValue::Kind::Concat: return ValueKind::Text;
    case LocalValue::Kind::Add: return ValueKind::Unknown;  // a text or a number, row by row
    case LocalValue::Kind::Call: {
        const library::Function* f = library::findComputed(v.text);
        std::vector<ValueKind> kinds;
        for (const LocalValue& o : v.operands) kinds.push_back(kindOf(o, fetched));
        return library::resultKind(f ? *f : library::operatorFunction(v.text), kinds);
    }
    case LocalValue::Kind::Compare:
    case LocalValue::Kind::And:
    case LocalValue::Kind::Or:
    case LocalValue::Kind::Not:
    case LocalValue::Kind::IsNull:
    case LocalValue::Kind::Like: return ValueKind::Boolean;
    case LocalValue::Kind::Aggregate: return ValueKind::Unknown;  // placed as a fetched value
    case LocalValue::Kind::IIf:
    case LocalValue::Kind::Switch: break;
    }
    const size_t step = v.kind == LocalValue::Kind::IIf ? 1 : 2;
    ValueKind kind = ValueKind::Unknown;
    for (size_t i = 1; i < v.operands.size(); i += step) {
        const ValueKind k = kindOf(v.operands[i], fetched);
        if (i == 1) kind = k;
        else if (k != kind) return ValueKind::Unknown;
    }
    return kind;
}

void LocalPlanner::writeFetched(ExpressionWriter& w, std::string& out, Query& q, bool first,
                                std::vector<ValueKind> before) {
    const size_t offset = before.size();
    q.fetched = std::move(before);
    std::vector<size_t> at;
    std::vector<std::string> sent;  // the server's text of each value, sent once however often used
    w.allowAliases(&aliases_);  // an ORDER BY term may name a selected column
    for (const Index e : fetched_) {
        const size_t mark = out.size();
        if (!first) out += ", ";
        const size_t start = out.size();
        const Operand o = w.argument(e);
        const std::string text = out.substr(start);
        if (const auto same = std::find(sent.begin(), sent.end(), text); same != sent.end()) {
            out.resize(mark);
            at.push_back(offset + static_cast<size_t>(same - sent.begin()));
            continue;
        }
        first = false;
        at.push_back(offset + sent.size());
        q.fetched.push_back(o.typed.null ? ValueKind::Unknown : o.typed.kind);
        out += " AS ";
        sql::appendIdentifier(out, "jet_valor" + std::to_string(sent.size()));
        sent.push_back(text);
    }
    w.allowAliases(nullptr);
    if (fetched_.empty()) {  // the server still sends the rows
        out += first ? "1 AS " : ", 1 AS ";
        sql::appendIdentifier(out, "jet_valor0");
        q.fetched.push_back(ValueKind::Integer);
    }
    // A group's row: the server's columns, then its aggregates, of their kinds.
    std::vector<ValueKind> kinds = q.fetched;
    const size_t aggregatesAt = kinds.size();
    for (LocalAggregate& a : aggregates_) {
        if (a.argument) place(*a.argument, at);
        const ValueKind argument = a.argument ? kindOf(*a.argument, q.fetched) : ValueKind::Integer;
        kinds.push_back(a.function == "Count"                             ? ValueKind::Integer
                        : a.function == "Avg" || a.function == "StDev"   ? ValueKind::Double
                        : a.function == "Sum" && argument == ValueKind::Boolean ? ValueKind::Integer
                                                                          : argument);
    }
    q.aggregates = std::move(aggregates_);
    for (ResultColumn& c : q.columns)
        if (c.local) {
            auto placed = std::make_shared<LocalValue>(*c.local);
            place(*placed, at, aggregatesAt);
            c.kind = kindOf(*placed, kinds);
            c.local = std::move(placed);
        }
    for (LocalTerm& t : q.order) place(t.value, at, aggregatesAt);
    if (q.filter) place(*q.filter, at);
    for (LocalValue& g : q.groups) place(g, at);
    if (q.having) place(*q.having, at, aggregatesAt);
}

}  // namespace zelt::jet
