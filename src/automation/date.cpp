#include "zelt/automation/date.hpp"

#include <cctype>
#include <chrono>
#include <cmath>
#include <ctime>
#include <vector>

#include "zelt/automation/regional.hpp"

namespace zelt {

namespace {

bool leap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
int daysInMonth(int y, int m) {
    static const int d[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leap(y) ? 29 : d[m - 1];
}

// Days from 1970-01-01 (Howard Hinnant's civil algorithms).
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void civilFromDays(int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t yy = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yy + (m <= 2));
}

const int64_t ZeroDay = daysFromCivil(1899, 12, 30);

// The numbers of a date or time text, with the separators between them.
struct Tokens {
    std::vector<int> nums;
    std::vector<int> widths;
    std::vector<char> seps;  // separator after each number ('\0' at the end)
};

bool tokenize(std::string_view s, Tokens& t) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    while (i < s.size()) {
        if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
        int v = 0, w = 0;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
            if (++w > 4) return false;
            v = v * 10 + (s[i] - '0');
            ++i;
        }
        t.nums.push_back(v);
        t.widths.push_back(w);
        if (i == s.size()) {
            t.seps.push_back('\0');
            break;
        }
        char sep = s[i];
        if (sep == ' ') {
            while (i < s.size() && s[i] == ' ') ++i;
            if (i == s.size()) { t.seps.push_back('\0'); break; }
        } else if (sep == '/' || sep == '-' || sep == '.' || sep == ':') {
            ++i;
        } else {
            return false;
        }
        t.seps.push_back(sep);
    }
    return !t.nums.empty();
}

int fullYear(int y, int width) {
    if (width > 2) return y;
    return y < 30 ? 2000 + y : 1900 + y;
}

// A time of the twelve-hour clock ends in AM or PM: the hours from 1 to 12.
std::optional<bool> afternoon(std::string_view& text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.size() < 3 || text[text.size() - 3] != ' ') return std::nullopt;
    const char a = static_cast<char>(std::toupper(static_cast<unsigned char>(text[text.size() - 2])));
    const char m = static_cast<char>(std::toupper(static_cast<unsigned char>(text.back())));
    if ((a != 'A' && a != 'P') || m != 'M') return std::nullopt;
    text.remove_suffix(3);
    return a == 'P';
}

std::optional<Date> parse(std::string_view text, bool dayFirst) {
    const std::optional<bool> pm = afternoon(text);
    Tokens t;
    if (!tokenize(text, t)) return std::nullopt;
    DateParts p;
    size_t i = 0;
    const size_t n = t.nums.size();
    bool haveDate = false;
    auto isDateSep = [](char c) { return c == '/' || c == '-' || c == '.'; };
    if (n >= 3 && isDateSep(t.seps[0]) && t.seps[1] == t.seps[0]) {
        int a = t.nums[0], b = t.nums[1], c = t.nums[2];
        if (t.widths[0] == 4) {  // yyyy-mm-dd
            p.year = a, p.month = b, p.day = c;
        } else if (dayFirst) {
            p.day = a, p.month = b, p.year = fullYear(c, t.widths[2]);
        } else {
            p.month = a, p.day = b, p.year = fullYear(c, t.widths[2]);
        }
        haveDate = true;
        i = 3;
        if (i < n && t.seps[2] != ' ') return std::nullopt;
    }
    if (i < n) {
        // hh:mm[:ss]
        const size_t left = n - i;
        if (left < 2 || left > 3) return std::nullopt;
        if (t.seps[i] != ':' || (left == 3 && t.seps[i + 1] != ':')) return std::nullopt;
        if (t.seps[n - 1] != '\0') return std::nullopt;
        p.hour = t.nums[i], p.minute = t.nums[i + 1], p.second = left == 3 ? t.nums[i + 2] : 0;
        if (pm) {
            if (p.hour < 1 || p.hour > 12) return std::nullopt;
            p.hour = p.hour % 12 + (*pm ? 12 : 0);
        }
    } else if (pm) {
        return std::nullopt;
    } else if (!haveDate) {
        return std::nullopt;
    }
    if (!haveDate) p.year = 1899, p.month = 12, p.day = 30;
    return Date::fromParts(p);
}

std::string two(int v) {
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

}  // namespace

std::optional<Date> Date::fromParts(const DateParts& p) {
    if (p.year < 100 || p.year > 9999 || p.month < 1 || p.month > 12 || p.day < 1 ||
        p.day > daysInMonth(p.year, p.month))
        return std::nullopt;
    if (p.hour < 0 || p.hour > 23 || p.minute < 0 || p.minute > 59 || p.second < 0 || p.second > 59) return std::nullopt;
    const double days = static_cast<double>(daysFromCivil(p.year, static_cast<unsigned>(p.month), static_cast<unsigned>(p.day)) - ZeroDay);
    const double time = (p.hour * 3600 + p.minute * 60 + p.second) / 86400.0;
    // Before the zero day the fraction still counts the time of day, away from zero (OLE dates).
    return Date(days < 0 ? days - time : days + time);
}

DateParts Date::parts() const {
    double whole = std::trunc(serial_);
    double frac = std::fabs(serial_ - whole);
    int64_t secs = std::llround(frac * 86400.0);
    if (secs >= 86400) {
        secs -= 86400;
        whole += serial_ < 0 ? -1 : 1;
    }
    DateParts p;
    civilFromDays(static_cast<int64_t>(whole) + ZeroDay, p.year, p.month, p.day);
    p.hour = static_cast<int>(secs / 3600);
    p.minute = static_cast<int>(secs / 60 % 60);
    p.second = static_cast<int>(secs % 60);
    return p;
}

int Date::weekday() const {
    const int64_t days = static_cast<int64_t>(std::floor(serial_));
    // 30/12/1899 was a Saturday (7).
    int w = static_cast<int>(((days % 7) + 7 + 6) % 7) + 1;
    return w;
}

bool Date::hasDatePart() const { auto p = parts(); return !(p.year == 1899 && p.month == 12 && p.day == 30); }
bool Date::hasTimePart() const { auto p = parts(); return p.hour || p.minute || p.second; }

Date Date::now() {
    const auto t = std::chrono::system_clock::now();
    const std::time_t tt = std::chrono::system_clock::to_time_t(t);
    std::tm tm{};
    localtime_r(&tt, &tm);
    return *fromParts({tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, std::min(tm.tm_sec, 59)});
}

Date Date::today() {
    auto p = now().parts();
    p.hour = p.minute = p.second = 0;
    return *fromParts(p);
}

std::string Date::toRegionalText() const {
    const auto p = parts();
    const std::string time = two(p.hour) + ":" + two(p.minute) + ":" + two(p.second);
    if (!hasDatePart()) return time;
    std::string date = two(p.day) + "/" + two(p.month) + "/" + std::to_string(p.year);
    if (p.year < 1000) date = two(p.day) + "/" + two(p.month) + "/" + std::string(4 - std::to_string(p.year).size(), '0') + std::to_string(p.year);
    return hasTimePart() ? date + " " + time : date;
}

std::optional<Date> Date::parseRegional(std::string_view text) { return parse(text, true); }
std::optional<Date> Date::parseMonthFirst(std::string_view text) { return parse(text, false); }

std::string Date::format(std::string_view pattern) const {
    const auto p = parts();
    std::string out;
    bool afterHour = false;
    for (size_t i = 0; i < pattern.size();) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[i])));
        size_t run = 1;
        while (i + run < pattern.size() && std::tolower(static_cast<unsigned char>(pattern[i + run])) == c) ++run;
        switch (c) {
            case 'd':
                if (run >= 5) out += format(run == 5 ? "dd/mm/yyyy" : "dddd, d \\de mmmm \\de yyyy");
                else if (run >= 3) out += regional::weekdayName(weekday(), run == 3);
                else out += run == 2 ? two(p.day) : std::to_string(p.day);
                break;
            case 'y': out += run >= 3 ? std::to_string(p.year) : two(p.year % 100); break;
            case 'h': out += run >= 2 ? two(p.hour) : std::to_string(p.hour); afterHour = true; break;
            case 'n': out += run >= 2 ? two(p.minute) : std::to_string(p.minute); break;
            case 's': out += run >= 2 ? two(p.second) : std::to_string(p.second); break;
            case 'm':
                // "mm" right after an hour is the minutes, as VB reads it.
                if (afterHour && run <= 2) out += run == 2 ? two(p.minute) : std::to_string(p.minute);
                else if (run >= 3) out += regional::monthName(p.month, run == 3);
                else out += run == 2 ? two(p.month) : std::to_string(p.month);
                break;
            case '\\':
                if (i + 1 < pattern.size()) out += pattern[i + 1];
                i += 2;
                continue;
            default: out.append(run, pattern[i]); break;
        }
        if (c != 'h' && c != ':' && c != ' ' && c != 'm') afterHour = false;
        if (c == 'm') afterHour = false;
        i += run;
    }
    return out;
}

}  // namespace zelt
