#pragma once
// Jet's Format of one value, written once for every engine: SQLite's jet_format and the engine
// layer that formats fetched values both call it.
#include <optional>
#include <string>
#include <string_view>

#include "zelt/automation/variant.hpp"

namespace zelt::jet::engine {

// value: a number, an exact amount (Currency), a date, or a text (read as a number or a date where
// the pattern asks for one). A date pattern or a named date format formats a date, a number
// pattern or a named number format a number. Nothing when the value comes back as it is (Null, or
// what the pattern cannot format).
std::optional<std::string> formatValue(const Variant& value, std::string_view pattern);

}  // namespace zelt::jet::engine
