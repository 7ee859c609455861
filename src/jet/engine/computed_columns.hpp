#pragma once
// The columns and ORDER BY terms of a selection that the engine computes from the server's rows
// (Format where the server has none), Jet's ORDER BY and TOP on them, and Jet's Format itself.
#include <string_view>
#include <vector>

#include "zelt/ado/recordset.hpp"
#include "zelt/automation/variant.hpp"
#include "zelt/jet/translator.hpp"

namespace zelt::jet::engine {

// fetched holds the server's rows one after another, query.fetched.size() values each.
Ref<ado::Recordset> computeRows(const Query& query, std::vector<Variant> fetched);

// Jet's Format: a date pattern formats a date (or a text that reads as one), a number pattern a
// number (or a text that reads as one); anything else comes back as it is. Null stays Null.
Variant formatValue(const Variant& value, std::string_view pattern);

}  // namespace zelt::jet::engine
