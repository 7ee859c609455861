#include "jet/translate/select_writer.hpp"

#include "jet/parser/syntax_error.hpp"
#include "jet/parser/token.hpp"
#include "jet/translate/expression_writer.hpp"
#include "jet/translate/local_values.hpp"
#include "jet/translate/sql_text.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/jet/errors.hpp"

namespace zelt::jet {

using ast::Expr;
using ast::From;
using ast::Index;

namespace {

// Jet's limit on the columns of a result and the terms of a sort or grouping; SQLite's is 2000.
constexpr size_t MaxColumns = 255;

struct Item {
    Index expr = ast::None;               // None: a column of a "*"
    const TableDef* table = nullptr;      // a plain column's table
    const ColumnDef* column = nullptr;
    std::string name;
};

class SelectWriter {
public:
    SelectWriter(const ast::Tree& tree, const ast::Select& select, const Dialect& dialect)
        : tree_(tree), s_(select), dialect_(dialect) {
        if (s_.from != ast::None) collectTables(s_.from);
        prepareItems();
        if (items_.empty()) syntaxError(tree_.text, s_.position, "SELECT");  // "*" of no table
        if (items_.size() > MaxColumns || s_.groupBy.size() > MaxColumns || s_.orderBy.size() > MaxColumns)
            tooComplex(tree_.text, s_.position, "SELECT");
    }

    // ownOrderBy false: the ORDER BY is the union's, written by the caller. shape: the columns of a
    // union's first member, whose kinds this member's columns take where money is involved.
    Query write(bool ownOrderBy, const std::vector<ResultColumn>* shape = nullptr) {
        Query q;
        q.sql.reserve(tree_.text.size() + tree_.text.size() / 2 + 64);
        std::string& out = q.sql;
        ExpressionWriter w(tree_, scope_, out, dialect_);
        w.refuseAggregates(nullptr);
        const bool ordered = ownOrderBy && !s_.orderBy.empty();
        LocalPlanner local(tree_, scope_, aliases_);
        std::string scratch;
        ExpressionWriter probe(tree_, scope_, scratch, dialect_);
        probe.allowAliases(&aliases_);
        probe.refuseAggregates(nullptr);
        if (!dialect_.hasLibrary())
            local.libraryOnServerBy([&](Index e) {
                scratch.clear();
                try {
                    probe.write(e);
                    return true;
                } catch (const RuntimeError&) {
                    return false;
                }
            });
        if (!dialect_.mixesKinds()) local.kindsBy([&](Index e) { scratch.clear(); return probe.write(e); });
        const bool computesLocally = !dialect_.formatsOnServer() || !dialect_.mixesKinds();
        const bool localColumns = computesLocally && anyItem([&](Index e) { return local.needed(e); });
        // Jet's TOP n keeps the rows tied with the n-th on the ORDER BY terms; a rank does the
        // same. Ordered by a table's own counter there are no ties, and LIMIT lets SQLite stop early.
        // Terms the engine computes, or a rank over rows the engine completes, sort in the engine.
        const bool localOrder = ordered && computesLocally &&
                                (anyOrderTerm([&](Index e) { return local.needed(e); }) ||
                                 (localColumns && s_.top && !orderedByKey()));
        const bool ranked = s_.top && ordered && !localOrder && !orderedByKey();
        if (ranked) {
            out += "SELECT ";
            for (size_t i = 0; i < items_.size(); ++i) {
                if (i) out += ", ";
                sql::appendIdentifier(out, rankedName(i));
                out += " AS ";
                sql::appendIdentifier(out, items_[i].name);
            }
            out += " FROM (";
        }
        out += "SELECT ";
        q.columns.reserve(items_.size());
        std::vector<ValueKind> sent;
        for (size_t i = 0; i < items_.size(); ++i) {
            const Item& item = items_[i];
            if (localColumns && item.expr != ast::None && local.needed(item.expr)) {
                q.columns.push_back({item.name, ValueKind::Unknown, std::make_shared<LocalValue>(local.localize(item.expr))});
                continue;
            }
            if (!sent.empty()) out += ", ";
            Operand value;
            if (item.expr != ast::None) {
                value = w.argument(item.expr);
            } else {
                value.begin = out.size();
                sql::appendColumn(out, item.table->name, item.column->name);
                value.end = out.size();
                value.typed.kind = kindOf(item.column->kind);
            }
            if (shape && i < shape->size())
                w.convert(value, (*shape)[i].kind == ValueKind::Money ? Form::Money : Form::Double);
            const ValueKind kind = value.typed.null ? ValueKind::Unknown : value.typed.kind;
            out += " AS ";
            sql::appendIdentifier(out, ranked ? rankedName(i) : item.name);
            q.columns.push_back({item.name, kind});
            sent.push_back(kind);
        }
        if (localOrder) {
            for (const ast::OrderItem& term : s_.orderBy) q.order.push_back({local.localize(term.expr), term.descending});
            q.top = s_.top;
        }
        if (!local.empty()) {
            const bool first = sent.empty();
            local.writeFetched(w, out, q, first, std::move(sent));
        }
        // Sorting by an aggregate needs a selection of them: SQLite refuses it otherwise, and Jet
        // asks that every column be grouped or aggregated.
        const char* const sortAggregates = w.wroteAggregate() || !s_.groupBy.empty() ? nullptr : "ORDER BY";
        if (ranked) {
            w.refuseAggregates(sortAggregates);
            out += ", RANK() OVER (ORDER BY ";
            orderTerms(w, out);
            out += ") AS \"jet_rank\"";
        }
        if (s_.from != ast::None) {
            out += " FROM ";
            w.refuseAggregates("FROM");
            writeFrom(w, out, s_.from, false);
        }
        if (s_.where != ast::None) {
            out += " WHERE ";
            w.refuseAggregates("WHERE");
            w.writeCondition(s_.where);
        }
        if (!s_.groupBy.empty()) {
            out += " GROUP BY ";
            w.refuseAggregates("GROUP BY");
            for (size_t i = 0; i < s_.groupBy.size(); ++i) {
                if (i) out += ", ";
                w.writeTerm(s_.groupBy[i], Dialect::TextUse::Group);
            }
        }
        if (ordered && !ranked && !localOrder) {
            out += " ORDER BY ";
            w.refuseAggregates(sortAggregates);
            orderTerms(w, out);
        }
        if (s_.top && !ranked && !localOrder) out += " LIMIT " + std::to_string(*s_.top);
        if (ranked) {
            out += ")";
            out += dialect_.subqueryAlias();
            out += " WHERE \"jet_rank\" <= " + std::to_string(*s_.top) + " ORDER BY \"jet_rank\"";
        }
        return q;
    }

private:
    static std::string rankedName(size_t i) { return "c" + std::to_string(i); }

    template <typename Test>
    bool anyItem(Test test) const {
        for (const Item& item : items_)
            if (item.expr != ast::None && test(item.expr)) return true;
        return false;
    }
    template <typename Test>
    bool anyOrderTerm(Test test) const {
        for (const ast::OrderItem& term : s_.orderBy)
            if (test(term.expr)) return true;
        return false;
    }

    void collectTables(Index i) {
        const From& f = tree_.froms[static_cast<size_t>(i)];
        if (f.join == From::Join::Table) {
            scope_.addTable(f.table);
            return;
        }
        collectTables(f.left);
        collectTables(f.right);
    }

    void writeFrom(ExpressionWriter& w, std::string& out, Index i, bool nested) const {
        const From& f = tree_.froms[static_cast<size_t>(i)];
        if (f.join == From::Join::Table) {
            sql::appendIdentifier(out, findTable(f.table)->name);
            return;
        }
        if (nested) out += '(';
        writeFrom(w, out, f.left, false);
        switch (f.join) {
        case From::Join::Inner: out += " INNER JOIN "; break;
        case From::Join::Left: out += " LEFT JOIN "; break;
        case From::Join::Right: out += " RIGHT JOIN "; break;
        default: out += ", "; break;
        }
        writeFrom(w, out, f.right, true);
        if (f.on != ast::None) {
            out += " ON ";
            w.writeCondition(f.on);
        }
        if (nested) out += ')';
    }

    void orderTerms(ExpressionWriter& w, std::string& out) {
        w.allowAliases(&aliases_);
        for (size_t i = 0; i < s_.orderBy.size(); ++i) {
            if (i) out += ", ";
            w.writeTerm(s_.orderBy[i].expr, Dialect::TextUse::Order);
            dialect_.orderDirection(out, s_.orderBy[i].descending);
        }
        w.allowAliases(nullptr);
    }

    bool orderedByKey() const {
        if (scope_.tables().size() != 1) return false;
        const Expr& e = tree_[s_.orderBy.front().expr];
        if (e.kind != Expr::Kind::Column) return false;
        const ResolvedColumn c = scope_.resolve(e.a, e.b);
        return c && c.column->kind == ColumnKind::Counter;
    }

    void addStar(const TableDef& t) {
        for (const ColumnDef& c : t.columns) items_.push_back({ast::None, &t, &c, c.name});
    }

    void prepareItems() {
        int unnamed = 1000;
        items_.reserve(s_.items.size());
        for (const ast::SelectItem& si : s_.items) {
            if (si.expr == ast::None) {
                if (si.star.empty()) {
                    for (const TableDef* t : scope_.tables()) addStar(*t);
                } else if (const TableDef* t = scope_.table(si.star)) {
                    addStar(*t);
                } else {
                    missingTable(si.star);
                }
                continue;
            }
            Item item;
            item.expr = si.expr;
            const Expr& e = tree_[si.expr];
            if (!si.alias.empty()) {
                item.name = std::string(si.alias);
                aliases_.push_back({si.alias, si.expr});
            } else if (e.kind == Expr::Kind::Column) {
                if (const ResolvedColumn c = scope_.resolve(e.a, e.b)) {
                    item.table = c.table;
                    item.column = c.column;
                    item.name = c.column->name;
                } else {
                    missingColumn(e.b, "nas tabelas da instrução");
                }
            } else {
                item.name = "Expr" + std::to_string(unnamed++);
            }
            items_.push_back(std::move(item));
        }
        // Two tables' columns of one name are told apart by their tables, as Jet names them.
        for (size_t i = 0; i < items_.size(); ++i) {
            if (!items_[i].column) continue;
            for (size_t j = i + 1; j < items_.size(); ++j) {
                if (!items_[j].column || items_[j].table == items_[i].table ||
                    !sameWord(items_[j].column->name, items_[i].column->name))
                    continue;
                items_[j].name = items_[j].table->name + "." + items_[j].column->name;
                items_[i].name = items_[i].table->name + "." + items_[i].column->name;
            }
        }
    }

    const ast::Tree& tree_;
    const ast::Select& s_;
    const Dialect& dialect_;
    Scope scope_;
    std::vector<Item> items_;
    std::vector<Alias> aliases_;
};

[[noreturn]] void columnCountDiffers() {
    throwError(err::Syntax, "O número de colunas nas consultas de uma consulta união não corresponde.");
}

}  // namespace

Query writeSelect(const ast::Tree& tree, const ast::Select& select, const Dialect& dialect) {
    return SelectWriter(tree, select, dialect).write(true);
}

Query writeUnion(const ast::Tree& tree, const std::vector<ast::Select>& members, const Dialect& dialect) {
    if (members.size() == 1) return writeSelect(tree, members.front(), dialect);
    Query q;
    for (size_t i = 0; i < members.size(); ++i) {
        const ast::Select& m = members[i];
        const bool last = i + 1 == members.size();
        // The last member's ORDER BY sorts the whole union, unless it belongs to that member's TOP.
        const bool unionOrder = last && !m.top && !m.orderBy.empty();
        Query part = SelectWriter(tree, m, dialect).write(!unionOrder, i == 0 ? nullptr : &q.columns);
        if (part.computedLocally())
            throwError(err::Syntax, "Neste banco de dados a função Format não pode estar numa consulta união.");
        if (i == 0) q.columns = part.columns;
        else if (part.columns.size() != q.columns.size()) columnCountDiffers();
        if (i) q.sql += " UNION ALL ";
        const bool enclosed = m.top || (!unionOrder && !m.orderBy.empty());
        if (enclosed) q.sql += "SELECT * FROM (";
        q.sql += part.sql;
        if (enclosed) {
            q.sql += ')';
            q.sql += dialect.subqueryAlias();
        }
        if (!unionOrder) continue;
        q.sql += " ORDER BY ";
        for (size_t t = 0; t < m.orderBy.size(); ++t) {
            const Expr& e = tree[m.orderBy[t].expr];
            size_t position = 0;
            if (e.kind == Expr::Kind::Column)
                for (size_t c = 0; c < q.columns.size() && !position; ++c)
                    if (sameWord(q.columns[c].name, e.b)) position = c + 1;
            if (!position) syntaxError(tree.text, e.position, e.b);
            if (t) q.sql += ", ";
            dialect.orderByPosition(q.sql, position, q.columns[position - 1].kind);
            dialect.orderDirection(q.sql, m.orderBy[t].descending);
        }
    }
    return q;
}

}  // namespace zelt::jet
