#pragma once
#include <vector>

#include "jet/parser/ast.hpp"
#include "jet/translate/dialect.hpp"
#include "jet/translate/scope.hpp"
#include "zelt/jet/translator.hpp"

namespace zelt::jet {

// One SELECT, or the members of a UNION ALL (the columns are the first member's).
Query writeSelect(const ast::Tree& tree, const ast::Select& select, const Dialect& dialect);
// outer: the scope whose tables a nested selection may name. shape: the columns whose kinds the
// selection's take where money is involved.
Query writeUnion(const ast::Tree& tree, const std::vector<ast::Select>& members, const Dialect& dialect,
                 const Scope* outer = nullptr, const std::vector<ResultColumn>* shape = nullptr);
// A selection inside the statement (Tree::queries).
Query writeNested(const ast::Tree& tree, ast::Index query, const Dialect& dialect, const Scope* outer,
                  const std::vector<ResultColumn>* shape);

}  // namespace zelt::jet
