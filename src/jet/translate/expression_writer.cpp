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

Typed ExpressionWriter::writeTerm(Index e) {
    const size_t mark = out_.size();
    Typed t = write(e);
    if (!isNumeric(t.kind) && !t.null) {
        if (t.precedence != Precedence::Atom) parenthesize(mark);
        out_ += " COLLATE PTBR";
    }
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
    if (written.precedence != Precedence::Atom) parenthesize(mark);
    out_ += " COLLATE PTBR";
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
    out_ += "jet_concat(";
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
        Operand o = argument(i);
        convert(o, Form::Double);
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
        writeOperand(l, p, false);
        out_ += e.op == Op::Or ? " OR " : " AND ";
        writeOperand(r, p, true);
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
        if (e.op == Op::Div) {
            // Jet divides as doubles, and a division by zero is an error, not Null.
            out_ += "jet_divide(";
            Operand dividend = argument(l);
            out_ += ", ";
            Operand divisor = argument(r);
            out_ += ')';
            return arithmetic(e.op, dividend, divisor, Precedence::Atom);
        }
        Operand left = operand(l, p, false);
        out_ += e.op == Op::Add ? " + " : e.op == Op::Sub ? " - " : " * ";
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
        sql::appendReal(out_, e.number);
        return {ValueKind::Date};
    case Expr::Kind::Boolean:
        // Jet's True is -1.
        out_ += e.number != 0 ? "-1" : "0";
        return {ValueKind::Boolean, false, e.number != 0 ? Precedence::Unary : Precedence::Atom};
    case Expr::Kind::Null:
        out_ += "NULL";
        return {ValueKind::Unknown, true};
    case Expr::Kind::Now:
        out_ += "jet_now()";
        return {ValueKind::Date};
    case Expr::Kind::Star: syntaxError(tree_.text, e.position, "*");
    case Expr::Kind::Not:
        out_ += "NOT ";
        writeOperand(e.first, Precedence::Not, false);
        return {ValueKind::Boolean, false, Precedence::Not, true};
    case Expr::Kind::Negate: {
        out_ += '-';
        Operand o = operand(e.first, Precedence::Unary, false);
        convert(o, Form::Value);
        if (out_[o.begin] == '-') parenthesize(o.begin);  // "--" would begin a comment
        // -True is 1, a whole number.
        return {o.typed.kind == ValueKind::Boolean ? ValueKind::Integer : o.typed.kind, false, Precedence::Unary};
    }
    case Expr::Kind::Binary: return binary(e);
    case Expr::Kind::Between: {
        const Index low = tree_.nextOf(e.first), high = tree_.nextOf(low);
        Operand value = operand(e.first, Precedence::Comparison, false);
        out_ += e.negated ? " NOT BETWEEN " : " BETWEEN ";
        size_t mark = out_.size();
        Typed t = writeAtom(low);
        collateUnlessNumeric(mark, t, value.typed);
        Operand lowest{low, mark, out_.size(), t};
        out_ += " AND ";
        mark = out_.size();
        t = writeAtom(high);
        collateUnlessNumeric(mark, t, value.typed);
        Operand highest{high, mark, out_.size(), t};
        bounded(value, lowest, highest);
        return {ValueKind::Boolean, false, Precedence::Comparison, true};
    }
    case Expr::Kind::IsNull:
        writeOperand(e.first, Precedence::Comparison, false);
        out_ += e.negated ? " IS NOT NULL" : " IS NULL";
        return {ValueKind::Boolean, false, Precedence::Comparison, true};
    case Expr::Kind::Like: {
        Operand value = operand(e.first, Precedence::Comparison, false);
        convert(value, Form::Double);
        out_ += e.negated ? " NOT LIKE " : " LIKE ";
        writeOperand(tree_.nextOf(e.first), Precedence::Comparison, true);
        return {ValueKind::Boolean, false, Precedence::Comparison, true};
    }
    case Expr::Kind::Call: return call(e);
    }
    return {};
}

}  // namespace zelt::jet
