#pragma once
// The tables a statement reads, and the resolution of the column names it writes.
#include <list>
#include <string>
#include <string_view>
#include <vector>

#include "zelt/jet/catalogue.hpp"
#include "zelt/jet/translator.hpp"

namespace zelt::jet {

// A table as the statement names it: by its own name or an alias; a selection in FROM is a table
// whose columns have the kinds of its results.
struct ScopedTable {
    std::string_view name;
    const TableDef* table = nullptr;
    const std::vector<ValueKind>* kinds = nullptr;  // a selection's, else the catalogue's
};

struct ResolvedColumn {
    const TableDef* table = nullptr;
    const ColumnDef* column = nullptr;
    std::string_view qualifier;  // the table's name in the statement
    ValueKind kind = ValueKind::Unknown;
    explicit operator bool() const { return column != nullptr; }
};

class Scope {
public:
    Scope() = default;
    // A subquery's scope: names its own tables lack are looked up in the outer statement's.
    explicit Scope(const Scope* outer) : outer_(outer) {}
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

    // In the order in which the FROM clause names them. Raises the missing-table error, and the
    // listed-twice error for two tables of one name.
    const TableDef& addTable(std::string_view name, std::string_view alias = {});
    // A selection in FROM, named alias, with its result columns.
    void addSelection(std::string_view alias, const std::vector<ResultColumn>& columns);
    const std::vector<ScopedTable>& tables() const { return tables_; }
    const ScopedTable* table(std::string_view name) const;
    ResolvedColumn columnOf(const ScopedTable& t, const ColumnDef& c) const;

    // Table.Column must name a table of the statement (or of an outer one) and one of its columns
    // (else the missing-column error). A bare Column is looked up in every table, then outwards:
    // nothing when none has it, the ambiguous-field error when two of one statement have it.
    ResolvedColumn resolve(std::string_view table, std::string_view column) const;

private:
    const Scope* outer_ = nullptr;
    std::vector<ScopedTable> tables_;
    std::list<TableDef> selections_;  // a list: nothing to allocate for the usual scope without any
    std::list<std::vector<ValueKind>> kinds_;
};

}  // namespace zelt::jet
