#include "zelt/automation/currency.hpp"

#include <charconv>
#include <cmath>
#include <limits>

#include "zelt/automation/error.hpp"

namespace zelt {

namespace {
int64_t checked(__int128 v) {
    if (v > std::numeric_limits<int64_t>::max() || v < std::numeric_limits<int64_t>::min()) throwError(err::Overflow);
    return static_cast<int64_t>(v);
}
}  // namespace

Currency Currency::fromDouble(double value) {
    if (!std::isfinite(value)) throwError(err::Overflow);
    // The decimal value the double stands for, to ten-thousandths, a half going to the even neighbour.
    // Rounding the printed shortest form avoids the binary error of value*10000 (0.00015 is not exact).
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 12);
    if (ec != std::errc()) throwError(err::Overflow);
    std::string_view s(buf, static_cast<size_t>(end - buf));
    bool negative = !s.empty() && s[0] == '-';
    if (negative) s.remove_prefix(1);
    auto dot = s.find('.');
    std::string_view whole = s.substr(0, dot), frac = dot == std::string_view::npos ? "" : s.substr(dot + 1);
    if (whole.size() > 16) throwError(err::Overflow);
    __int128 units = 0;
    for (char c : whole) units = units * 10 + (c - '0');
    __int128 raw = units * Scale;
    int64_t four = 0;
    for (size_t i = 0; i < 4; ++i) four = four * 10 + (i < frac.size() ? frac[i] - '0' : 0);
    raw += four;
    // The rest beyond four decimals decides: above half rounds up, exactly half to even.
    std::string_view rest = frac.size() > 4 ? frac.substr(4) : "";
    int cmp = 0;
    if (!rest.empty()) {
        if (rest[0] > '5') cmp = 1;
        else if (rest[0] < '5') cmp = -1;
        else cmp = rest.find_first_not_of('0', 1) == std::string_view::npos ? 0 : 1;
        if (cmp > 0 || (cmp == 0 && (raw % 2) != 0)) raw += 1;
    }
    return fromRaw(checked(negative ? -raw : raw));
}

Currency Currency::fromInt(int64_t units) { return fromRaw(checked(static_cast<__int128>(units) * Scale)); }

std::string Currency::toString(char decimalSeparator) const {
    const bool negative = raw_ < 0;
    const unsigned __int128 a = negative ? -static_cast<__int128>(raw_) : raw_;
    const uint64_t whole = static_cast<uint64_t>(a / Scale);
    uint64_t frac = static_cast<uint64_t>(a % Scale);
    std::string s = negative ? "-" : "";
    s += std::to_string(whole);
    if (frac != 0) {
        std::string f = std::to_string(frac);
        f.insert(0, 4 - f.size(), '0');
        while (!f.empty() && f.back() == '0') f.pop_back();
        s += decimalSeparator;
        s += f;
    }
    return s;
}

Currency Currency::operator+(Currency o) const { return fromRaw(checked(static_cast<__int128>(raw_) + o.raw_)); }
Currency Currency::operator-(Currency o) const { return fromRaw(checked(static_cast<__int128>(raw_) - o.raw_)); }
Currency Currency::operator-() const { return fromRaw(checked(-static_cast<__int128>(raw_))); }

}  // namespace zelt
