#include "jet/translate/scope.hpp"

#include "jet/parser/syntax_error.hpp"
#include "jet/parser/token.hpp"

namespace zelt::jet {

const TableDef& Scope::addTable(std::string_view name) {
    const TableDef* t = findTable(name);
    if (!t) missingTable(name);
    // Without aliases a second copy could not be told apart from the first.
    if (table(name)) tableListedTwice(t->name);
    tables_.push_back(t);
    return *t;
}

const TableDef* Scope::table(std::string_view name) const {
    for (const TableDef* t : tables_)
        if (sameWord(t->name, name)) return t;
    return nullptr;
}

ResolvedColumn Scope::resolve(std::string_view tableName, std::string_view column) const {
    if (!tableName.empty()) {
        const TableDef* t = table(tableName);
        if (!t) missingColumn(std::string(tableName) + "." + std::string(column), "nas tabelas da instrução");
        const ColumnDef* c = findColumn(*t, column);
        if (!c) missingColumn(column, "na tabela '" + t->name + "'");
        return {t, c};
    }
    // A bare name that two tables of the statement hold is refused, as Jet refuses it.
    ResolvedColumn found;
    for (const TableDef* t : tables_) {
        const ColumnDef* c = findColumn(*t, column);
        if (!c) continue;
        if (found) ambiguousColumn(column);
        found = {t, c};
    }
    return found;
}

}  // namespace zelt::jet
