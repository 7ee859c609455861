#include "jet/translate/scope.hpp"

#include "jet/parser/syntax_error.hpp"
#include "jet/parser/token.hpp"

namespace zelt::jet {

const TableDef& Scope::addTable(std::string_view name) {
    const TableDef* t = findTable(name);
    if (!t) missingTable(name);
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
    // A bare name that several joined tables hold is the last such table's, as Jet resolves it:
    // in "Animais INNER JOIN Clientes" an unqualified DataDeNascimento is the client's.
    for (auto it = tables_.rbegin(); it != tables_.rend(); ++it)
        if (const ColumnDef* c = findColumn(**it, column)) return {*it, c};
    return {};
}

}  // namespace zelt::jet
