#pragma once
// A data-shaping command run the same way on every engine: the engine only reads the rows of each
// selection; the relations and the aggregates over chapters are made here.
#include <functional>

#include "zelt/ado/recordset.hpp"
#include "zelt/jet/translator.hpp"

namespace zelt::jet::engine {

using ReadRows = std::function<Ref<ado::Recordset>(const Query&)>;

// The hierarchical recordset of a level: its selection's rows with the columns appended in order.
Ref<ado::Recordset> shapeRows(const ShapeLevel& level, const ReadRows& read);

}  // namespace zelt::jet::engine
