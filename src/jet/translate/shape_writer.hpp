#pragma once
#include <memory>

#include "jet/parser/ast.hpp"
#include "jet/translate/dialect.hpp"
#include "zelt/jet/translator.hpp"

namespace zelt::jet {

// A data-shaping command: its selections written for the engine, the names it relates and
// aggregates found among their result columns (missing-column error otherwise), and the chapters
// without a name given the provider's ("Chapter1", "Chapter2", ... in each level; "Aggregate1", ...).
std::shared_ptr<const ShapeLevel> writeShape(const ast::Tree& tree, const Dialect& dialect);

}  // namespace zelt::jet
