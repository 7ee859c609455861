#pragma once
// How values are written into the statements the component builds.
#include <string>

#include "zelt/automation/variant.hpp"

namespace zelt::clientanim::sql {

// A code: the run time's number-to-text conversion, no thousands separator, whole codes without decimals.
inline std::string numero(double v) { return Variant(v).toText(); }
inline std::string numero(int32_t v) { return std::to_string(v); }
inline std::string booleano(bool v) { return v ? "True" : "False"; }
// The amount's decimal text with every "," made "." whatever the locale: 12.5.
inline std::string moeda(Currency v) { return v.toString('.'); }
inline std::string dataHora(Date d) { return d.toRegionalText(); }
inline std::string texto(const std::string& v) { return "'" + v + "'"; }

}  // namespace zelt::clientanim::sql
