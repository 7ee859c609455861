// Money and Booleans where values meet.
//
// A money column holds its amount in ten-thousandths as an integer, as Jet's Currency does, so that
// sums and comparisons are exact; every expression of money kind yields that integer, and where
// money meets another kind it is decided here which side converts: a literal number becomes
// ten-thousandths exactly from its text, a whole number is multiplied, anything else goes through
// jet_ccur, and where the result is not money the amount is unscaled to a double.
//
// A Boolean is Jet's -1/0 in columns and literals, while conditions (SQLite's 1/0, a boolean
// elsewhere) become -1/0 wherever their value, not only their truth, counts. An engine that holds
// money as its amount (Dialect::scalesMoney) needs none of the money conversions.
#include "jet/translate/expression_writer.hpp"

#include "zelt/automation/currency.hpp"
#include "zelt/automation/error.hpp"

namespace zelt::jet {

using ast::Expr;
using ast::Index;
using ast::Op;

namespace {

bool isWhole(ValueKind k) {
    return k == ValueKind::Integer || k == ValueKind::SmallInt || k == ValueKind::Byte || k == ValueKind::Boolean;
}

// + - * between numbers other than money.
ValueKind numericResult(Op op, ValueKind l, ValueKind r) {
    if ((op == Op::Add || op == Op::Sub) && (l == ValueKind::Date) != (r == ValueKind::Date)) return ValueKind::Date;
    if (isWhole(l) && isWhole(r)) return ValueKind::Integer;
    return ValueKind::Double;
}

// The kind of either branch; Null takes the other's.
Typed common(Typed a, Typed b) {
    if (a.null) return b;
    if (b.null) return a;
    if (a.kind == b.kind) return a;
    const auto number = [](ValueKind k) { return isWhole(k) || k == ValueKind::Double; };
    if (number(a.kind) && number(b.kind)) return {ValueKind::Double};
    return {ValueKind::Unknown};
}

}  // namespace

bool ExpressionWriter::isNumberLiteral(Index e) const {
    if (e == ast::None) return false;
    const Expr& x = tree_[e];
    if (x.kind == Expr::Kind::Negate) return isNumberLiteral(x.first);
    return x.kind == Expr::Kind::Number;
}

// A literal number, with its sign, as ten-thousandths; nothing for other expressions.
std::optional<Currency> ExpressionWriter::literalAmount(Index e, bool* rounded) const {
    if (!isNumberLiteral(e)) return std::nullopt;
    bool negative = false;
    for (; tree_[e].kind == Expr::Kind::Negate; e = tree_[e].first) negative = !negative;
    const auto amount = Currency::parse((negative ? "-" : "") + std::string(tree_[e].a), rounded);
    if (!amount) throwError(err::Overflow);
    return amount;
}

Operand ExpressionWriter::operand(Index e, Precedence parent, bool right) {
    const size_t begin = out_.size();
    const Typed t = writeOperand(e, parent, right);
    return {e, begin, out_.size(), t};
}

Operand ExpressionWriter::argument(Index e) {
    const size_t begin = out_.size();
    const Typed t = write(e);
    return {e, begin, out_.size(), t};
}

void ExpressionWriter::reform(Operand& o, Form form) {
    Typed& t = o.typed;
    // before + the operand (enclosed when it binds more loosely than inner) + after.
    auto wrap = [&](std::string_view before, std::string_view after, Precedence inner, Precedence result) {
        const bool enclose = t.precedence < inner;
        std::string head(before);
        if (enclose) head += '(';
        out_.insert(o.begin, head);
        o.end += head.size();
        std::string tail = enclose ? ")" : "";
        tail += after;
        out_.insert(o.end, tail);
        o.end += tail.size();
        t.precedence = result;
    };
    if (t.kind == ValueKind::Boolean && t.condition) rewrite(o, [&](std::string& piece, Typed& typed) {
        dialect_.asValue(piece, typed);
    });
    if (!dialect_.scalesMoney()) return;
    if (form == Form::Money && t.kind != ValueKind::Money && isNumberLiteral(o.node)) {
        const auto amount = literalAmount(o.node, nullptr);
        const std::string raw = std::to_string(amount->raw());
        out_.replace(o.begin, o.end - o.begin, raw);
        o.end = o.begin + raw.size();
        t = {ValueKind::Money, false, amount->raw() < 0 ? Precedence::Unary : Precedence::Atom};
        return;
    }
    if (form == Form::Money && t.kind != ValueKind::Money) {
        if (isWhole(t.kind)) wrap("(", " * 10000)", Precedence::Multiplicative, Precedence::Atom);
        else wrap("jet_ccur(", ")", Precedence::Or, Precedence::Atom);
        t.kind = ValueKind::Money;
    } else if (form == Form::Double && t.kind == ValueKind::Money) {
        wrap("(", " / 10000.0)", Precedence::Multiplicative, Precedence::Atom);
        t.kind = ValueKind::Double;
    }
}

// Jet's kinds: money plus or minus any number stays money, as does money times a whole number;
// money times a double or money, and every quotient, are doubles.
Typed ExpressionWriter::arithmetic(Op op, Operand& l, Operand& r, Precedence p) {
    const ValueKind a = l.typed.kind, b = r.typed.kind;
    const bool money = a == ValueKind::Money || b == ValueKind::Money;
    Form form = Form::Value;
    ValueKind result;
    if (!isNumeric(a) || !isNumeric(b)) {
        form = Form::Double;
        result = ValueKind::Unknown;
    } else if (op == Op::Div || ((op == Op::Add || op == Op::Sub) && (a == ValueKind::Date) != (b == ValueKind::Date))) {
        form = Form::Double;
        result = op == Op::Div ? ValueKind::Double : ValueKind::Date;
    } else if (!money) {
        result = numericResult(op, a, b);
    } else if (op != Op::Mul) {
        form = Form::Money;
        result = ValueKind::Money;
    } else if (isWhole(a) || isWhole(b)) {
        result = ValueKind::Money;  // ten-thousandths times a whole number are still ten-thousandths
    } else {
        form = Form::Double;
        result = ValueKind::Double;
    }
    convert(r, form);
    const size_t before = out_.size();
    convert(l, form);
    r.begin += out_.size() - before;  // l comes first: what it gained moved r
    r.end += out_.size() - before;
    if ((op == Op::Add || op == Op::Sub) && (a == ValueKind::Date || b == ValueKind::Date)) {
        // The text between the operands is the operator the caller wrote.
        const std::string whole = dialect_.dateArithmetic(op, std::string_view(out_).substr(l.begin, l.end - l.begin),
                                                          std::string_view(out_).substr(r.begin, r.end - r.begin),
                                                          l.typed, r.typed);
        if (!whole.empty()) {
            out_.replace(l.begin, r.end - l.begin, whole);
            return {result, false, Precedence::Atom};
        }
    }
    return {result, false, p};
}

// Values that become ten-thousandths without rounding: 4.99999 compares as a double.
bool ExpressionWriter::exactAsMoney(const Operand& o) const {
    if (o.typed.null || o.typed.kind == ValueKind::Money || isWhole(o.typed.kind)) return true;
    bool rounded = false;
    return literalAmount(o.node, &rounded) && !rounded;
}

// Money compared with a whole number or a literal compares in ten-thousandths; with anything else,
// as doubles.
void ExpressionWriter::compared(Operand& l, Operand& r) {
    Form form = Form::Value;
    if (l.typed.kind == ValueKind::Money || r.typed.kind == ValueKind::Money)
        form = exactAsMoney(l) && exactAsMoney(r) ? Form::Money : Form::Double;
    convert(r, form);
    convert(l, form);
}

void ExpressionWriter::bounded(Operand& value, Operand& low, Operand& high) {
    Form form = Form::Value;
    Operand* all[] = {&value, &low, &high};
    bool money = false, exact = true;
    for (const Operand* o : all) money = money || o->typed.kind == ValueKind::Money;
    for (const Operand* o : all) exact = exact && (!money || exactAsMoney(*o));
    if (money) form = exact ? Form::Money : Form::Double;
    convert(high, form);
    convert(low, form);
    convert(value, form);
}

Typed ExpressionWriter::branches(Operand* first, size_t count) {
    bool money = false, exact = true;
    for (size_t i = 0; i < count; ++i) money = money || first[i].typed.kind == ValueKind::Money;
    for (size_t i = 0; i < count && money; ++i) exact = exact && exactAsMoney(first[i]);
    const Form form = !money ? Form::Value : exact ? Form::Money : Form::Double;
    Typed kind{ValueKind::Unknown, true};
    for (size_t i = count; i-- > 0;) {
        convert(first[i], form);
        kind = common(first[i].typed, kind);
    }
    if (kind.null) return {ValueKind::Unknown};
    return {kind.kind};
}

}  // namespace zelt::jet
