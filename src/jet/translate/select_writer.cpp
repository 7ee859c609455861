#include "jet/translate/select_writer.hpp"

#include <algorithm>

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
    Index expr = ast::None;  // None: a column of a "*"
    ResolvedColumn column;   // a plain column's
    std::string name;
};

class SelectWriter {
public:
    SelectWriter(const ast::Tree& tree, const ast::Select& select, const Dialect& dialect, const Scope* outer)
        : tree_(tree), s_(select), dialect_(dialect), scope_(outer) {
        if (s_.from != ast::None) collectTables(s_.from);
        prepareItems();
        if (items_.empty()) syntaxError(tree_.text, s_.position, "SELECT");  // "*" of no table
        if (items_.size() > MaxColumns || s_.groupBy.size() > MaxColumns || s_.orderBy.size() > MaxColumns)
            tooComplex(tree_.text, s_.position, "SELECT");
    }

    void unitesDistinct() { unitesDistinct_ = true; }

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
        // Conditions of WHERE (and of inner joins' ON) that the server cannot compute are tested by
        // the engine on the rows the server sends, narrowed by the rest; what Jet does after WHERE
        // (DISTINCT, ORDER BY with TOP) is then the engine's too.
        std::vector<Index> localConditions;
        if (computesLocally) {
            const auto isLocal = [&](Index e) { return local.needed(e); };
            if (s_.where != ast::None) serverWhere_ = splitConditions(s_.where, isLocal, localConditions);
            if (s_.from != ast::None) splitJoinConditions(s_.from, isLocal, localConditions);
        }
        const bool localFilter = !localConditions.empty();
        if (localFilter && s_.distinct == ast::Select::Distinct::DistinctRow && scope_.tables().size() > 1)
            localConditionRefused(localConditions.front(), "com DISTINCTROW");
        // The groups of rows only the engine has are its own, and so is all that follows them; so
        // are groups by what only the engine computes, or kept by such a HAVING.
        const bool groupedLocally =
            computesLocally && ((s_.having != ast::None && local.needed(s_.having)) ||
                                std::any_of(s_.groupBy.begin(), s_.groupBy.end(), [&](Index g) { return local.needed(g); }));
        const bool localGroups = (localFilter || groupedLocally) && (!s_.groupBy.empty() || s_.having != ast::None ||
                                                 anyItem([&](Index e) { return aggregates(e); }) ||
                                                 anyOrderTerm([&](Index e) { return aggregates(e); }));
        if (localGroups) {
            local.groupsLocally();
            refuseUngrouped();
        }
        const bool localColumns = computesLocally && anyItem([&](Index e) { return local.needed(e); });
        const bool localDistinct = s_.distinct == ast::Select::Distinct::Distinct && (localColumns || localFilter);
        // Jet's TOP n keeps the rows tied with the n-th on the ORDER BY terms; a rank does the
        // same. Ordered by a table's own counter there are no ties, and LIMIT lets SQLite stop early.
        // Terms the engine computes, or a rank over rows the engine completes, sort in the engine.
        const bool localOrder = ordered && computesLocally &&
                                (anyOrderTerm([&](Index e) { return local.needed(e); }) ||
                                 (localColumns && s_.top && !orderedByKey()) || localDistinct || localGroups ||
                                 (localFilter && s_.top));
        const bool localTop = s_.top && (localOrder || localFilter || localDistinct || localGroups);
        const bool distinct = s_.distinct == ast::Select::Distinct::Distinct && !localDistinct;
        if (localDistinct && ordered)
            for (const ast::OrderItem& term : s_.orderBy) selectedPosition(term.expr);
        // A percentage counts the rows first. With DISTINCT, the rows that remain once the
        // duplicates go are ranked (and counted) around it.
        const bool rankedDistinct = distinct && s_.top && !localTop && (ordered || s_.percent);
        const bool percent = s_.top && s_.percent && !localTop;
        const bool ranked = !distinct && (percent || (s_.top && ordered && !localTop && !orderedByKey()));
        // DISTINCT sorts by its selected columns, as Jet asks, named by their places in the result
        // (where an engine's collation would make a term another expression than the column).
        const bool sortedByPlace = distinct && ordered && !rankedDistinct && !localOrder;
        if (ranked) {
            out += "SELECT ";
            for (size_t i = 0; i < items_.size(); ++i) {
                if (i) out += ", ";
                sql::appendAliased(out, rankedName(i), items_[i].name);
            }
            out += " FROM (";
        }
        out += distinct ? "SELECT DISTINCT " : "SELECT ";
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
                sql::appendColumn(out, item.column.qualifier, item.column.column->name);
                value.end = out.size();
                value.typed.kind = item.column.kind;
            }
            if (shape && i < shape->size())
                w.convert(value, (*shape)[i].kind == ValueKind::Money ? Form::Money : Form::Double);
            const ValueKind kind = value.typed.null ? ValueKind::Unknown : value.typed.kind;
            // DISTINCT and UNION tell texts apart as Jet compares them, computed ones too.
            if ((distinct || unitesDistinct_) && kind == ValueKind::Text && item.expr != ast::None && !item.column)
                dialect_.collate(out, value.begin, value.typed, Dialect::TextUse::Compare);
            out += " AS ";
            sql::appendIdentifier(out, ranked || rankedDistinct ? rankedName(i) : item.name);
            q.columns.push_back({item.name, kind});
            sent.push_back(kind);
        }
        if (localOrder)
            for (const ast::OrderItem& term : s_.orderBy) q.order.push_back({local.localize(term.expr), term.descending});
        if (localTop) {
            q.top = s_.top;
            q.percent = s_.percent;
        }
        q.distinct = localDistinct;
        if (localFilter) {
            LocalValue all;
            all.kind = LocalValue::Kind::And;
            for (const Index c : localConditions) all.operands.push_back(local.localize(c));
            q.filter = all.operands.size() == 1 ? std::move(all.operands.front()) : std::move(all);
        }
        if (localGroups) {
            q.grouped = true;
            for (const Index g : s_.groupBy) q.groups.push_back(local.localize(g));
            if (s_.having != ast::None) q.having = local.localize(s_.having);
        }
        if (!local.empty()) {
            const bool first = sent.empty();
            local.writeFetched(w, out, q, first, std::move(sent));
            if (localFilter && w.wroteAggregate()) localConditionRefused(localConditions.front(), "com funções agregadas");
        }
        // Sorting by an aggregate needs a selection of them: SQLite refuses it otherwise, and Jet
        // asks that every column be grouped or aggregated.
        const char* const sortAggregates = w.wroteAggregate() || !s_.groupBy.empty() ? nullptr : "ORDER BY";
        if (ranked) {
            w.refuseAggregates(sortAggregates);
            if (ordered) {
                out += ", RANK() OVER (ORDER BY ";
                orderTerms(w, out);
                out += ") AS \"jet_rank\"";
            } else {
                out += ", ROW_NUMBER() OVER () AS \"jet_rank\"";
            }
            if (percent) out += ", COUNT(*) OVER () AS \"jet_count\"";
        }
        if (s_.from != ast::None) {
            out += " FROM ";
            w.refuseAggregates("FROM");
            writeFrom(w, out, s_.from, false);
        }
        if (s_.where != ast::None && !(localFilter && serverWhere_.empty())) {
            out += " WHERE ";
            w.refuseAggregates("WHERE");
            if (localFilter) writeConditions(w, out, serverWhere_);
            else w.writeCondition(s_.where);
        }
        if (!s_.groupBy.empty() && !localGroups) {
            out += " GROUP BY ";
            w.refuseAggregates("GROUP BY");
            for (size_t i = 0; i < s_.groupBy.size(); ++i) {
                if (i) out += ", ";
                w.writeTerm(s_.groupBy[i], Dialect::TextUse::Group);
            }
        } else if (s_.distinct == ast::Select::Distinct::DistinctRow && !w.wroteAggregate() && !localGroups) {
            rowKeys(out);
        }
        if (s_.having != ast::None && !localGroups) {
            out += " HAVING ";
            w.refuseAggregates(nullptr);
            w.writeCondition(s_.having);
        }
        if (sortedByPlace) {
            out += " ORDER BY ";
            for (size_t i = 0; i < s_.orderBy.size(); ++i) {
                if (i) out += ", ";
                const size_t position = selectedPosition(s_.orderBy[i].expr);
                dialect_.orderByPosition(out, position, q.columns[position - 1].kind);
                dialect_.orderDirection(out, s_.orderBy[i].descending);
            }
        } else if (ordered && !ranked && !rankedDistinct && !localOrder) {
            out += " ORDER BY ";
            w.refuseAggregates(sortAggregates);
            orderTerms(w, out);
        }
        if (s_.top && !ranked && !rankedDistinct && !localTop) out += " LIMIT " + std::to_string(*s_.top);
        if (rankedDistinct) rankDistinctRows(out, q.columns, ordered);
        if (ranked || rankedDistinct) {
            out += ")";
            out += dialect_.subqueryAlias();
            // TOP n PERCENT keeps the rows ranked within n% of the count, rounded up.
            if (percent)
                out += " WHERE (\"jet_rank\" - 1) * 100 < " + std::to_string(*s_.top) + " * \"jet_count\"";
            else
                out += " WHERE \"jet_rank\" <= " + std::to_string(*s_.top);
            out += " ORDER BY \"jet_rank\"";
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
        if (f.join == From::Join::Table && f.query != ast::None) {
            Query q = writeNested(tree_, f.query, dialect_, nullptr, nullptr);
            if (q.computedLocally())
                throwError(err::Syntax, "Neste banco de dados uma subconsulta não pode ter o que só o mecanismo calcula, " +
                                            whereInText(tree_.text, f.position, f.alias) + ".");
            scope_.addSelection(f.alias, q.columns);
            derived_.push_back({i, std::move(q.sql)});
            return;
        }
        if (f.join == From::Join::Table) {
            scope_.addTable(f.table, f.alias);
            return;
        }
        collectTables(f.left);
        collectTables(f.right);
    }

    void writeFrom(ExpressionWriter& w, std::string& out, Index i, bool nested) const {
        const From& f = tree_.froms[static_cast<size_t>(i)];
        if (f.join == From::Join::Table && f.query != ast::None) {
            for (const auto& [from, sql] : derived_)
                if (from == i) out += "(" + sql + ")";
            out += " AS ";
            sql::appendIdentifier(out, f.alias);
            return;
        }
        if (f.join == From::Join::Table) {
            if (f.alias.empty())
                sql::appendIdentifier(out, findTable(f.table)->name);
            else
                sql::appendAliased(out, findTable(f.table)->name, f.alias);
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
            const auto kept = std::find_if(serverOn_.begin(), serverOn_.end(), [&](const auto& on) { return on.first == i; });
            if (kept != serverOn_.end()) writeConditions(w, out, kept->second);
            else w.writeCondition(f.on);
        }
        if (nested) out += ')';
    }

    // The conditions ANDed in e that test(condition) leaves to the server; the others are added
    // to elsewhere.
    template <typename Test>
    std::vector<Index> splitConditions(Index e, Test test, std::vector<Index>& elsewhere) const {
        std::vector<Index> kept;
        auto walk = [&](auto&& self, Index c) -> void {
            const Expr& x = tree_[c];
            if (x.kind == Expr::Kind::Binary && x.op == ast::Op::And) {
                self(self, x.first);
                self(self, tree_.nextOf(x.first));
            } else {
                (test(c) ? elsewhere : kept).push_back(c);
            }
        };
        walk(walk, e);
        return kept;
    }

    // An inner join's ON condition is a WHERE condition, unless an outer join encloses it.
    template <typename Test>
    void splitJoinConditions(Index i, Test test, std::vector<Index>& elsewhere) {
        const From& f = tree_.froms[static_cast<size_t>(i)];
        if (f.join != From::Join::Inner && f.join != From::Join::Cross) return;
        if (f.on != ast::None) {
            const size_t before = elsewhere.size();
            std::vector<Index> kept = splitConditions(f.on, test, elsewhere);
            if (elsewhere.size() != before) serverOn_.emplace_back(i, std::move(kept));
        }
        splitJoinConditions(f.left, test, elsewhere);
        splitJoinConditions(f.right, test, elsewhere);
    }

    static void writeConditions(ExpressionWriter& w, std::string& out, const std::vector<Index>& conditions) {
        if (conditions.empty()) out += "TRUE";
        for (size_t i = 0; i < conditions.size(); ++i) {
            if (i) out += " AND ";
            if (conditions.size() > 1) out += '(';
            w.writeCondition(conditions[i]);
            if (conditions.size() > 1) out += ')';
        }
    }

    // Whether e calls an aggregate (not counting those of the selections inside it).
    bool aggregates(Index e) const {
        const Expr& x = tree_[e];
        if (x.kind == Expr::Kind::Call && isAggregate(x.a)) return true;
        for (Index i = x.first; i != ast::None; i = tree_.nextOf(i))
            if (aggregates(i)) return true;
        return false;
    }

    // Where the engine groups, a column the server sends is a group's: it must be grouped by, as
    // Jet asks of every column that no aggregate takes.
    void refuseUngrouped() const {
        for (const Item& item : items_) {
            if (item.expr != ast::None && aggregates(item.expr)) continue;
            const Expr* e = item.expr != ast::None ? &tree_[item.expr] : nullptr;
            if (e && e->kind != Expr::Kind::Column) continue;  // computed from grouped columns, or refused by them
            const ResolvedColumn c = e ? scope_.resolve(e->a, e->b) : item.column;
            const bool grouped = std::any_of(s_.groupBy.begin(), s_.groupBy.end(), [&](Index g) {
                const Expr& t = tree_[g];
                const ResolvedColumn d = t.kind == Expr::Kind::Column ? scope_.resolve(t.a, t.b) : ResolvedColumn{};
                return d && c && d.column == c.column && d.qualifier == c.qualifier;
            });
            if (!grouped)
                throwError(err::Syntax, "Sua consulta não inclui a expressão especificada '" + item.name +
                                            "' como parte de uma função agregada.");
        }
    }

    [[noreturn]] void localConditionRefused(Index condition, std::string_view where) const {
        const uint32_t at = tree_[condition].position;
        throwError(err::Syntax, "Neste banco de dados uma condição que só o mecanismo calcula não pode estar numa consulta " +
                                    std::string(where) + ", " + whereInText(tree_.text, at, tree_.text.substr(at)) + ".");
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

    // Encloses the DISTINCT selection written in out in the one that ranks its rows, by the places
    // of the columns its ORDER BY names; the caller closes it as it closes any ranked selection.
    void rankDistinctRows(std::string& out, const std::vector<ResultColumn>& columns, bool ordered) const {
        std::string head = "SELECT ";
        for (size_t i = 0; i < items_.size(); ++i) {
            if (i) head += ", ";
            sql::appendIdentifier(head, rankedName(i));
            head += " AS ";
            sql::appendIdentifier(head, items_[i].name);
        }
        head += " FROM (SELECT *, ";
        if (ordered) {
            head += "RANK() OVER (ORDER BY ";
            for (size_t i = 0; i < s_.orderBy.size(); ++i) {
                if (i) head += ", ";
                const size_t position = selectedPosition(s_.orderBy[i].expr);
                const size_t mark = head.size();
                sql::appendIdentifier(head, rankedName(position - 1));
                const Typed term{columns[position - 1].kind};
                if (!isNumeric(term.kind)) dialect_.collate(head, mark, term, Dialect::TextUse::Order);
                dialect_.orderDirection(head, s_.orderBy[i].descending);
            }
            head += ")";
        } else {
            head += "ROW_NUMBER() OVER ()";
        }
        head += " AS \"jet_rank\"";
        if (s_.percent) head += ", COUNT(*) OVER () AS \"jet_count\"";
        head += " FROM (";
        out.insert(0, head);
        out += ")";
        out += dialect_.subqueryAlias();
    }

    // The result column (from 1) that an ORDER BY term of a DISTINCT selection names.
    size_t selectedPosition(Index term) const {
        const Expr& e = tree_[term];
        if (e.kind == Expr::Kind::Column) {
            for (size_t i = 0; i < items_.size(); ++i)
                if (e.a.empty() && sameWord(items_[i].name, e.b)) return i + 1;
            if (const ResolvedColumn c = scope_.resolve(e.a, e.b))
                for (size_t i = 0; i < items_.size(); ++i)
                    if (items_[i].column.column == c.column && items_[i].column.qualifier == c.qualifier) return i + 1;
        }
        throwError(err::Syntax, "A cláusula ORDER BY entra em conflito com DISTINCT, " +
                                    whereInText(tree_.text, e.position, e.b.empty() ? std::string_view("ORDER BY") : e.b) +
                                    ".");
    }

    bool orderedByKey() const {
        if (scope_.tables().size() != 1) return false;
        const Expr& e = tree_[s_.orderBy.front().expr];
        if (e.kind != Expr::Kind::Column) return false;
        const ResolvedColumn c = scope_.resolve(e.a, e.b);
        return c && c.column->kind == ColumnKind::Counter;
    }

    void addStar(const ScopedTable& t) {
        for (const ColumnDef& c : t.table->columns) items_.push_back({ast::None, scope_.columnOf(t, c), c.name});
    }

    // DISTINCTROW keeps one row per combination of the rows of the tables whose columns are
    // selected: grouped by their keys (their counters, or all their columns). With one table, or
    // every table's columns selected, the rows differ already.
    void rowKeys(std::string& out) const {
        std::vector<std::string_view> selected;
        auto note = [&](std::string_view qualifier) {
            for (std::string_view q : selected)
                if (q == qualifier) return;
            selected.push_back(qualifier);
        };
        auto walk = [&](auto&& self, Index i) -> void {
            for (; i != ast::None; i = tree_.nextOf(i)) {
                const Expr& e = tree_[i];
                if (e.kind == Expr::Kind::Column)
                    if (const ResolvedColumn c = scope_.resolve(e.a, e.b); c && scope_.table(c.qualifier)) note(c.qualifier);
                self(self, e.first);
            }
        };
        for (const Item& item : items_) {
            if (item.column) note(item.column.qualifier);
            else if (item.expr != ast::None) walk(walk, tree_[item.expr].kind == Expr::Kind::Column ? item.expr : tree_[item.expr].first);
        }
        if (selected.empty() || selected.size() == scope_.tables().size()) return;
        out += " GROUP BY ";
        bool first = true;
        for (std::string_view name : selected) {
            const ScopedTable& t = *scope_.table(name);
            const ColumnDef* counter = nullptr;
            for (const ColumnDef& c : t.table->columns)
                if (c.kind == ColumnKind::Counter && !t.kinds) counter = &c;
            for (const ColumnDef& c : t.table->columns) {
                if (counter && &c != counter) continue;
                if (!first) out += ", ";
                first = false;
                sql::appendColumn(out, t.name, c.name);
            }
        }
    }

    void prepareItems() {
        int unnamed = 1000;
        items_.reserve(s_.items.size());
        for (const ast::SelectItem& si : s_.items) {
            if (si.expr == ast::None) {
                if (si.star.empty()) {
                    for (const ScopedTable& t : scope_.tables()) addStar(t);
                } else if (const ScopedTable* t = scope_.table(si.star)) {
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
                    item.column = c;
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
            const ResolvedColumn& a = items_[i].column;
            if (!a) continue;
            for (size_t j = i + 1; j < items_.size(); ++j) {
                const ResolvedColumn& b = items_[j].column;
                if (!b || b.qualifier == a.qualifier || !sameWord(b.column->name, a.column->name)) continue;
                items_[j].name = std::string(b.qualifier) + "." + b.column->name;
                items_[i].name = std::string(a.qualifier) + "." + a.column->name;
            }
        }
    }

    const ast::Tree& tree_;
    const ast::Select& s_;
    const Dialect& dialect_;
    Scope scope_;
    bool unitesDistinct_ = false;  // the first member of a UNION without ALL
    std::vector<std::pair<Index, std::string>> derived_;  // the text of each selection in FROM
    std::vector<Item> items_;
    std::vector<Alias> aliases_;
    // Where the engine tests some conditions: those of WHERE left to the server, and of each
    // inner join's ON.
    std::vector<Index> serverWhere_;
    std::vector<std::pair<Index, std::vector<Index>>> serverOn_;
};

[[noreturn]] void columnCountDiffers() {
    throwError(err::Syntax, "O número de colunas nas consultas de uma consulta união não corresponde.");
}

}  // namespace

Query writeSelect(const ast::Tree& tree, const ast::Select& select, const Dialect& dialect) {
    return SelectWriter(tree, select, dialect, nullptr).write(true);
}

Query writeNested(const ast::Tree& tree, Index query, const Dialect& dialect, const Scope* outer,
                  const std::vector<ResultColumn>* shape) {
    return writeUnion(tree, tree.queries[static_cast<size_t>(query)].selects, dialect, outer, shape);
}

Query writeUnion(const ast::Tree& tree, const std::vector<ast::Select>& members, const Dialect& dialect,
                 const Scope* outer, const std::vector<ResultColumn>* shape) {
    if (members.size() == 1) return SelectWriter(tree, members.front(), dialect, outer).write(true, shape);
    Query q;
    for (size_t i = 0; i < members.size(); ++i) {
        const ast::Select& m = members[i];
        const bool last = i + 1 == members.size();
        // The last member's ORDER BY sorts the whole union, unless it belongs to that member's TOP.
        const bool unionOrder = last && !m.top && !m.orderBy.empty();
        SelectWriter member(tree, m, dialect, outer);
        // SQLite removes a union's repeated rows in its first member's collations.
        if (i == 0 && std::any_of(members.begin(), members.end(), [](const ast::Select& s) { return !s.unionAll; }))
            member.unitesDistinct();
        Query part = member.write(!unionOrder, shape ? shape : i == 0 ? nullptr : &q.columns);
        if (part.computedLocally())
            throwError(err::Syntax, "Neste banco de dados uma consulta união não pode ter o que só o mecanismo calcula.");
        if (i == 0) q.columns = part.columns;
        else if (part.columns.size() != q.columns.size()) columnCountDiffers();
        if (i) q.sql += m.unionAll ? " UNION ALL " : " UNION ";
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
