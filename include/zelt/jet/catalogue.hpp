#pragma once
// The schema, written once: every table and column the component names, with the kind of value each
// holds. The translator resolves and types columns from it; the engine creates the tables from it.
#include <string>
#include <string_view>
#include <vector>

namespace zelt::jet {

enum class ColumnKind { Counter, Number, Double, Text, Memo, YesNo, DateTime, Date, Money };

struct ColumnDef {
    std::string name;
    ColumnKind kind;
    int size = 0;  // text width; 0 = the kind's default
};

struct ForeignKey {
    std::string column;
    std::string refTable;
    std::string refColumn;
};

struct TableDef {
    std::string name;
    std::vector<ColumnDef> columns;
    std::vector<ForeignKey> foreignKeys;
    std::vector<std::vector<std::string>> indexes;  // columns of each index
    std::vector<std::string> uniqueWhenFilled = {};  // columns no two rows share a non-blank value of
};

const std::vector<TableDef>& catalogue();
// The same tables, each after those its relations name (the order to create or fill them in).
std::vector<const TableDef*> tablesReferredFirst();
const TableDef* findTable(std::string_view name);                 // case-insensitive
const ColumnDef* findColumn(const TableDef& table, std::string_view column);

}  // namespace zelt::jet
