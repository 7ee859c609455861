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

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// digits x 10^exponent in ten-thousandths, a half going to the even neighbour.
Currency scaled(bool negative, std::string_view digits, int64_t exponent, bool* rounded) {
    while (!digits.empty() && digits.front() == '0') digits.remove_prefix(1);
    if (digits.empty()) return Currency();
    const int64_t kept = static_cast<int64_t>(digits.size()) + exponent;  // digits before the cut
    if (kept > 20) throwError(err::Overflow);
    __int128 raw = 0;
    for (int64_t i = 0; i < kept; ++i) raw = raw * 10 + (i < static_cast<int64_t>(digits.size()) ? digits[static_cast<size_t>(i)] - '0' : 0);
    if (kept < static_cast<int64_t>(digits.size())) {
        // The digits beyond the cut decide: above half rounds up, exactly half to even.
        const std::string_view rest = digits.substr(static_cast<size_t>(std::max<int64_t>(kept, 0)));
        if (rounded) *rounded = rest.find_first_not_of('0') != std::string_view::npos;
        const bool belowFirst = kept < 0;  // a zero stands before rest: less than half
        if (!belowFirst) {
            const bool above = rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string_view::npos);
            const bool half = rest[0] == '5' && !above;
            if (above || (half && raw % 2 != 0)) raw += 1;
        }
    }
    return Currency::fromRaw(checked(negative ? -raw : raw));
}
}  // namespace

std::optional<Currency> Currency::parse(std::string_view text, bool* rounded) {
    if (rounded) *rounded = false;
    size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    std::string digits;
    int64_t exponent = 0;
    bool any = false;
    for (; i < text.size() && isDigit(text[i]); ++i) digits += text[i], any = true;
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && isDigit(text[i]); ++i) digits += text[i], --exponent, any = true;
    if (!any) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        const bool down = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
        if (i == text.size()) return std::nullopt;
        int64_t e = 0;
        for (; i < text.size() && isDigit(text[i]); ++i) e = std::min<int64_t>(e * 10 + (text[i] - '0'), 100000);
        exponent += down ? -e : e;
    }
    if (i != text.size()) return std::nullopt;
    return scaled(negative, digits, exponent + 4, rounded);
}

Currency Currency::fromDouble(double value) {
    if (!std::isfinite(value)) throwError(err::Overflow);
    // The decimal value the double stands for, to twelve places, is rounded: the binary error of
    // value*10000 would decide halves (0.00015 is not exact).
    char buf[400];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 12);
    if (ec != std::errc()) throwError(err::Overflow);
    return *parse(std::string_view(buf, static_cast<size_t>(end - buf)));
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
