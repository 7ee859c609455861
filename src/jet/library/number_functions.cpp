// Numbers: Abs, Int, Fix, Sgn, Round (half to even, as Jet rounds), Sqr, Exp, Log. Abs, Int, Fix
// and Round keep their argument's kind and give Null for Null; the others take only numbers.
#include <cmath>
#include <limits>

#include "jet/library/arguments.hpp"
#include "zelt/automation/error.hpp"

namespace zelt::jet::library {
namespace {

constexpr auto InvalidCall = zelt::err::InvalidProcedureCall;

double finite(double x) {
    if (!std::isfinite(x)) throwError(zelt::err::Overflow);
    return x;
}

template <class T>
double finiteInt(double x, T) {
    if (x < std::numeric_limits<T>::min() || x > std::numeric_limits<T>::max()) throwError(zelt::err::Overflow);
    return x;
}

// f applied to the number, the result of the argument's kind (a text is read as a Double, a
// Boolean as the Integer -1 or 0); money through its ten-thousandths, exactly.
template <class F, class M>
Variant sameKind(const Variant& v, F f, M onMoney) {
    if (v.isNull()) return Variant::null();
    if (const auto* c = v.get<Currency>()) return Variant(onMoney(*c));
    if (const auto* i = v.get<int16_t>()) return Variant(static_cast<int16_t>(finiteInt(f(*i), int16_t{})));
    if (const auto* i = v.get<int32_t>()) return Variant(static_cast<int32_t>(finiteInt(f(*i), int32_t{})));
    if (const auto* i = v.get<uint8_t>()) return Variant(static_cast<uint8_t>(f(*i)));
    if (const bool* b = v.get<bool>()) return Variant(static_cast<int16_t>(f(*b ? -1.0 : 0.0)));
    if (const auto* d = v.get<Date>()) return Variant(Date(f(d->serial())));
    return Variant(finite(f(v.toDouble())));
}

Variant abs(Arguments a) {
    return sameKind(a[0], [](double x) { return std::fabs(x); },
                    [](Currency c) { return c.raw() < 0 ? -c : c; });
}
Variant intPart(Arguments a) {
    return sameKind(a[0], [](double x) { return std::floor(x); }, [](Currency c) {
        const int64_t r = c.raw(), s = Currency::Scale;
        return Currency::fromRaw((r >= 0 ? r / s : -((-r + s - 1) / s)) * s);
    });
}
Variant fix(Arguments a) {
    return sameKind(a[0], [](double x) { return std::trunc(x); },
                    [](Currency c) { return Currency::fromRaw(c.raw() / Currency::Scale * Currency::Scale); });
}

Variant sgn(Arguments a) {
    const double x = notNull(a[0]).toDouble();
    return Variant(static_cast<int16_t>((x > 0) - (x < 0)));
}

// Round(x[, places]): a half goes to the even neighbour. A double is rounded as it is held, so
// 2.675 (held a little below) rounds down.
Variant round(Arguments a) {
    const int32_t places = given(a, 1) ? wholeNumber(a[1]) : 0;
    if (places < 0 || places > 22) throwError(InvalidCall);
    const double scale = std::pow(10.0, places);
    return sameKind(a[0], [&](double x) { return places ? std::nearbyint(x * scale) / scale : std::nearbyint(x); },
                    [&](Currency c) {
                        if (places >= 4) return c;
                        const int64_t step = static_cast<int64_t>(std::pow(10, 4 - places));
                        const double steps = std::nearbyint(static_cast<double>(c.raw()) / static_cast<double>(step));
                        return Currency::fromRaw(static_cast<int64_t>(steps) * step);
                    });
}

Variant sqr(Arguments a) {
    const double x = notNull(a[0]).toDouble();
    if (x < 0) throwError(InvalidCall);
    return Variant(std::sqrt(x));
}
Variant exp(Arguments a) { return Variant(finite(std::exp(notNull(a[0]).toDouble()))); }
Variant log(Arguments a) {
    const double x = notNull(a[0]).toDouble();
    if (x <= 0) throwError(InvalidCall);
    return Variant(std::log(x));
}

constexpr Function Functions[] = {
    {"Abs", 1, 1, Result::AsFirst, abs}, {"Int", 1, 1, Result::AsFirst, intPart}, {"Fix", 1, 1, Result::AsFirst, fix},
    {"Sgn", 1, 1, Result::Integer, sgn},    {"Round", 1, 2, Result::AsFirst, round}, {"Sqr", 1, 1, Result::Double, sqr},
    {"Exp", 1, 1, Result::Double, exp},  {"Log", 1, 1, Result::Double, log},
};

}  // namespace

std::span<const Function> numberFunctions() { return Functions; }

}  // namespace zelt::jet::library
