#pragma once
#include "jet/parser/ast.hpp"
#include "jet/translate/dialect.hpp"
#include "zelt/jet/translator.hpp"

namespace zelt::jet {

// INSERT INTO ... VALUES, UPDATE ... SET and DELETE, with each written value converted to the
// kind of its column.
Query writeModification(const ast::Tree& tree, const Dialect& dialect);

}  // namespace zelt::jet
