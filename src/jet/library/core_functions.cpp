// The functions the translation writes for each engine itself (Trim, Val, Year, Month, Day), for an
// engine that must compute them on values only it has, such as Val(Chr(49)) on a server without
// the library. Their meaning is the one regional::trim, regional::val and Date give them on SQLite.
#include <cstdint>
#include <optional>
#include <string>

#include "jet/library/arguments.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/automation/regional.hpp"
#include "zelt/jet/errors.hpp"

namespace zelt::jet::library {
namespace {

Variant trim(Arguments a) {
    if (a[0].isNull()) return Variant::null();
    if (a[0].type() == VarType::String) return Variant(std::string(regional::trim(*a[0].get<std::string>())));
    return Variant(a[0].toText());
}

Variant val(Arguments a) {
    if (a[0].isNull()) return Variant::null();
    if (a[0].type() == VarType::String) return Variant(regional::val(*a[0].get<std::string>()));
    return Variant(a[0].toDouble());
}

template <int DateParts::*Part>
Variant datePart(Arguments a) {
    if (a[0].isNull()) return Variant::null();
    const Date d = a[0].type() == VarType::String ? dateOfText(*a[0].get<std::string>()) : a[0].toDate();
    return Variant(static_cast<int32_t>(d.parts().*Part));
}

constexpr Function Functions[] = {
    {"Trim", 1, 1, Result::Text, trim},
    {"Val", 1, 1, Result::Double, val},
    {"Year", 1, 1, Result::Long, datePart<&DateParts::year>},
    {"Month", 1, 1, Result::Long, datePart<&DateParts::month>},
    {"Day", 1, 1, Result::Long, datePart<&DateParts::day>},
};

}  // namespace

Date dateOfText(std::string_view text) {
    if (const std::optional<Date> d = Date::parseRegional(text)) return *d;
    throwError(jet::err::TypeMismatch, "Tipo de dados incompatível na expressão: '" + std::string(text) + "' não é uma data.");
}

std::span<const Function> coreFunctions() { return Functions; }

}  // namespace zelt::jet::library
