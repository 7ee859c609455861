#pragma once
// Date: days since 30/12/1899 as a double, the fraction being the time of day.
// The regional conversions are Brazilian whatever the process locale: day first.
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelt {

struct DateParts {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
};

class Date {
public:
    constexpr Date() = default;
    constexpr explicit Date(double serial) : serial_(serial) {}
    constexpr double serial() const { return serial_; }

    // Refuses days that do not exist (31/02) and times out of range.
    static std::optional<Date> fromParts(const DateParts& parts);
    DateParts parts() const;  // rounded to the second
    int year() const { return parts().year; }
    int month() const { return parts().month; }
    int day() const { return parts().day; }
    int weekday() const;  // 1 = Sunday, as VB's Weekday

    bool hasDatePart() const;  // not on the zero day
    bool hasTimePart() const;  // not at midnight

    // The process clock, local time.
    static Date now();
    static Date today();

    // The regional text form (CStr of a date): "dd/mm/yyyy hh:mm:ss", the date alone at midnight,
    // the time alone on the zero day ("00:00:00" for the zero date-time).
    std::string toRegionalText() const;

    // Reads a regional text, day first: "dd/mm/yyyy", "dd/mm/yyyy hh:mm[:ss]", "d/m/yy", "hh:mm[:ss]",
    // also with "-" or "." between the date parts; nothing if it names no date or time.
    static std::optional<Date> parseRegional(std::string_view text);
    // Reads a Jet date literal's body, month first: "mm/dd/yyyy [hh:mm:ss]" (ISO "yyyy-mm-dd" too).
    static std::optional<Date> parseMonthFirst(std::string_view text);

    // VB Format with a date pattern: d dd ddd dddd ddddd dddddd m mm mmm mmmm yy yyyy h hh n nn s ss,
    // case-insensitive, names in Portuguese; "mm" right after an hour means minutes. "/" and ":"
    // are the regional separators ("/" and ":").
    std::string format(std::string_view pattern) const;

    constexpr auto operator<=>(const Date&) const = default;

private:
    double serial_ = 0.0;
};

}  // namespace zelt
