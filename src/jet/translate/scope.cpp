#include "jet/translate/scope.hpp"

#include "jet/parser/syntax_error.hpp"
#include "jet/parser/token.hpp"
#include "jet/translate/expression_writer.hpp"

namespace zelt::jet {

const TableDef& Scope::addTable(std::string_view name, std::string_view alias) {
    // The engine's own tables are Jet's MSys...: they exist, but no caller may read them.
    if (name.size() >= 4 && sameWord(name.substr(0, 4), "MSys")) catalogueRefused(name);
    const TableDef* t = findTable(name);
    if (!t) missingTable(name);
    const std::string_view named = alias.empty() ? std::string_view(t->name) : alias;
    // Without distinct aliases a second copy could not be told apart from the first.
    if (table(named)) tableListedTwice(named);
    tables_.push_back({named, t});
    return *t;
}

void Scope::addSelection(std::string_view alias, const std::vector<ResultColumn>& columns) {
    if (table(alias)) tableListedTwice(alias);
    TableDef& t = selections_.emplace_back();
    t.name = std::string(alias);
    std::vector<ValueKind>& kinds = kinds_.emplace_back();
    for (const ResultColumn& c : columns) {
        t.columns.push_back({c.name, ColumnKind::Double});
        kinds.push_back(c.kind);
    }
    tables_.push_back({alias, &t, &kinds});
}

const ScopedTable* Scope::table(std::string_view name) const {
    for (const ScopedTable& t : tables_)
        if (sameWord(t.name, name)) return &t;
    return nullptr;
}

ResolvedColumn Scope::columnOf(const ScopedTable& t, const ColumnDef& c) const {
    const auto i = static_cast<size_t>(&c - t.table->columns.data());
    return {t.table, &c, t.name, t.kinds ? (*t.kinds)[i] : kindOf(c.kind)};
}

ResolvedColumn Scope::resolve(std::string_view tableName, std::string_view column) const {
    if (!tableName.empty()) {
        const ScopedTable* t = table(tableName);
        if (!t)
            for (const Scope* o = outer_; o; o = o->outer_)
                if (o->table(tableName)) return o->resolve(tableName, column);
        if (!t) missingColumn(std::string(tableName) + "." + std::string(column), "nas tabelas da instrução");
        const ColumnDef* c = findColumn(*t->table, column);
        if (!c) missingColumn(column, "na tabela '" + std::string(t->name) + "'");
        return columnOf(*t, *c);
    }
    // A bare name that two tables of the statement hold is refused, as Jet refuses it.
    ResolvedColumn found;
    for (const ScopedTable& t : tables_) {
        const ColumnDef* c = findColumn(*t.table, column);
        if (!c) continue;
        if (found) ambiguousColumn(column);
        found = columnOf(t, *c);
    }
    if (!found && outer_) return outer_->resolve(tableName, column);
    return found;
}

}  // namespace zelt::jet
