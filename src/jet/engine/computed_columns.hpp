#pragma once
// The columns and ORDER BY terms of a selection that the engine computes from the server's rows
// (Format where the server has none), and Jet's ORDER BY and TOP on them.
#include <vector>

#include "zelt/ado/recordset.hpp"
#include "zelt/automation/variant.hpp"
#include "zelt/jet/translator.hpp"

namespace zelt::jet::engine {

// Jet's order: Null first, then numbers (dates and Yes/No among them), then text in the
// Portuguese order. <0, 0, >0.
int compareInJetOrder(const Variant& a, const Variant& b);

// fetched holds the server's rows one after another, query.fetched.size() values each.
Ref<ado::Recordset> computeRows(const Query& query, std::vector<Variant> fetched);

}  // namespace zelt::jet::engine
