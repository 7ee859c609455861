#pragma once
// Currency: a 64-bit count of ten-thousandths, exact under addition and subtraction.
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelt {

class Currency {
public:
    static constexpr int64_t Scale = 10000;
    constexpr Currency() = default;
    static constexpr Currency fromRaw(int64_t tenThousandths) { Currency c; c.raw_ = tenThousandths; return c; }
    static Currency fromDouble(double value);           // rounds half to even; overflow is error 6
    static Currency fromInt(int64_t units);             // overflow is error 6
    // A number written with "." as the decimal point ("-12.5", "0.10", "1.5e-2"), read without a
    // double between: rounded half to even to four decimals, as CCur does. Nothing when the text is
    // not such a number; overflow is error 6.
    // rounded, when given, tells whether digits were lost.
    static std::optional<Currency> parse(std::string_view plainDecimal, bool* rounded = nullptr);
    constexpr int64_t raw() const { return raw_; }
    double toDouble() const { return static_cast<double>(raw_) / Scale; }

    // At most four decimals, trailing zeros dropped, no thousands separator: 12.5, -0.0001, 100.
    std::string toString(char decimalSeparator = '.') const;

    Currency operator+(Currency o) const;  // overflow is error 6
    Currency operator-(Currency o) const;
    Currency operator-() const;
    Currency& operator+=(Currency o) { return *this = *this + o; }
    Currency& operator-=(Currency o) { return *this = *this - o; }
    constexpr auto operator<=>(const Currency&) const = default;

private:
    int64_t raw_ = 0;
};

}  // namespace zelt
