// Dates: Date, Time, DateAdd, DateDiff, DatePart, DateSerial, TimeSerial, DateValue, TimeValue,
// Weekday, WeekdayName, MonthName, Hour, Minute, Second. Weeks begin on Sunday, as the Brazilian
// settings have it; names are Portuguese. A Null date gives Null.
#include <cmath>
#include <string>

#include "jet/library/arguments.hpp"
#include "jet/parser/token.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/automation/regional.hpp"

namespace zelt::jet::library {
namespace {

constexpr auto InvalidCall = zelt::err::InvalidProcedureCall;

// A date as a point on one line: before the zero day a date's fraction counts its time forward.
double linear(Date d) {
    const double s = d.serial(), whole = std::trunc(s);
    return s < 0 ? whole + std::fabs(s - whole) : s;
}
Date fromLinear(double l) {
    const double day = std::floor(l), time = l - day;
    return Date(day < 0 && time != 0 ? day - time : day + time);
}
int64_t seconds(Date d) { return std::llround(linear(d) * 86400.0); }
int64_t floorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
int64_t dayOf(Date d) { return floorDiv(seconds(d), 86400); }

// Within Jet's range of dates (years 100 to 9999), else error 5.
Date checked(Date d) {
    const double l = linear(d);
    if (l < -657434.0 || l >= 2958466.0) throwError(InvalidCall);
    return d;
}

// The day month months after year/month/1, or its day-th day (may be beyond the month).
double monthStart(int64_t year, int64_t month) {
    year += floorDiv(month - 1, 12);
    month = ((month - 1) % 12 + 12) % 12 + 1;
    if (year < 100 || year > 9999) throwError(InvalidCall);
    return linear(*Date::fromParts({static_cast<int>(year), static_cast<int>(month), 1}));
}
int daysInMonth(int year, int month) { return static_cast<int>(monthStart(year, month + 1) - monthStart(year, month)); }

enum class Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

Interval intervalOf(const Variant& v) {
    const std::string text = notNull(v).toText();
    static constexpr std::pair<std::string_view, Interval> names[] = {
        {"yyyy", Interval::Year}, {"q", Interval::Quarter}, {"m", Interval::Month},   {"y", Interval::DayOfYear},
        {"d", Interval::Day},     {"w", Interval::Weekday}, {"ww", Interval::Week},   {"h", Interval::Hour},
        {"n", Interval::Minute},  {"s", Interval::Second},
    };
    for (const auto& [name, interval] : names)
        if (sameWord(name, text)) return interval;
    throwError(InvalidCall);
}

// The first day of the week: 0 (the settings') or 1 (Sunday) to 7.
int firstDay(Arguments a, size_t i) {
    if (!given(a, i) || a[i].isNull()) return 1;
    const int32_t d = wholeNumber(a[i]);
    if (d < 0 || d > 7) throwError(InvalidCall);
    return d == 0 ? 1 : d;
}
int weekdayFrom(Date d, int first) { return (d.weekday() - first + 7) % 7 + 1; }

Variant dateAdd(Arguments a) {
    const Interval interval = intervalOf(a[0]);
    const int32_t n = wholeNumber(a[1]);
    if (a[2].isNull()) return Variant::null();
    const Date d = a[2].toDate();
    const double l = linear(d);
    switch (interval) {
    case Interval::Year:
    case Interval::Quarter:
    case Interval::Month: {
        const int64_t months = interval == Interval::Year ? 12LL * n : interval == Interval::Quarter ? 3LL * n : n;
        const DateParts p = d.parts();
        const int64_t target = p.month + months;
        const int year = static_cast<int>(p.year + floorDiv(target - 1, 12));
        const int month = static_cast<int>(((target - 1) % 12 + 12) % 12 + 1);
        const int day = std::min(p.day, daysInMonth(year, month));
        return Variant(checked(fromLinear(monthStart(year, month) + day - 1 + (l - std::floor(l)))));
    }
    case Interval::DayOfYear:
    case Interval::Day:
    case Interval::Weekday: return Variant(checked(fromLinear(l + n)));
    case Interval::Week: return Variant(checked(fromLinear(l + 7.0 * n)));
    case Interval::Hour: return Variant(checked(fromLinear((seconds(d) + 3600.0 * n) / 86400.0)));
    case Interval::Minute: return Variant(checked(fromLinear((seconds(d) + 60.0 * n) / 86400.0)));
    case Interval::Second: return Variant(checked(fromLinear((seconds(d) + 1.0 * n) / 86400.0)));
    }
    return Variant::null();
}

// DateDiff counts the boundaries of the interval crossed from the first date to the second.
Variant dateDiff(Arguments a) {
    const Interval interval = intervalOf(a[0]);
    const int first = firstDay(a, 3);
    if (a[1].isNull() || a[2].isNull()) return Variant::null();
    const Date x = a[1].toDate(), y = a[2].toDate();
    const DateParts p = x.parts(), q = y.parts();
    int64_t r = 0;
    switch (interval) {
    case Interval::Year: r = q.year - p.year; break;
    case Interval::Quarter: r = (q.year * 4 + (q.month - 1) / 3) - (p.year * 4 + (p.month - 1) / 3); break;
    case Interval::Month: r = (q.year * 12 + q.month) - (p.year * 12 + p.month); break;
    case Interval::DayOfYear:
    case Interval::Day: r = dayOf(y) - dayOf(x); break;
    case Interval::Weekday: r = (dayOf(y) - dayOf(x)) / 7; break;
    case Interval::Week:
        r = ((dayOf(y) - (weekdayFrom(y, first) - 1)) - (dayOf(x) - (weekdayFrom(x, first) - 1))) / 7;
        break;
    case Interval::Hour: r = floorDiv(seconds(y), 3600) - floorDiv(seconds(x), 3600); break;
    case Interval::Minute: r = floorDiv(seconds(y), 60) - floorDiv(seconds(x), 60); break;
    case Interval::Second: r = seconds(y) - seconds(x); break;
    }
    return Variant(static_cast<int32_t>(r));
}

int dayOfYear(Date d) { return static_cast<int>(dayOf(d) - static_cast<int64_t>(monthStart(d.year(), 1))) + 1; }

// DatePart's week: the first week holds 1 January (1, the default), or four days of the year (2),
// or is the first whole week (3).
int weekOfYear(Date d, int first, int rule) {
    const Date jan1 = fromLinear(monthStart(d.year(), 1));
    const int lead = weekdayFrom(jan1, first) - 1;  // days of that week before 1 January
    int week = (dayOfYear(d) - 1 + lead) / 7 + 1;
    if ((rule == 2 && lead > 3) || (rule == 3 && lead > 0)) --week;
    if (week == 0) return weekOfYear(fromLinear(monthStart(d.year(), 1) - 1), first, rule);
    return week;
}

Variant datePart(Arguments a) {
    const Interval interval = intervalOf(a[0]);
    const int first = firstDay(a, 2);
    const int rule = given(a, 3) && !a[3].isNull() ? wholeNumber(a[3]) : 1;
    if (rule < 0 || rule > 3) throwError(InvalidCall);
    if (a[1].isNull()) return Variant::null();
    const Date d = a[1].toDate();
    const DateParts p = d.parts();
    int r = 0;
    switch (interval) {
    case Interval::Year: r = p.year; break;
    case Interval::Quarter: r = (p.month - 1) / 3 + 1; break;
    case Interval::Month: r = p.month; break;
    case Interval::DayOfYear: r = dayOfYear(d); break;
    case Interval::Day: r = p.day; break;
    case Interval::Weekday: r = weekdayFrom(d, first); break;
    case Interval::Week: r = weekOfYear(d, first, rule == 0 ? 1 : rule); break;
    case Interval::Hour: r = p.hour; break;
    case Interval::Minute: r = p.minute; break;
    case Interval::Second: r = p.second; break;
    }
    return Variant(static_cast<int16_t>(r));
}

// Two-digit years: 0 to 29 are this century's, 30 to 99 the last's.
Variant dateSerial(Arguments a) {
    int64_t year = wholeNumber(a[0]);
    if (year >= 0 && year < 30) year += 2000;
    else if (year >= 30 && year < 100) year += 1900;
    return Variant(checked(fromLinear(monthStart(year, wholeNumber(a[1])) + wholeNumber(a[2]) - 1)));
}

Variant timeSerial(Arguments a) {
    const double total = 3600.0 * wholeNumber(a[0]) + 60.0 * wholeNumber(a[1]) + wholeNumber(a[2]);
    return Variant(checked(fromLinear(total / 86400.0)));
}

Variant dateValue(Arguments a) { return Variant(fromLinear(static_cast<double>(dayOf(notNull(a[0]).toDate())))); }
Variant timeValue(Arguments a) {
    const int64_t s = seconds(notNull(a[0]).toDate());
    return Variant(Date(static_cast<double>(s - floorDiv(s, 86400) * 86400) / 86400.0));
}

Variant today(Arguments) { return Variant(Date::today()); }
Variant timeNow(Arguments) { return Variant(Date(Date::now().serial() - Date::today().serial())); }

Variant weekday(Arguments a) {
    const int first = firstDay(a, 1);
    if (a[0].isNull()) return Variant::null();
    return Variant(static_cast<int16_t>(weekdayFrom(a[0].toDate(), first)));
}

Variant weekdayName(Arguments a) {
    const int32_t n = wholeNumber(a[0]);
    const bool abbreviated = given(a, 1) && notNull(a[1]).toBool();
    const int first = firstDay(a, 2);
    if (n < 1 || n > 7) throwError(InvalidCall);
    return Variant(regional::weekdayName((n - 1 + first - 1) % 7 + 1, abbreviated));
}

Variant monthName(Arguments a) {
    const int32_t n = wholeNumber(a[0]);
    const bool abbreviated = given(a, 1) && notNull(a[1]).toBool();
    if (n < 1 || n > 12) throwError(InvalidCall);
    return Variant(regional::monthName(n, abbreviated));
}

template <int DateParts::*Part>
Variant timePart(Arguments a) {
    if (a[0].isNull()) return Variant::null();
    return Variant(static_cast<int16_t>(a[0].toDate().parts().*Part));
}

constexpr Function Functions[] = {
    {"Date", 0, 0, Result::Date, today, true},
    {"Time", 0, 0, Result::Date, timeNow, true},
    {"DateAdd", 3, 3, Result::Date, dateAdd},
    {"DateDiff", 3, 5, Result::Long, dateDiff},
    {"DatePart", 2, 4, Result::Integer, datePart},
    {"DateSerial", 3, 3, Result::Date, dateSerial},
    {"TimeSerial", 3, 3, Result::Date, timeSerial},
    {"DateValue", 1, 1, Result::Date, dateValue},
    {"TimeValue", 1, 1, Result::Date, timeValue},
    {"Weekday", 1, 2, Result::Integer, weekday},
    {"WeekdayName", 1, 3, Result::Text, weekdayName},
    {"MonthName", 1, 2, Result::Text, monthName},
    {"Hour", 1, 1, Result::Integer, timePart<&DateParts::hour>},
    {"Minute", 1, 1, Result::Integer, timePart<&DateParts::minute>},
    {"Second", 1, 1, Result::Integer, timePart<&DateParts::second>},
};

}  // namespace

std::span<const Function> dateFunctions() { return Functions; }

}  // namespace zelt::jet::library
