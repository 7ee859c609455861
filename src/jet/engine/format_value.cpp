#include "jet/engine/format_value.hpp"

#include <strings.h>

#include "zelt/automation/date.hpp"
#include "zelt/automation/regional.hpp"

namespace zelt::jet::engine {
namespace {

// A pattern with any of the date letters (outside escapes and quotes) formats a date.
bool isDatePattern(std::string_view pattern) {
    bool quoted = false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '"') quoted = !quoted;
        else if (quoted) continue;
        else if (c == '\\') ++i;
        else {
            switch (c | 0x20) {  // the letter in lower case
            case 'd': case 'm': case 'y': case 'h': case 'n': case 's': return true;
            default: break;
            }
        }
    }
    return false;
}

bool isNumber(const Variant& v) { return v.isNumber() || v.type() == VarType::Bool || v.type() == VarType::Date; }

}  // namespace

// Named formats come first: their names hold date letters.
std::optional<std::string> formatValue(const Variant& x, std::string_view pattern) {
    if (x.isNull() || x.isEmpty()) return std::nullopt;
    const Currency* amount = x.get<Currency>();
    if (pattern.empty()) {
        if (amount) return amount->toString('.');
        if (isNumber(x)) return x.type() == VarType::Date ? x.toText() : Variant(x.toDouble()).toText();
        return std::nullopt;
    }
    std::optional<double> number;
    if (!amount) number = isNumber(x) ? std::optional<double>(x.toDouble()) : regional::parseNumber(x.toText());
    if (regional::isNamedNumberFormat(pattern)) {
        if (amount) return regional::formatNamed(*amount, pattern);
        if (number) return regional::formatNamed(*number, pattern);
        return std::nullopt;
    }
    constexpr std::string_view GeneralDate = "General Date";
    const bool general = pattern.size() == GeneralDate.size() &&
                         strncasecmp(pattern.data(), GeneralDate.data(), GeneralDate.size()) == 0;
    if (const auto named = regional::namedDatePattern(pattern)) pattern = *named;
    if (general || isDatePattern(pattern)) {
        std::optional<Date> d;
        if (amount) d = Date(amount->toDouble());
        else if (isNumber(x)) d = Date(x.toDouble());
        else d = Date::parseRegional(x.toText());
        if (!d) return std::nullopt;
        return general ? d->toRegionalText() : d->format(pattern);
    }
    if (amount) return regional::formatNumber(*amount, pattern);
    if (number) return regional::formatNumber(*number, pattern);
    return std::nullopt;
}

}  // namespace zelt::jet::engine
