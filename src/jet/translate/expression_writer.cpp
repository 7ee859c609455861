#include "jet/translate/expression_writer.hpp"

#include <algorithm>
#include <optional>

#include "jet/parser/syntax_error.hpp"
#include "jet/parser/token.hpp"
#include "jet/translate/sql_text.hpp"
#include "zelt/automation/regional.hpp"

namespace zelt::jet {

using ast::Expr;
using ast::Index;
using ast::Op;

ValueKind kindOf(ColumnKind kind) {
    switch (kind) {
    case ColumnKind::Counter:
    case ColumnKind::Number: return ValueKind::Integer;
    case ColumnKind::Double: return ValueKind::Double;
    case ColumnKind::Money: return ValueKind::Money;
    case ColumnKind::Text:
    case ColumnKind::Memo: return ValueKind::Text;
    case ColumnKind::YesNo: return ValueKind::Boolean;
    case ColumnKind::Date:
    case ColumnKind::DateTime: return ValueKind::Date;
    }
    return ValueKind::Unknown;
}

bool isNumeric(ValueKind kind) {
    return kind == ValueKind::Integer || kind == ValueKind::SmallInt || kind == ValueKind::Byte ||
           kind == ValueKind::Double || kind == ValueKind::Money ||
           kind == ValueKind::Boolean || kind == ValueKind::Date;
}

namespace {

bool integerLiteral(std::string_view text) {
    if (text.find_first_of(".eE") != std::string_view::npos || text.size() > 10) return false;
    return std::stoll(std::string(text)) <= 2147483647LL;
}

// The value of a number or date literal, with its signs.
std::optional<double> numericLiteral(const ast::Tree& tree, Index i) {
    const Expr& e = tree[i];
    if (e.kind == Expr::Kind::Date) return e.number;
    if (e.kind == Expr::Kind::Number) return regional::plainDecimal(e.a);
    if (e.kind == Expr::Kind::Negate)
        if (const auto n = numericLiteral(tree, e.first)) return -*n;
    return std::nullopt;
}

// Whether i is a date literal, under any number of minus signs.
bool dateUnderSigns(const ast::Tree& tree, Index i) {
    while (tree[i].kind == Expr::Kind::Negate) i = tree[i].first;
    return tree[i].kind == Expr::Kind::Date;
}

// Whether the first literal is at most the second; nothing when either is not a literal of the same kind.
std::optional<bool> literalsInOrder(const ast::Tree& tree, Index first, Index second) {
    const Expr &a = tree[first], &b = tree[second];
    if (a.kind == Expr::Kind::String && b.kind == Expr::Kind::String)
        return regional::compareText(sql::unquote(a.a, a.doubleQuoted), sql::unquote(b.a, b.doubleQuoted)) <= 0;
    const auto x = numericLiteral(tree, first), y = numericLiteral(tree, second);
    if (x && y) return *x <= *y;
    return std::nullopt;
}

}  // namespace

void ExpressionWriter::parenthesize(size_t mark) {
    out_.insert(mark, 1, '(');
    out_ += ')';
}

Typed ExpressionWriter::writeAtom(Index e) {
    const size_t mark = out_.size();
    Typed t = write(e);
    if (t.precedence != Precedence::Atom) {
        parenthesize(mark);
        t.precedence = Precedence::Atom;
    }
    return t;
}

Typed ExpressionWriter::writeTerm(Index e, Dialect::TextUse use) {
    const size_t mark = out_.size();
    Typed t = write(e);
    // The engines read a whole number there as the position of a result column; Jet as a constant.
    if (out_.find_first_not_of("0123456789-()", mark) == std::string::npos) {
        out_ += " + 0";
        t.precedence = Precedence::Additive;
    }
    if (!isNumeric(t.kind) && !t.null) dialect_.collate(out_, mark, t, use);
    return t;
}

Typed ExpressionWriter::writeCondition(Index e) {
    Operand o = argument(e);
    rewrite(o, [&](std::string& piece, Typed& t) { dialect_.asCondition(piece, t); });
    return o.typed;
}

Typed ExpressionWriter::writeOperand(Index e, Precedence parent, bool right) {
    const size_t mark = out_.size();
    Typed t = write(e);
    // Comparisons do not chain the same way in both dialects, so a comparison inside another is
    // always enclosed.
    if (t.precedence < parent || (t.precedence == parent && (right || parent == Precedence::Comparison))) {
        parenthesize(mark);
        t.precedence = Precedence::Atom;
    }
    return t;
}

// Text compared or bounded is compared as a Portuguese reader expects (case-insensitive); the
// collation is left off where a number is involved, so that SQLite keeps using its indexes.
void ExpressionWriter::collateUnlessNumeric(size_t mark, Typed written, Typed other) {
    if (isNumeric(written.kind) || isNumeric(other.kind)) return;
    dialect_.collate(out_, mark, written, Dialect::TextUse::Compare);
}

Typed ExpressionWriter::comparison(const char* op, Index l, Index r) {
    Operand left = operand(l, Precedence::Comparison, false);
    out_ += op;
    Operand right = argument(r);
    if (!isNumeric(right.typed.kind) && !isNumeric(left.typed.kind)) {
        collateUnlessNumeric(right.begin, right.typed, left.typed);
    } else if (right.typed.precedence <= Precedence::Comparison) {
        parenthesize(right.begin);
        right.typed.precedence = Precedence::Atom;
    }
    right.end = out_.size();
    compared(left, right);
    return {ValueKind::Boolean, false, Precedence::Comparison, true};
}

Typed ExpressionWriter::column(const Expr& e) {
    if (const ResolvedColumn c = scope_.resolve(e.a, e.b)) {
        sql::appendColumn(out_, c.qualifier, c.column->name);
        return {c.kind};
    }
    if (aliases_) {
        for (const Alias& alias : *aliases_) {
            if (!sameWord(alias.name, e.b)) continue;
            const std::vector<Alias>* saved = aliases_;
            aliases_ = nullptr;  // an alias never names itself
            const Typed t = writeAtom(alias.expr);
            aliases_ = saved;
            return t;
        }
    }
    missingColumn(e.b, "nas tabelas da instrução");
}

ExpressionWriter::Piece ExpressionWriter::piece(Index e) {
    const size_t mark = out_.size();
    Piece p;
    p.typed = write(e);
    p.text = out_.substr(mark);
    out_.resize(mark);
    return p;
}

Operand ExpressionWriter::placed(Index e, const Piece& p) {
    const size_t begin = out_.size();
    out_ += p.text;
    return {e, begin, out_.size(), p.typed};
}

namespace {

// Whether a value can never be Null: a literal, a concatenation with such an operand, an IIf whose
// branches both are.
bool neverNull(const ast::Tree& tree, const Expr& x) {
    switch (x.kind) {
    case Expr::Kind::Number:
    case Expr::Kind::String:
    case Expr::Kind::Date:
    case Expr::Kind::Boolean: return true;
    case Expr::Kind::Binary:
        return x.op == Op::Concat && (neverNull(tree, tree[x.first]) || neverNull(tree, tree[tree.nextOf(x.first)]));
    case Expr::Kind::Call: {
        if (!sameWord(x.a, "IIf") || x.first == ast::None) return false;
        const Index whenTrue = tree.nextOf(x.first);
        const Index whenFalse = whenTrue == ast::None ? ast::None : tree.nextOf(whenTrue);
        return whenFalse != ast::None && tree.nextOf(whenFalse) == ast::None && neverNull(tree, tree[whenTrue]) &&
               neverNull(tree, tree[whenFalse]);
    }
    default: return false;
    }
}

}  // namespace

Typed ExpressionWriter::concatenation(const Expr& e) {
    // a & b & c becomes one call: Null reads as empty text (all Null is Null), numbers and dates in
    // their regional text.
    sql::ArgumentList list(out_, dialect_.concatFunction(neverNull(tree_, e)));
    auto operands = [&](auto&& self, Index i) -> void {
        const Expr& x = tree_[i];
        if (x.kind == Expr::Kind::Binary && x.op == Op::Concat) {
            self(self, x.first);
            self(self, tree_.nextOf(x.first));
            return;
        }
        list.next();
        Operand o = argument(i);
        convert(o, Form::Double);
        rewrite(o, [&](std::string& piece, Typed& t) { dialect_.concatOperand(piece, t); });
    };
    operands(operands, e.first);
    operands(operands, tree_.nextOf(e.first));
    list.close();
    return {ValueKind::Text};
}

// Jet's +: numbers add; texts concatenate, Null making Null; a text beside a number is read as a
// number. Where the kinds are known SQLite's + or || does it, otherwise jet_add row by row. A chain
// a + b + c is written at once, so that it never nests calls.
Typed ExpressionWriter::addition(const Expr& e) {
    std::vector<Index> operands;
    for (const Expr* x = &e;;) {
        operands.push_back(tree_.nextOf(x->first));
        const Expr& left = tree_[x->first];
        if (left.kind != Expr::Kind::Binary || left.op != Op::Add) {
            operands.push_back(x->first);
            break;
        }
        x = &left;
    }
    std::reverse(operands.begin(), operands.end());
    std::vector<Piece> pieces;
    pieces.reserve(operands.size());
    bool numbers = true, texts = true, known = true;
    for (const Index i : operands) {
        pieces.push_back(piece(i));
        const Typed t = pieces.back().typed;
        if (t.null) continue;
        numbers = numbers && isNumeric(t.kind);
        texts = texts && t.kind == ValueKind::Text;
        known = known && t.kind != ValueKind::Unknown;
    }
    if (numbers) {
        // Added pair by pair, so that money meets each other kind as arithmetic decides.
        Operand sum;
        for (size_t i = 0; i < pieces.size(); ++i) {
            if (i) out_ += " + ";
            Operand o = placed(operands[i], pieces[i]);
            if (o.typed.precedence < Precedence::Additive || (i && o.typed.precedence == Precedence::Additive)) {
                parenthesize(o.begin);
                o.typed.precedence = Precedence::Atom;
                o.end = out_.size();
            }
            if (i == 0) {
                sum = o;
                continue;
            }
            const Typed t = arithmetic(Op::Add, sum, o, Precedence::Additive);
            sum = {ast::None, sum.begin, out_.size(), t};
        }
        return sum.typed;
    }
    if (texts) {
        for (size_t i = 0; i < pieces.size(); ++i) {
            if (i) out_ += " || ";
            const size_t mark = out_.size();
            out_ += pieces[i].text;
            const Precedence written = pieces[i].typed.precedence;
            if (written < Precedence::Concatenation || (i && written == Precedence::Concatenation)) parenthesize(mark);
        }
        return {ValueKind::Text, false, Precedence::Concatenation};
    }
    // jet_add reads each value as Jet holds it: money as its amount, True as -1.
    std::vector<std::string> arguments;
    std::vector<ValueKind> kinds;
    bool date = false;
    for (size_t i = 0; i < pieces.size(); ++i) {
        const size_t mark = out_.size();
        Operand o = placed(operands[i], pieces[i]);
        convert(o, Form::Double);
        arguments.push_back(out_.substr(mark));
        kinds.push_back(o.typed.null ? ValueKind::Unknown : o.typed.kind);
        out_.resize(mark);
        date = date || o.typed.kind == ValueKind::Date;
    }
    dialect_.mixedAddition(out_, arguments, kinds);
    return {known ? (date ? ValueKind::Date : ValueKind::Double) : ValueKind::Unknown};
}

// Jet takes the bounds in either order. Literals are put in order here; other bounds are left to
// jet_between, which writes each operand once and gives Null when any is Null, as Between does.
Typed ExpressionWriter::between(const Expr& e) {
    const Index low = tree_.nextOf(e.first), high = tree_.nextOf(low);
    const auto inOrder = literalsInOrder(tree_, low, high);
    if (!inOrder) {
        std::vector<std::string> arguments;
        std::vector<ValueKind> kinds;
        for (const Index i : {e.first, low, high}) {
            const size_t mark = out_.size();
            Operand o = argument(i);
            convert(o, Form::Double);
            arguments.push_back(out_.substr(mark));
            kinds.push_back(o.typed.null ? ValueKind::Unknown : o.typed.kind);
            out_.resize(mark);
        }
        dialect_.unorderedBetween(out_, e.negated, arguments, kinds);
        return {ValueKind::Boolean, false, e.negated ? Precedence::Not : Precedence::Atom, true};
    }
    const Index lowest = *inOrder ? low : high, highest = *inOrder ? high : low;
    Operand value = operand(e.first, Precedence::Comparison, false);
    out_ += e.negated ? " NOT BETWEEN " : " BETWEEN ";
    size_t mark = out_.size();
    Typed t = writeAtom(lowest);
    collateUnlessNumeric(mark, t, value.typed);
    Operand from{lowest, mark, out_.size(), t};
    out_ += " AND ";
    mark = out_.size();
    t = writeAtom(highest);
    collateUnlessNumeric(mark, t, value.typed);
    Operand to{highest, mark, out_.size(), t};
    bounded(value, from, to);
    return {ValueKind::Boolean, false, Precedence::Comparison, true};
}

Typed ExpressionWriter::binary(const Expr& e) {
    const Index l = e.first, r = tree_.nextOf(e.first);
    switch (e.op) {
    case Op::Or:
    case Op::And: {
        const Precedence p = e.op == Op::Or ? Precedence::Or : Precedence::And;
        const auto condition = [&](std::string& piece, Typed& t) { dialect_.asCondition(piece, t); };
        Operand left = operand(l, p, false);
        rewrite(left, condition);
        out_ += e.op == Op::Or ? " OR " : " AND ";
        Operand right = operand(r, p, true);
        rewrite(right, condition);
        return {ValueKind::Boolean, false, p, true};
    }
    case Op::Eq: return comparison(" = ", l, r);
    case Op::Ne: return comparison(" <> ", l, r);
    case Op::Lt: return comparison(" < ", l, r);
    case Op::Gt: return comparison(" > ", l, r);
    case Op::Le: return comparison(" <= ", l, r);
    case Op::Ge: return comparison(" >= ", l, r);
    case Op::Mod:
    case Op::IntDiv:
    case Op::Power:
    case Op::Xor:
    case Op::Eqv:
    case Op::Imp: return jetOperator(e);
    case Op::Concat: return concatenation(e);
    case Op::Add: return addition(e);
    case Op::Sub:
    case Op::Mul:
    case Op::Div: {
        const Precedence p = e.op == Op::Sub ? Precedence::Additive : Precedence::Multiplicative;
        if (e.op == Op::Div) {
            // Jet divides as doubles, and a division by zero is an error, not Null.
            const Dialect::Call division = dialect_.division();
            out_ += division.open;
            Operand dividend = argument(l);
            out_ += division.afterFirst;
            out_ += division.separator;
            Operand divisor = argument(r);
            out_ += division.close;
            return arithmetic(e.op, dividend, divisor, Precedence::Atom);
        }
        Operand left = operand(l, p, false);
        out_ += e.op == Op::Sub ? " - " : " * ";
        Operand right = operand(r, p, true);
        return arithmetic(e.op, left, right, p);
    }
    }
    return {};
}

Typed ExpressionWriter::write(Index i) {
    const Expr& e = tree_[i];
    switch (e.kind) {
    case Expr::Kind::Column: return column(e);
    case Expr::Kind::Number:
        out_ += e.a;
        return {integerLiteral(e.a) ? ValueKind::Integer : ValueKind::Double};
    case Expr::Kind::String:
        sql::appendString(out_, e.a, e.doubleQuoted);
        return {ValueKind::Text};
    case Expr::Kind::Date:
        dialect_.dateLiteral(out_, e.number);
        return {ValueKind::Date};
    case Expr::Kind::Boolean:
        // Jet's True is -1.
        out_ += e.number != 0 ? "-1" : "0";
        return {ValueKind::Boolean, false, e.number != 0 ? Precedence::Unary : Precedence::Atom};
    case Expr::Kind::Null:
        out_ += "NULL";
        return {ValueKind::Unknown, true};
    case Expr::Kind::Now:
        dialect_.now(out_);
        return {ValueKind::Date};
    case Expr::Kind::Star: syntaxError(tree_.text, e.position, "*");
    case Expr::Kind::Not: {
        out_ += "NOT ";
        Operand o = operand(e.first, Precedence::Not, false);
        rewrite(o, [&](std::string& piece, Typed& t) { dialect_.asCondition(piece, t); });
        return {ValueKind::Boolean, false, Precedence::Not, true};
    }
    case Expr::Kind::Negate: {
        // A negated date literal is the date of the negated serial, written as a literal: a
        // server has no minus for its dates.
        if (const auto serial = numericLiteral(tree_, e.first); serial && dateUnderSigns(tree_, e.first)) {
            dialect_.dateLiteral(out_, -*serial);
            return {ValueKind::Date};
        }
        // Anything but an atom is enclosed, and an atom never begins with a sign: the minus can
        // never meet another one and begin a comment.
        out_ += '-';
        Operand o = operand(e.first, Precedence::Unary, true);
        convert(o, Form::Value);
        if (out_[o.begin] == '-') parenthesize(o.begin);
        // -True is 1, a whole number.
        return {o.typed.kind == ValueKind::Boolean ? ValueKind::SmallInt : o.typed.kind, false, Precedence::Unary};
    }
    case Expr::Kind::Binary: return binary(e);
    case Expr::Kind::Between: return between(e);
    case Expr::Kind::IsNull:
        writeOperand(e.first, Precedence::Comparison, false);
        out_ += e.negated ? " IS NOT NULL" : " IS NULL";
        return {ValueKind::Boolean, false, Precedence::Comparison, true};
    case Expr::Kind::Like: {
        Operand value = operand(e.first, Precedence::Comparison, false);
        convert(value, Form::Double);
        const Expr& pattern = tree_[tree_.nextOf(e.first)];
        if (pattern.kind == Expr::Kind::String &&
            dialect_.likeLiteral(out_, value.begin, value.typed, e.negated, sql::unquote(pattern.a, pattern.doubleQuoted)))
            return {ValueKind::Boolean, false, Precedence::Comparison, true};
        dialect_.likeOperator(out_, value.begin, value.typed, e.negated);
        writeOperand(tree_.nextOf(e.first), Precedence::Comparison, true);
        dialect_.likeEnd(out_);
        return {ValueKind::Boolean, false, Precedence::Comparison, true};
    }
    case Expr::Kind::Call: return call(e);
    case Expr::Kind::In: return e.query == ast::None ? inList(e) : selection(e);
    case Expr::Kind::Subquery:
    case Expr::Kind::Exists:
    case Expr::Kind::Quantified: return selection(e);
    }
    return {};
}

}  // namespace zelt::jet
