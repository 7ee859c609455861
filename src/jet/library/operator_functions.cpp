// The operators Jet's SQL shares with VBA beyond arithmetic: Mod and \ on whole numbers (the
// operands rounded half to even, as Jet does), ^, and the bitwise Xor, Eqv and Imp on Jet's -1/0
// Booleans. Null gives Null, except where Imp's result is known without it.
#include <cmath>

#include "jet/library/arguments.hpp"
#include "zelt/automation/error.hpp"

namespace zelt::jet::library {
namespace {

// Two Booleans, or one beside Null, give a Boolean.
bool bothBoolean(Arguments a) {
    const auto boolean = [](const Variant& v) { return v.get<bool>() || v.isNull(); };
    return (a[0].get<bool>() || a[1].get<bool>()) && boolean(a[0]) && boolean(a[1]);
}
Variant bitwise(Arguments a, int32_t value) {
    if (bothBoolean(a)) return Variant(value != 0);
    return Variant(value);
}

template <bool Remainder>
Variant wholeDivision(Arguments a) {
    if (anyNull(a)) return Variant::null();
    const int32_t x = a[0].toInt32(), y = a[1].toInt32();
    if (y == 0) throwError(zelt::err::DivisionByZero);
    if (y == -1) return Variant(Remainder ? int32_t{0} : Variant(-static_cast<double>(x)).toInt32());
    return Variant(Remainder ? x % y : x / y);
}

Variant power(Arguments a) {
    if (anyNull(a)) return Variant::null();
    const double x = a[0].toDouble(), y = a[1].toDouble();
    if (x < 0 && y != std::trunc(y)) throwError(zelt::err::InvalidProcedureCall);
    const double r = std::pow(x, y);
    if (!std::isfinite(r)) throwError(x == 0 ? zelt::err::DivisionByZero : zelt::err::Overflow);
    return Variant(r);
}

Variant xorOp(Arguments a) {
    if (anyNull(a)) return Variant::null();
    return bitwise(a, a[0].toInt32() ^ a[1].toInt32());
}
Variant eqv(Arguments a) {
    if (anyNull(a)) return Variant::null();
    return bitwise(a, ~(a[0].toInt32() ^ a[1].toInt32()));
}
// False Imp anything, and anything Imp True, are True even beside Null.
Variant imp(Arguments a) {
    const bool falseFirst = !a[0].isNull() && a[0].toInt32() == 0;
    const bool trueSecond = !a[1].isNull() && a[1].toInt32() == -1;
    if (falseFirst || trueSecond) return bitwise(a, -1);
    if (anyNull(a)) return Variant::null();
    return bitwise(a, ~a[0].toInt32() | a[1].toInt32());
}

constexpr Function Functions[] = {
    {"Mod", 2, 2, Result::Long, wholeDivision<true>}, {"IntDiv", 2, 2, Result::Long, wholeDivision<false>},
    {"Power", 2, 2, Result::Double, power},                {"Xor", 2, 2, Result::Long, xorOp},
    {"Eqv", 2, 2, Result::Long, eqv},                   {"Imp", 2, 2, Result::Long, imp},
};

}  // namespace

std::span<const Function> operatorFunctions() { return Functions; }

}  // namespace zelt::jet::library
