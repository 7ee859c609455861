#pragma once
// The tables a statement reads, and the resolution of the column names it writes.
#include <string_view>
#include <vector>

#include "zelt/jet/catalogue.hpp"

namespace zelt::jet {

struct ResolvedColumn {
    const TableDef* table = nullptr;
    const ColumnDef* column = nullptr;
    explicit operator bool() const { return column != nullptr; }
};

class Scope {
public:
    // In the order in which the FROM clause names them. Raises the missing-table error.
    const TableDef& addTable(std::string_view name);
    const std::vector<const TableDef*>& tables() const { return tables_; }
    const TableDef* table(std::string_view name) const;

    // Table.Column must name a table of the statement and one of its columns (else the
    // missing-column error). A bare Column is looked up in every table: nothing when none has it,
    // the ambiguous-field error when two have it.
    ResolvedColumn resolve(std::string_view table, std::string_view column) const;

private:
    std::vector<const TableDef*> tables_;
};

}  // namespace zelt::jet
