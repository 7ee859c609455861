#pragma once
// Variant with the kinds the component passes, and the VB conversion rules.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "zelt/automation/currency.hpp"
#include "zelt/automation/date.hpp"
#include "zelt/automation/object.hpp"

namespace zelt {

// The automation type numbers (VARTYPE).
enum class VarType : uint16_t {
    Empty = 0, Null = 1, I2 = 2, I4 = 3, R8 = 5, Currency = 6, Date = 7, String = 8,
    Object = 9, Bool = 11, Variant = 12, UI1 = 17,
};

struct EmptyValue { bool operator==(const EmptyValue&) const = default; };
struct NullValue { bool operator==(const NullValue&) const = default; };

class Variant {
public:
    Variant() = default;
    static Variant null() { Variant v; v.v_ = NullValue{}; return v; }
    Variant(int16_t x) : v_(x) {}
    Variant(int32_t x) : v_(x) {}
    Variant(uint8_t x) : v_(x) {}
    Variant(double x) : v_(x) {}
    Variant(Currency x) : v_(x) {}
    Variant(Date x) : v_(x) {}
    Variant(std::string x) : v_(std::move(x)) {}
    Variant(std::string_view x) : v_(std::string(x)) {}
    Variant(const char* x) : v_(std::string(x)) {}
    Variant(bool x) : v_(x) {}
    Variant(Ref<Object> x) : v_(std::move(x)) {}
    template <class T> requires std::is_base_of_v<Object, T>
    Variant(const Ref<T>& x) : v_(Ref<Object>(x)) {}

    VarType type() const;
    bool isEmpty() const { return std::holds_alternative<EmptyValue>(v_); }
    bool isNull() const { return std::holds_alternative<NullValue>(v_); }
    bool isObject() const { return std::holds_alternative<Ref<Object>>(v_); }
    bool isText() const { return std::holds_alternative<std::string>(v_); }
    bool isNumber() const;  // I2, I4, UI1, R8, Currency (not Bool, not Date)

    template <class T> const T* get() const { return std::get_if<T>(&v_); }

    // VB conversions (CStr, CDbl, CInt, CLng, CByte, CCur, CDate, CBool). Null raises 94
    // (invalid use of Null) except in toText where the caller asks for it; Empty is 0 / "" / false.
    // Out-of-range numbers raise error 6 (overflow); text that is no number raises 13.
    std::string toText() const;         // numbers with "." never thousands; whole doubles without decimals; dates regional
    double toDouble() const;
    int16_t toInt16() const;            // rounds half to even
    int32_t toInt32() const;
    uint8_t toByte() const;
    Currency toCurrency() const;
    Date toDate() const;                // text read day first
    bool toBool() const;
    Ref<Object> toObject() const;       // Nothing is an empty Ref; anything else not an object raises 13

    // Coercion to a declared parameter type (VarType::Variant keeps the value).
    Variant coerce(VarType to) const;

    // "Is given": compares unequal to an empty value (not Empty, not Null, not "", not 0).
    bool isGiven() const;

    bool operator==(const Variant& o) const;  // same kind and value (text compared exactly)

private:
    std::variant<EmptyValue, NullValue, int16_t, int32_t, uint8_t, double, Currency, Date,
                 std::string, bool, Ref<Object>>
        v_;
};

// VB IsNumeric / IsDate, with Brazilian regional settings ("," is the decimal separator,
// "." groups thousands; "12.5" still reads as a number, as the component writes it).
bool isNumeric(const Variant& v);
bool isDate(const Variant& v);

}  // namespace zelt
