// IN lists and the selections inside an expression. A selection there is written by the select
// writer with this expression's tables as its outer scope, so that it may name them (correlation).
#include <vector>

#include "jet/parser/syntax_error.hpp"
#include "jet/translate/expression_writer.hpp"
#include "jet/translate/select_writer.hpp"
#include "jet/translate/sql_text.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/jet/errors.hpp"

namespace zelt::jet {

using ast::Expr;
using ast::Index;

// value [NOT] IN (a, b, ...): every value meets the tested one as = would have it meet them.
Typed ExpressionWriter::inList(const Expr& e) {
    Operand value = operand(e.first, Precedence::Comparison, false);
    const size_t valueEnd = out_.size();
    out_ += e.negated ? " NOT IN (" : " IN (";
    std::vector<Operand> listed;
    for (Index i = tree_.nextOf(e.first); i != ast::None; i = tree_.nextOf(i)) {
        if (!listed.empty()) out_ += ", ";
        listed.push_back(argument(i));
    }
    out_ += ')';
    bool money = value.typed.kind == ValueKind::Money, exact = true, numeric = isNumeric(value.typed.kind);
    for (const Operand& o : listed) money = money || o.typed.kind == ValueKind::Money;
    for (const Operand& o : listed) {
        exact = exact && (!money || exactAsMoney(o));
        numeric = numeric || isNumeric(o.typed.kind);
    }
    exact = exact && (!money || exactAsMoney(value));
    const Form form = !money ? Form::Value : exact ? Form::Money : Form::Double;
    for (size_t i = listed.size(); i-- > 0;) convert(listed[i], form);
    // Text is compared in the tested value's collation, which IN takes for every member.
    if (!numeric) {
        std::string tail = out_.substr(valueEnd);
        out_.resize(valueEnd);
        dialect_.collate(out_, value.begin, value.typed, Dialect::TextUse::Compare);
        value.end = out_.size();
        out_ += tail;
    }
    convert(value, form);
    return {ValueKind::Boolean, false, Precedence::Comparison, true};
}

Query ExpressionWriter::nestedQuery(Index query, const Operand* compared) {
    // Compared with a value, the selection's column takes that value's form (money or not).
    std::vector<ResultColumn> shape;
    if (compared) shape.push_back({"", compared->typed.kind});
    Query q = writeNested(tree_, query, dialect_, &scope_, compared ? &shape : nullptr);
    const ast::Query& nested = tree_.queries[static_cast<size_t>(query)];
    if (q.computedLocally())
        throwError(err::Syntax, "Neste banco de dados uma subconsulta não pode ter o que só o mecanismo calcula, " +
                                    whereInText(tree_.text, nested.position, "SELECT") + ".");
    return q;
}

namespace {

[[noreturn]] void oneColumnOnly(const ast::Tree& tree, const ast::Query& q) {
    throwError(err::Syntax, "A subconsulta pode retornar mais de um campo sem usar a palavra reservada EXISTS na "
                            "cláusula FROM da consulta principal, " + whereInText(tree.text, q.position, "SELECT") + ".");
}

const char* comparisonText(ast::Op op) {
    switch (op) {
    case ast::Op::Eq: return " = ";
    case ast::Op::Ne: return " <> ";
    case ast::Op::Lt: return " < ";
    case ast::Op::Gt: return " > ";
    case ast::Op::Le: return " <= ";
    default: return " >= ";
    }
}

}  // namespace

// (SELECT ...) as a value, EXISTS, IN (SELECT ...), and comparisons with ANY, SOME or ALL of its
// rows. The engines share no ANY or ALL, so those compare the value with the rows' least or
// greatest, keeping SQL's Null rule (no row decides it but one is Null: Null), and leaving the
// value where it was written, so that an aggregate in it still belongs to the outer selection.
Typed ExpressionWriter::selection(const Expr& e) {
    const ast::Query& nested = tree_.queries[static_cast<size_t>(e.query)];
    if (e.kind == Expr::Kind::Exists) {
        const Query q = nestedQuery(e.query, nullptr);
        out_ += "EXISTS (" + q.sql + ")";
        return {ValueKind::Boolean, false, Precedence::Atom, true};
    }
    if (e.kind == Expr::Kind::Subquery) {
        const Query q = nestedQuery(e.query, nullptr);
        if (q.columns.size() != 1) oneColumnOnly(tree_, nested);
        dialect_.singleValue(out_, q.sql, q.columns.front().name);
        return {q.columns.front().kind};
    }
    Operand value = operand(e.first, Precedence::Comparison, false);
    const Query q = nestedQuery(e.query, &value);
    if (q.columns.size() != 1) oneColumnOnly(tree_, nested);
    const bool text = !isNumeric(value.typed.kind) && !isNumeric(q.columns.front().kind);
    if (text) dialect_.collate(out_, value.begin, value.typed, Dialect::TextUse::Compare);
    if (value.typed.kind == ValueKind::Money || q.columns.front().kind == ValueKind::Money) {
        value.end = out_.size();
        convert(value, q.columns.front().kind == ValueKind::Money ? Form::Money : Form::Double);
    }
    const bool all = e.kind == Expr::Kind::Quantified && e.number != 0;
    const bool any = e.kind == Expr::Kind::Quantified && !all;
    // = ANY is IN, <> ALL is NOT IN.
    if (e.kind == Expr::Kind::In || (any && e.op == ast::Op::Eq) || (all && e.op == ast::Op::Ne)) {
        out_ += e.negated || all ? " NOT IN (" : " IN (";
        out_ += q.sql + ")";
        return {ValueKind::Boolean, false, Precedence::Comparison, true};
    }
    const std::string tested = "(" + out_.substr(value.begin) + ")";
    out_.resize(value.begin);
    std::string row;
    sql::appendColumn(row, "jet_linha", q.columns.front().name);
    const std::string rows = " FROM (" + q.sql + ") AS \"jet_linha\")";
    const std::string least = "(SELECT MIN(" + row + ")" + rows, greatest = "(SELECT MAX(" + row + ")" + rows;
    // decided: the test that settles the answer (true for ANY, false for ALL) without Nulls.
    std::string decided;
    bool settles = any;
    const ast::Op op = e.op;
    if (op == ast::Op::Eq || op == ast::Op::Ne) {  // = ALL, <> ANY (its negation)
        decided = "NOT (" + tested + " = " + least + " AND " + tested + " = " + greatest + ")";
        settles = op == ast::Op::Ne;
    } else {
        const bool upward = op == ast::Op::Gt || op == ast::Op::Ge;
        decided = tested + comparisonText(op) + (upward == any ? least : greatest);
        if (all) decided = "NOT (" + decided + ")";
    }
    const char* yes = "1 = 1";
    const char* no = "1 = 0";
    out_ += "CASE WHEN (SELECT COUNT(*)" + rows + " = 0 THEN " + (all ? yes : no) + " WHEN " + decided + " THEN " +
            (settles ? yes : no) + " WHEN " + tested + " IS NULL OR (SELECT COUNT(*)" + rows + " > (SELECT COUNT(" +
            row + ")" + rows + " THEN NULL ELSE " + (settles ? no : yes) + " END";
    return {ValueKind::Boolean, false, Precedence::Atom, true};
}

}  // namespace zelt::jet
