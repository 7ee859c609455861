#pragma once
// Jet's + over values of any kinds, written once: SQLite's jet_add and the engine layer both use it.
#include <span>

#include "zelt/automation/variant.hpp"

namespace zelt::jet::engine {

// a + b + ..., from the left: texts concatenate until a number joins them, which makes the whole
// a number (a text then read as one under the regional settings, or the type-mismatch error);
// Null makes Null. Whole numbers give a whole number while the sum fits a Long.
Variant addValues(std::span<const Variant> operands);

}  // namespace zelt::jet::engine
