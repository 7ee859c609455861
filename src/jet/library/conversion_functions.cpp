// Conversions: CStr, CInt, CLng, CSng, CDbl, CCur, CDate, CBool, CByte (Null is error 94, a text
// read under the regional settings), Str, Hex and Oct (Null gives Null); the tests IsNumeric and
// IsDate, and Choose.
#include <cmath>
#include <limits>

#include "jet/library/arguments.hpp"
#include "zelt/automation/error.hpp"

namespace zelt::jet::library {
namespace {

Variant cstr(Arguments a) { return Variant(regionalText(a[0])); }
Variant cint(Arguments a) { return Variant(notNull(a[0]).toInt16()); }
Variant clng(Arguments a) { return Variant(notNull(a[0]).toInt32()); }
Variant cdbl(Arguments a) { return Variant(notNull(a[0]).toDouble()); }
Variant ccur(Arguments a) { return Variant(notNull(a[0]).toCurrency()); }
Variant cdate(Arguments a) { return Variant(notNull(a[0]).toDate()); }
Variant cbool(Arguments a) { return Variant(notNull(a[0]).toBool()); }
Variant cbyte(Arguments a) { return Variant(notNull(a[0]).toByte()); }
// A Single's precision, held in a double.
Variant csng(Arguments a) {
    const double x = notNull(a[0]).toDouble();
    if (std::fabs(x) > std::numeric_limits<float>::max()) throwError(zelt::err::Overflow);
    return Variant(static_cast<double>(static_cast<float>(x)));
}

// Str: "." as the decimal point whatever the settings, and a space where a sign would be.
Variant str(Arguments a) {
    const Variant& v = a[0];
    if (v.isNull()) return Variant::null();
    if (v.get<Date>()) return Variant(v.toText());
    const Variant number = v.isText() || v.get<bool>() ? Variant(v.toDouble()) : v;
    const std::string text = number.toText();
    return Variant(text.starts_with('-') ? text : " " + text);
}

// Hex and Oct of the whole number; a negative one in two's complement, of 16 bits when it is an
// Integer, of 32 otherwise.
Variant radix(const Variant& v, unsigned base) {
    if (v.isNull()) return Variant::null();
    const int32_t n = v.toInt32();
    const uint32_t bits = v.get<int16_t>() ? static_cast<uint16_t>(n) : static_cast<uint32_t>(n);
    std::string out;
    uint32_t rest = bits;
    do {
        out.insert(out.begin(), "0123456789ABCDEF"[rest % base]);
        rest /= base;
    } while (rest);
    return Variant(out);
}
Variant hex(Arguments a) { return radix(a[0], 16); }
Variant oct(Arguments a) { return radix(a[0], 8); }

Variant isNumericValue(Arguments a) { return Variant(!a[0].isNull() && isNumeric(a[0])); }
Variant isDateValue(Arguments a) { return Variant(isDate(a[0])); }

// Choose(index, a, b, ...): the index-th value, Null beyond them.
Variant choose(Arguments a) {
    const int32_t i = wholeNumber(a[0]);
    if (i < 1 || static_cast<size_t>(i) >= a.size()) return Variant::null();
    return a[static_cast<size_t>(i)];
}

constexpr Function Functions[] = {
    {"IsNumeric", 1, 1, Result::Boolean, isNumericValue}, {"IsDate", 1, 1, Result::Boolean, isDateValue},
    {"Choose", 2, 30, Result::AsBranches, choose},
    {"CStr", 1, 1, Result::Text, cstr},     {"CInt", 1, 1, Result::Integer, cint},    {"CLng", 1, 1, Result::Long, clng},
    {"CSng", 1, 1, Result::Double, csng},   {"CDbl", 1, 1, Result::Double, cdbl},  {"CCur", 1, 1, Result::Money, ccur},
    {"CDate", 1, 1, Result::Date, cdate},   {"CBool", 1, 1, Result::Boolean, cbool}, {"CByte", 1, 1, Result::Byte, cbyte},
    {"Str", 1, 1, Result::Text, str},       {"Hex", 1, 1, Result::Text, hex},      {"Oct", 1, 1, Result::Text, oct},
};

}  // namespace

std::span<const Function> conversionFunctions() { return Functions; }

}  // namespace zelt::jet::library
