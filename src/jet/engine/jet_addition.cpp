#include "jet/engine/jet_addition.hpp"

#include <limits>
#include <string>

#include "jet/engine/refusals.hpp"
#include "zelt/automation/regional.hpp"

namespace zelt::jet::engine {
namespace {

double numberOf(const std::string& text) {
    if (const auto n = regional::parseNumber(text)) return *n;
    throw notANumber();
}

bool isWhole(const Variant& v) { return v.type() == VarType::I4 || v.type() == VarType::I2 || v.type() == VarType::UI1; }

// Money beside whole numbers adds exactly, and stays money.
bool moneyBesideWholeNumbers(std::span<const Variant> operands) {
    bool money = false;
    for (const Variant& v : operands) {
        if (!v.get<Currency>() && !isWhole(v)) return false;
        money = money || v.get<Currency>();
    }
    return money;
}

}  // namespace

Variant addValues(std::span<const Variant> operands) {
    for (const Variant& v : operands)
        if (v.isNull()) return Variant::null();
    if (moneyBesideWholeNumbers(operands)) {
        Currency money;
        for (const Variant& v : operands) money += v.toCurrency();
        return Variant(money);
    }
    std::string text;
    bool isText = true, integers = true;
    double sum = 0;
    for (size_t i = 0; i < operands.size(); ++i) {
        const Variant& x = operands[i];
        const bool xText = x.isText();
        if (isText && xText) {
            text += *x.get<std::string>();
            continue;
        }
        if (isText && i > 0) {
            sum = numberOf(text);
            integers = false;
        }
        isText = false;
        integers = integers && isWhole(x);
        sum += xText ? numberOf(*x.get<std::string>()) : x.toDouble();
    }
    if (isText) return Variant(std::move(text));
    if (integers && sum >= std::numeric_limits<int32_t>::min() && sum <= std::numeric_limits<int32_t>::max())
        return Variant(static_cast<int32_t>(sum));
    return Variant(sum);
}

}  // namespace zelt::jet::engine
