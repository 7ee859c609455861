#include "jet/translate/expression_writer.hpp"

#include "jet/parser/syntax_error.hpp"
#include "jet/parser/token.hpp"
#include "jet/translate/sql_text.hpp"

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
    return kind == ValueKind::Integer || kind == ValueKind::Double || kind == ValueKind::Money ||
           kind == ValueKind::Boolean || kind == ValueKind::Date;
}

namespace {

ValueKind arithmetic(Op op, ValueKind l, ValueKind r) {
    if (!isNumeric(l) || !isNumeric(r)) return ValueKind::Unknown;
    if (op == Op::Div) return ValueKind::Double;
    if ((op == Op::Add || op == Op::Sub) && (l == ValueKind::Date) != (r == ValueKind::Date)) return ValueKind::Date;
    if (l == ValueKind::Money || r == ValueKind::Money) return ValueKind::Money;
    if ((l == ValueKind::Integer || l == ValueKind::Boolean) && (r == ValueKind::Integer || r == ValueKind::Boolean))
        return ValueKind::Integer;
    return ValueKind::Double;
}

bool integerLiteral(std::string_view text) {
    if (text.find_first_of(".eE") != std::string_view::npos || text.size() > 10) return false;
    return std::stoll(std::string(text)) <= 2147483647LL;
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
    Typed t = writeValue(e);
    if (!isNumeric(t.kind) && !t.null) dialect_.collate(out_, mark, t, use);
    return t;
}

Typed ExpressionWriter::writeValue(Index e) {
    const size_t mark = out_.size();
    Typed t = write(e);
    dialect_.asValue(out_, mark, t);
    return t;
}

Typed ExpressionWriter::writeCondition(Index e) {
    const size_t mark = out_.size();
    Typed t = write(e);
    dialect_.asCondition(out_, mark, t);
    return t;
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
    size_t mark = out_.size();
    const Typed left = writeOperand(l, Precedence::Comparison, false);
    dialect_.asValue(out_, mark, left);
    out_ += op;
    mark = out_.size();
    Typed right = write(r);
    if (right.precedence <= Precedence::Comparison && (isNumeric(right.kind) || isNumeric(left.kind))) {
        parenthesize(mark);
        right.precedence = Precedence::Atom;
    }
    dialect_.asValue(out_, mark, right);
    if (!isNumeric(right.kind) && !isNumeric(left.kind)) collateUnlessNumeric(mark, right, left);
    return {ValueKind::Boolean, false, Precedence::Comparison, true};
}

Typed ExpressionWriter::column(const Expr& e) {
    if (const ResolvedColumn c = scope_.resolve(e.a, e.b)) {
        sql::appendColumn(out_, c.table->name, c.column->name);
        return {kindOf(c.column->kind)};
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

Typed ExpressionWriter::concatenation(const Expr& e) {
    // a & b & c becomes one call: Null reads as empty text, numbers in their VB text form.
    dialect_.concatOpen(out_);
    bool first = true;
    auto operands = [&](auto&& self, Index i) -> void {
        const Expr& x = tree_[i];
        if (x.kind == Expr::Kind::Binary && x.op == Op::Concat) {
            self(self, x.first);
            self(self, tree_.nextOf(x.first));
            return;
        }
        if (!first) out_ += ", ";
        first = false;
        const size_t mark = out_.size();
        const Typed t = writeValue(i);
        dialect_.concatOperand(out_, mark, t);
    };
    operands(operands, e.first);
    operands(operands, tree_.nextOf(e.first));
    out_ += ')';
    return {ValueKind::Text};
}

Typed ExpressionWriter::binary(const Expr& e) {
    const Index l = e.first, r = tree_.nextOf(e.first);
    switch (e.op) {
    case Op::Or:
    case Op::And: {
        const Precedence p = e.op == Op::Or ? Precedence::Or : Precedence::And;
        size_t mark = out_.size();
        dialect_.asCondition(out_, mark, writeOperand(l, p, false));
        out_ += e.op == Op::Or ? " OR " : " AND ";
        mark = out_.size();
        dialect_.asCondition(out_, mark, writeOperand(r, p, true));
        return {ValueKind::Boolean, false, p, true};
    }
    case Op::Eq: return comparison(" = ", l, r);
    case Op::Ne: return comparison(" <> ", l, r);
    case Op::Lt: return comparison(" < ", l, r);
    case Op::Gt: return comparison(" > ", l, r);
    case Op::Le: return comparison(" <= ", l, r);
    case Op::Ge: return comparison(" >= ", l, r);
    case Op::Concat: return concatenation(e);
    case Op::Add:
    case Op::Sub:
    case Op::Mul:
    case Op::Div: {
        const bool additive = e.op == Op::Add || e.op == Op::Sub;
        const Precedence p = additive ? Precedence::Additive : Precedence::Multiplicative;
        const size_t left = out_.size();
        const Typed lt = writeOperand(l, p, false);
        dialect_.asValue(out_, left, lt);
        const size_t right = out_.size();
        const Typed rt = writeOperand(r, p, true);
        dialect_.asValue(out_, right, rt);
        dialect_.arithmetic(out_, e.op, left, right, lt, rt);
        return {arithmetic(e.op, lt.kind, rt.kind), false, p};
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
        dialect_.yesNoLiteral(out_, e.number != 0);
        return {ValueKind::Boolean};
    case Expr::Kind::Null:
        out_ += "NULL";
        return {ValueKind::Unknown, true};
    case Expr::Kind::Now:
        dialect_.now(out_);
        return {ValueKind::Date};
    case Expr::Kind::Star: syntaxError(tree_.text, e.position, "*");
    case Expr::Kind::Not: {
        out_ += "NOT ";
        const size_t mark = out_.size();
        dialect_.asCondition(out_, mark, writeOperand(e.first, Precedence::Not, false));
        return {ValueKind::Boolean, false, Precedence::Not, true};
    }
    case Expr::Kind::Negate: {
        out_ += '-';
        const size_t mark = out_.size();
        const Typed t = writeOperand(e.first, Precedence::Unary, false);
        dialect_.asValue(out_, mark, t);
        return {t.kind, false, Precedence::Unary};
    }
    case Expr::Kind::Binary: return binary(e);
    case Expr::Kind::Between: {
        const Index low = tree_.nextOf(e.first), high = tree_.nextOf(low);
        size_t mark = out_.size();
        const Typed value = writeOperand(e.first, Precedence::Comparison, false);
        dialect_.asValue(out_, mark, value);
        out_ += e.negated ? " NOT BETWEEN " : " BETWEEN ";
        mark = out_.size();
        Typed t = writeAtom(low);
        dialect_.asValue(out_, mark, t);
        collateUnlessNumeric(mark, t, value);
        out_ += " AND ";
        mark = out_.size();
        t = writeAtom(high);
        dialect_.asValue(out_, mark, t);
        collateUnlessNumeric(mark, t, value);
        return {ValueKind::Boolean, false, Precedence::Comparison, true};
    }
    case Expr::Kind::IsNull:
        writeOperand(e.first, Precedence::Comparison, false);
        out_ += e.negated ? " IS NOT NULL" : " IS NULL";
        return {ValueKind::Boolean, false, Precedence::Comparison, true};
    case Expr::Kind::Like: {
        size_t mark = out_.size();
        const Typed value = writeOperand(e.first, Precedence::Comparison, false);
        dialect_.asValue(out_, mark, value);
        dialect_.likeOperator(out_, mark, value, e.negated);
        mark = out_.size();
        dialect_.asValue(out_, mark, writeOperand(tree_.nextOf(e.first), Precedence::Comparison, true));
        dialect_.likeEnd(out_);
        return {ValueKind::Boolean, false, Precedence::Comparison, true};
    }
    case Expr::Kind::Call: return call(e);
    }
    return {};
}

}  // namespace zelt::jet
