#pragma once
// A recordset as JSON: {"fields":[{"name":..,"type":N,"definedSize":N,"attributes":N}],
// "rows":[[...]]}. Text as strings, numbers as numbers, Booleans as true/false, Null as null,
// dates as their regional text, money as numbers, chapters as nested objects of the same form.
#include <nlohmann/json.hpp>

#include "zelt/ado/recordset.hpp"

namespace zelt::ado {

nlohmann::json toJson(const Recordset& rs);   // every row, in the current order; the cursor is kept
Ref<Recordset> fromJson(const nlohmann::json& j);
nlohmann::json variantToJson(const Variant& v);

}  // namespace zelt::ado
