#pragma once
#include <vector>

#include "jet/parser/ast.hpp"
#include "jet/translate/dialect.hpp"
#include "zelt/jet/translator.hpp"

namespace zelt::jet {

// One SELECT, or the members of a UNION ALL (the columns are the first member's).
Query writeSelect(const ast::Tree& tree, const ast::Select& select, const Dialect& dialect);
Query writeUnion(const ast::Tree& tree, const std::vector<ast::Select>& members, const Dialect& dialect);

}  // namespace zelt::jet
