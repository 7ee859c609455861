#pragma once
// The aggregates of a data-shaping command over the values of a chapter's rows, as Jet computes its
// own: Null values count for nothing, and no value gives Null (Count gives 0).
#include <span>

#include "zelt/automation/variant.hpp"
#include "zelt/jet/translator.hpp"

namespace zelt::jet::engine {

// rows: the chapter's rows, for Count of rows (values then empty).
Variant aggregateOf(ShapeLevel::Column::Kind kind, std::span<const Variant> values, size_t rows);

}  // namespace zelt::jet::engine
