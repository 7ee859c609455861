#include "zelt/automation/variant.hpp"

#include <charconv>
#include <cmath>
#include <limits>

#include "zelt/automation/error.hpp"
#include "zelt/automation/regional.hpp"

namespace zelt {

namespace {

[[noreturn]] void nullUse() { throwError(InvalidUseOfNull); }

// VB's conversions to whole numbers round half to even and overflow outside the type.
template <class T>
T roundedTo(double v) {
    if (!std::isfinite(v)) throwError(err::Overflow);
    const double r = std::nearbyint(v);  // the default rounding mode: half to even
    if (r < static_cast<double>(std::numeric_limits<T>::min()) || r > static_cast<double>(std::numeric_limits<T>::max()))
        throwError(err::Overflow);
    return static_cast<T>(r);
}

std::string doubleText(double v) {
    if (v == std::trunc(v) && std::fabs(v) < 1e15) {
        char buf[32];
        auto r = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(v));
        return std::string(buf, r.ptr);
    }
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    std::string s(buf, r.ptr);
    for (char& c : s)
        if (c == 'e') c = 'E';
    return s;
}

}  // namespace

VarType Variant::type() const {
    static constexpr VarType types[] = {VarType::Empty, VarType::Null, VarType::I2, VarType::I4, VarType::UI1, VarType::R8,
                                        VarType::Currency, VarType::Date, VarType::String, VarType::Bool, VarType::Object};
    return types[v_.index()];
}

bool Variant::isNumber() const {
    return std::holds_alternative<int16_t>(v_) || std::holds_alternative<int32_t>(v_) ||
           std::holds_alternative<uint8_t>(v_) || std::holds_alternative<double>(v_) || std::holds_alternative<Currency>(v_);
}

std::string Variant::toText() const {
    return std::visit(
        [](const auto& x) -> std::string {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, EmptyValue>) return "";
            else if constexpr (std::is_same_v<T, NullValue>) nullUse();
            else if constexpr (std::is_same_v<T, int16_t> || std::is_same_v<T, int32_t> || std::is_same_v<T, uint8_t>) return std::to_string(x);
            else if constexpr (std::is_same_v<T, double>) return doubleText(x);
            else if constexpr (std::is_same_v<T, Currency>) return x.toString('.');
            else if constexpr (std::is_same_v<T, Date>) return x.toRegionalText();
            else if constexpr (std::is_same_v<T, std::string>) return x;
            else if constexpr (std::is_same_v<T, bool>) return x ? "True" : "False";
            else throwError(err::TypeMismatch);
        },
        v_);
}

double Variant::toDouble() const {
    return std::visit(
        [](const auto& x) -> double {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, EmptyValue>) return 0.0;
            else if constexpr (std::is_same_v<T, NullValue>) nullUse();
            else if constexpr (std::is_same_v<T, int16_t> || std::is_same_v<T, int32_t> || std::is_same_v<T, uint8_t> || std::is_same_v<T, double>) return static_cast<double>(x);
            else if constexpr (std::is_same_v<T, Currency>) return x.toDouble();
            else if constexpr (std::is_same_v<T, Date>) return x.serial();
            else if constexpr (std::is_same_v<T, bool>) return x ? -1.0 : 0.0;
            else if constexpr (std::is_same_v<T, std::string>) {
                if (auto n = regional::parseNumber(x)) return *n;
                throwError(err::TypeMismatch);
            } else throwError(err::TypeMismatch);
        },
        v_);
}

int16_t Variant::toInt16() const {
    if (const auto* i = get<int16_t>()) return *i;
    return roundedTo<int16_t>(toDouble());
}
int32_t Variant::toInt32() const {
    if (const auto* i = get<int32_t>()) return *i;
    return roundedTo<int32_t>(toDouble());
}
uint8_t Variant::toByte() const { return roundedTo<uint8_t>(toDouble()); }

Currency Variant::toCurrency() const {
    if (const auto* c = get<Currency>()) return *c;
    if (const auto* i = get<int32_t>()) return Currency::fromInt(*i);
    if (const auto* i = get<int16_t>()) return Currency::fromInt(*i);
    if (const auto* s = get<std::string>()) {
        if (auto c = regional::parseCurrency(*s)) return *c;  // "0,10" is exactly a tenth
        throwError(err::TypeMismatch);
    }
    return Currency::fromDouble(toDouble());
}

Date Variant::toDate() const {
    if (const auto* d = get<Date>()) return *d;
    if (const auto* s = get<std::string>()) {
        if (auto d = Date::parseRegional(*s)) return *d;
        throwError(err::TypeMismatch);
    }
    if (isNull()) nullUse();
    if (isObject()) throwError(err::TypeMismatch);
    return Date(toDouble());
}

bool Variant::toBool() const {
    if (const auto* b = get<bool>()) return *b;
    if (const auto* s = get<std::string>()) {
        const std::string u = regional::toUpper(regional::trim(*s));
        if (u == "TRUE" || u == "VERDADEIRO") return true;
        if (u == "FALSE" || u == "FALSO") return false;
    }
    return toDouble() != 0.0;
}

Ref<Object> Variant::toObject() const {
    if (const auto* o = get<Ref<Object>>()) return *o;
    if (isEmpty()) return nullptr;
    throwError(err::TypeMismatch);
}

Variant Variant::coerce(VarType to) const {
    switch (to) {
        case VarType::Variant: return *this;
        case VarType::Empty: return Variant();
        case VarType::Null: return Variant::null();
        case VarType::I2: return Variant(toInt16());
        case VarType::I4: return Variant(toInt32());
        case VarType::UI1: return Variant(toByte());
        case VarType::R8: return Variant(toDouble());
        case VarType::Currency: return Variant(toCurrency());
        case VarType::Date: return Variant(toDate());
        case VarType::String: return Variant(toText());
        case VarType::Bool: return Variant(toBool());
        case VarType::Object: return Variant(toObject());
    }
    return *this;
}

bool Variant::isGiven() const {
    if (isEmpty() || isNull()) return false;
    if (const auto* s = get<std::string>()) return !s->empty();
    if (isObject()) return true;
    return toDouble() != 0.0;  // numbers, Booleans and dates compare with Empty as zero
}

bool Variant::operator==(const Variant& o) const { return v_ == o.v_; }

bool isNumeric(const Variant& v) {
    if (v.isNumber() || v.isEmpty() || v.get<bool>()) return true;
    if (const auto* s = v.get<std::string>()) return regional::parseNumber(*s).has_value();
    return false;
}

bool isDate(const Variant& v) {
    if (v.get<Date>()) return true;
    if (const auto* s = v.get<std::string>()) return Date::parseRegional(*s).has_value();
    return false;
}

}  // namespace zelt
