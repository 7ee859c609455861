#include "jet/translate/modify_writer.hpp"

#include <algorithm>
#include <optional>

#include "jet/parser/syntax_error.hpp"
#include "jet/parser/token.hpp"
#include "jet/translate/expression_writer.hpp"
#include "jet/translate/select_writer.hpp"
#include "jet/translate/sql_text.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/jet/errors.hpp"
#include "zelt/automation/date.hpp"
#include "zelt/automation/regional.hpp"

namespace zelt::jet {

using ast::Expr;
using ast::Index;

namespace {

class ValueWriter {
public:
    ValueWriter(const ast::Tree& tree, const Scope& scope, std::string& out, const Dialect& dialect)
        : tree_(tree), out_(out), dialect_(dialect), expressions_(tree, scope, out, dialect) {}

    // Text written into a date column is the regional form ("05/12/2026 19:16:50"), read now
    // so that the column holds the date's serial; numbers and yes/no take only what reads as such.
    // Money columns take ten-thousandths (text read without a double between), yes/no columns -1
    // or 0, and other columns an amount as a number.
    void write(const ColumnDef& column, Index value) {
        const Expr& e = tree_[value];
        const bool text = e.kind == Expr::Kind::String;
        switch (column.kind) {
        case ColumnKind::Date:
        case ColumnKind::DateTime:
            if (text) {
                const auto date = Date::parseRegional(sql::unquote(e.a, e.doubleQuoted));
                if (!date) typeMismatch();
                return dialect_.dateLiteral(out_, date->serial());
            }
            if (literal(e)) break;
            {
                Operand o = expressions_.argument(value);
                expressions_.convert(o, Form::Double);
                expressions_.rewrite(o, [&](std::string& piece, Typed& t) { dialect_.intoDate(piece, t); });
            }
            return;
        case ColumnKind::Money:
            if (text) return amount(e);
            if (literal(e) || e.kind == Expr::Kind::Column || isNumberLiteral(value)) return valueAs(value, Form::Money);
            {
                const size_t mark = out_.size();
                valueAs(value, Form::Money);
                dialect_.intoMoney(out_, mark);
            }
            return;
        case ColumnKind::Counter:
        case ColumnKind::Number:
        case ColumnKind::Double:
            if (text) return sql::appendNumber(out_, number(e));
            break;
        case ColumnKind::YesNo:
            if (text) return appendYesNo(yesNo(e));
            if (const auto n = numberLiteral(value)) return appendYesNo(*n != 0);
            return yesNoOf(value);
        case ColumnKind::Text:
        case ColumnKind::Memo:
            break;
        }
        valueAs(value, Form::Double);
    }

    ExpressionWriter& expressions() { return expressions_; }

private:
    static bool literal(const Expr& e) {
        return e.kind == Expr::Kind::Number || e.kind == Expr::Kind::Date || e.kind == Expr::Kind::Null ||
               e.kind == Expr::Kind::Boolean;
    }

    bool isNumberLiteral(Index i) const {
        const Expr& e = tree_[i];
        return e.kind == Expr::Kind::Number || (e.kind == Expr::Kind::Negate && isNumberLiteral(e.first));
    }

    // A number as written, with its sign.
    std::optional<double> numberLiteral(Index i) const {
        const Expr& e = tree_[i];
        if (e.kind == Expr::Kind::Negate) {
            const auto n = numberLiteral(e.first);
            return n ? std::optional<double>(-*n) : std::nullopt;
        }
        if (e.kind != Expr::Kind::Number) return std::nullopt;
        return regional::plainDecimal(e.a);
    }

    static double number(const Expr& e) {
        const auto n = regional::parseNumber(sql::unquote(e.a, e.doubleQuoted));
        if (!n) typeMismatch();
        return *n;
    }

    static bool yesNo(const Expr& e) {
        const std::string v = sql::unquote(e.a, e.doubleQuoted);
        const std::string_view t = regional::trim(v);
        if (sameWord(t, "True") || sameWord(t, "Verdadeiro")) return true;
        if (sameWord(t, "False") || sameWord(t, "Falso")) return false;
        return number(e) != 0;
    }

    void appendYesNo(bool v) { out_ += v ? "-1" : "0"; }

    void valueAs(Index value, Form form) {
        Operand o = expressions_.argument(value);
        expressions_.convert(o, form);
    }

    void amount(const Expr& e) {
        const auto c = regional::parseCurrency(sql::unquote(e.a, e.doubleQuoted));
        if (!c) typeMismatch();
        dialect_.moneyLiteral(out_, *c);
    }

    // Jet keeps any number other than zero as True (-1).
    void yesNoOf(Index value) {
        Operand o = expressions_.argument(value);
        expressions_.convert(o, Form::Value);
        if (o.typed.kind == ValueKind::Boolean || o.typed.null || !isNumeric(o.typed.kind)) return;
        expressions_.rewrite(o, [&](std::string& piece, Typed& t) {
            piece += " <> 0";
            t = {ValueKind::Boolean, false, Precedence::Comparison, true};
            dialect_.asValue(piece, t);
        });
    }

    const ast::Tree& tree_;
    std::string& out_;
    const Dialect& dialect_;
    ExpressionWriter expressions_;
};

const ColumnDef& columnOf(const TableDef& table, std::string_view name) {
    const ColumnDef* c = findColumn(table, name);
    if (!c) missingColumn(name, "na tabela '" + table.name + "'");
    return *c;
}

Query nested(const ast::Tree& tree, Index query, const Dialect& dialect, const std::vector<ResultColumn>* shape) {
    Query q = writeNested(tree, query, dialect, nullptr, shape);
    if (q.computedLocally())
        throwError(err::Syntax, "Neste banco de dados uma subconsulta não pode ter o que só o mecanismo calcula, " +
                                    whereInText(tree.text, tree.queries[static_cast<size_t>(query)].position, "SELECT") +
                                    ".");
    return q;
}

// INSERT INTO table [(columns)] SELECT ...: without a list, the selection's columns name the
// table's, as Jet matches them; each takes the form of the column it fills.
void insertSelection(const ast::Tree& tree, const TableDef& table, const Dialect& dialect, std::string& out) {
    const ast::Statement& st = tree.statement;
    std::vector<const ColumnDef*> targets;
    if (st.allColumns) {
        for (const ResultColumn& c : nested(tree, st.source, dialect, nullptr).columns)
            targets.push_back(&columnOf(table, c.name));
    } else {
        for (const ast::Assignment& a : st.assignments) targets.push_back(&columnOf(table, a.column));
    }
    std::vector<ResultColumn> shape;
    for (const ColumnDef* c : targets) shape.push_back({c->name, kindOf(c->kind)});
    const Query source = nested(tree, st.source, dialect, &shape);
    if (source.columns.size() != targets.size())
        throwError(err::Syntax, "O número de valores da consulta e o número de campos de destino são diferentes.");
    out += "INSERT INTO ";
    sql::appendIdentifier(out, table.name);
    out += " (";
    for (size_t i = 0; i < targets.size(); ++i) {
        if (i) out += ", ";
        sql::appendIdentifier(out, targets[i]->name);
    }
    out += ") " + source.sql;
    dialect.afterInsert(out, table);
}

// The tables of UPDATE A INNER JOIN B ON ... and the conditions that join them.
void joinedTables(const ast::Tree& tree, Index i, Scope& scope, std::vector<Index>& conditions) {
    const ast::From& f = tree.froms[static_cast<size_t>(i)];
    if (f.join == ast::From::Join::Table) {
        if (f.query != ast::None) syntaxError(tree.text, f.position, "(");
        scope.addTable(f.table, f.alias);
        return;
    }
    if (f.join != ast::From::Join::Inner) syntaxError(tree.text, f.position, "JOIN");
    joinedTables(tree, f.left, scope, conditions);
    joinedTables(tree, f.right, scope, conditions);
    conditions.push_back(f.on);
}

// The joined tables other than the one a statement changes, after the opening that introduces them.
void appendOtherTables(std::string& out, const Scope& scope, const ScopedTable* target, std::string_view opening) {
    std::string_view separator = opening;
    for (const ScopedTable& t : scope.tables()) {
        if (&t == target) continue;
        out += separator;
        separator = ", ";
        sql::appendAliased(out, t.table->name, t.name);
    }
}

// UPDATE over joined tables changes one of them, the one its assignments name; the others join
// it through FROM, and the ON conditions become the WHERE's.
Query updateJoined(const ast::Tree& tree, const Dialect& dialect) {
    const ast::Statement& st = tree.statement;
    Scope scope;
    std::vector<Index> conditions;
    joinedTables(tree, st.from, scope, conditions);
    const ScopedTable* target = nullptr;
    for (const ast::Assignment& a : st.assignments) {
        const ResolvedColumn c = scope.resolve(a.table, a.column);
        if (!c) missingColumn(a.column, "nas tabelas da instrução");
        const ScopedTable* t = scope.table(c.qualifier);
        if (target && t != target)
            throwError(err::Syntax, "Uma atualização altera colunas de uma só tabela, " +
                                        whereInText(tree.text, a.position, a.column) + ".");
        target = t;
    }
    Query q;
    std::string& out = q.sql;
    ValueWriter values(tree, scope, out, dialect);
    out += "UPDATE ";
    sql::appendAliased(out, target->table->name, target->name);
    out += " SET ";
    for (size_t i = 0; i < st.assignments.size(); ++i) {
        if (i) out += ", ";
        const ColumnDef& c = columnOf(*target->table, st.assignments[i].column);
        sql::appendIdentifier(out, c.name);
        out += " = ";
        values.write(c, st.assignments[i].value);
    }
    appendOtherTables(out, scope, target, " FROM ");
    if (st.where != ast::None) conditions.push_back(st.where);
    for (size_t i = 0; i < conditions.size(); ++i) {
        out += i ? " AND (" : " WHERE (";
        values.expressions().writeCondition(conditions[i]);
        out += ')';
    }
    return q;
}

// DELETE t.* FROM A AS t INNER JOIN B ON ... deletes the rows of the table named before FROM that
// have a row to join in the others: those the conditions find, asked for each row.
Query deleteJoined(const ast::Tree& tree, const Dialect& dialect) {
    const ast::Statement& st = tree.statement;
    Scope scope;
    std::vector<Index> conditions;
    joinedTables(tree, st.from, scope, conditions);
    const ScopedTable* target = !st.table.empty()             ? scope.table(st.table)
                                : scope.tables().size() == 1 ? &scope.tables().front()
                                                             : nullptr;
    if (!target)
        throwError(err::Syntax, "Especifique a tabela que contém os registros que você deseja excluir, " +
                                    whereInText(tree.text, st.tablePosition, "FROM") + ".");
    if (st.where != ast::None) conditions.push_back(st.where);
    conditions.erase(std::remove(conditions.begin(), conditions.end(), ast::None), conditions.end());
    Query q;
    std::string& out = q.sql;
    ExpressionWriter w(tree, scope, out, dialect);
    out += "DELETE FROM ";
    sql::appendAliased(out, target->table->name, target->name);
    const bool others = scope.tables().size() > 1;
    if (conditions.empty() && !others) return q;
    if (!others) out += " WHERE ";
    appendOtherTables(out, scope, target, " WHERE EXISTS (SELECT 1 FROM ");
    for (size_t i = 0; i < conditions.size(); ++i) {
        out += i ? " AND (" : others ? " WHERE (" : "(";
        w.writeCondition(conditions[i]);
        out += ')';
    }
    if (others) out += ')';
    return q;
}

}  // namespace

Query writeModification(const ast::Tree& tree, const Dialect& dialect) {
    const ast::Statement& st = tree.statement;
    if (st.kind == ast::Statement::Kind::Update && st.from != ast::None) return updateJoined(tree, dialect);
    if (st.kind == ast::Statement::Kind::Delete && st.from != ast::None) return deleteJoined(tree, dialect);
    Scope scope;
    const TableDef& table = scope.addTable(st.table);
    Query q;
    std::string& out = q.sql;
    out.reserve(tree.text.size() + 64);
    ValueWriter values(tree, scope, out, dialect);
    switch (st.kind) {
    case ast::Statement::Kind::Insert: {
        if (st.source != ast::None) {
            insertSelection(tree, table, dialect, out);
            break;
        }
        if (st.allColumns && st.assignments.size() != table.columns.size())
            syntaxError(tree.text, st.tablePosition, st.table);
        // The values name no table: a name among them is a column no row can give yet.
        const Scope none;
        ValueWriter free(tree, none, out, dialect);
        out += "INSERT INTO ";
        sql::appendIdentifier(out, table.name);
        out += " (";
        for (size_t i = 0; i < st.assignments.size(); ++i) {
            if (i) out += ", ";
            sql::appendIdentifier(out, st.allColumns ? table.columns[i].name : columnOf(table, st.assignments[i].column).name);
        }
        out += ") VALUES (";
        for (size_t i = 0; i < st.assignments.size(); ++i) {
            if (i) out += ", ";
            const ColumnDef& c = st.allColumns ? table.columns[i] : columnOf(table, st.assignments[i].column);
            free.write(c, st.assignments[i].value);
        }
        out += ')';
        dialect.afterInsert(out, table);
        break;
    }
    case ast::Statement::Kind::Update:
        out += "UPDATE ";
        sql::appendIdentifier(out, table.name);
        out += " SET ";
        for (size_t i = 0; i < st.assignments.size(); ++i) {
            if (i) out += ", ";
            const ColumnDef& c = columnOf(table, st.assignments[i].column);
            sql::appendIdentifier(out, c.name);
            out += " = ";
            values.write(c, st.assignments[i].value);
        }
        break;
    default:
        out += "DELETE FROM ";
        sql::appendIdentifier(out, table.name);
        break;
    }
    if (st.where != ast::None) {
        out += " WHERE ";
        values.expressions().writeCondition(st.where);
    }
    return q;
}

}  // namespace zelt::jet
