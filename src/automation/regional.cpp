#include "zelt/automation/regional.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include <unicode/coll.h>
#include <unicode/dtfmtsym.h>
#include <unicode/sortkey.h>
#include <unicode/unistr.h>
#include <unicode/ustring.h>

#include "zelt/automation/error.hpp"

namespace zelt::regional {

namespace {

// One collator per thread, cloned from one made once: ICU collators are not thread-safe to share.
icu::Collator& collator() {
    static std::unique_ptr<icu::Collator> prototype = [] {
        UErrorCode st = U_ZERO_ERROR;
        std::unique_ptr<icu::Collator> c(icu::Collator::createInstance(icu::Locale("pt", "BR"), st));
        if (U_FAILURE(st) || !c) throwError(err::OutOfMemory, "Não foi possível criar o agrupamento pt-BR do ICU.");
        c->setStrength(icu::Collator::SECONDARY);  // case-insensitive, accents after their base letter
        return c;
    }();
    thread_local std::unique_ptr<icu::Collator> mine(prototype->clone());
    return *mine;
}

bool asciiOnly(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

int compareText(std::string_view a, std::string_view b) {
    UErrorCode st = U_ZERO_ERROR;
    const UCollationResult r = collator().compareUTF8(icu::StringPiece(a.data(), static_cast<int32_t>(a.size())),
                                                      icu::StringPiece(b.data(), static_cast<int32_t>(b.size())), st);
    if (U_FAILURE(st)) return a.compare(b) < 0 ? -1 : a.compare(b) > 0 ? 1 : 0;
    return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
}

bool equalText(std::string_view a, std::string_view b) { return compareText(a, b) == 0; }

std::string sortKey(std::string_view text) {
    const icu::UnicodeString u = icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    std::string key(64, '\0');
    int32_t n = collator().getSortKey(u, reinterpret_cast<uint8_t*>(key.data()), static_cast<int32_t>(key.size()));
    if (n > static_cast<int32_t>(key.size())) {
        key.resize(static_cast<size_t>(n));
        n = collator().getSortKey(u, reinterpret_cast<uint8_t*>(key.data()), n);
    }
    key.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);  // without the terminating zero
    return key;
}

std::string foldCase(std::string_view text) {
    if (asciiOnly(text)) {
        std::string s(text);
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    }
    icu::UnicodeString u = icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    u.foldCase();
    std::string out;
    u.toUTF8String(out);
    return out;
}

std::string toUpper(std::string_view text) {
    if (asciiOnly(text)) {
        std::string s(text);
        for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return s;
    }
    icu::UnicodeString u = icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    u.toUpper(icu::Locale("pt", "BR"));
    std::string out;
    u.toUTF8String(out);
    return out;
}

std::string_view trim(std::string_view t) {
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    return t;
}

std::optional<double> plainDecimal(std::string_view text) {
    // from_chars ignores the C locale, which strtod would consult for its decimal point.
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') ++first;
    double v = 0;
    const auto [end, ec] = std::from_chars(first, last, v);
    if (ec != std::errc() || end != last) return std::nullopt;
    return v;
}

std::optional<std::string> decimalText(std::string_view text) {
    std::string_view t = trim(text);
    while (!t.empty() && (t.front() == '\t')) t.remove_prefix(1);
    if (t.empty()) return std::nullopt;
    bool negative = false;
    if (t.front() == '+' || t.front() == '-') {
        negative = t.front() == '-';
        t.remove_prefix(1);
        t = trim(t);
    }
    // Digits with "." grouping thousands and "," as the decimal point (Brazilian settings); a lone
    // "." followed by other than three digits is read as a decimal point, as the component writes 12.5.
    std::string digits = negative ? "-" : "";
    bool decimal = false;
    int digitCount = 0;
    const size_t lastComma = t.rfind(',');
    const bool hasComma = lastComma != std::string_view::npos;
    const auto points = std::count(t.begin(), t.end(), '.');
    for (size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digits += c;
            ++digitCount;
        } else if (c == ',') {
            if (decimal) return std::nullopt;
            decimal = true;
            digits += '.';
        } else if (c == '.') {
            if (decimal) return std::nullopt;
            if (hasComma) continue;  // "1.234,56": the point groups thousands
            // Without a comma, "1.234.567" groups thousands; a single point (12.5) is the decimal
            // point, as the component writes amounts.
            if (points > 1) continue;
            decimal = true;
            digits += '.';
        } else {
            return std::nullopt;
        }
    }
    if (digitCount == 0) return std::nullopt;
    return digits;
}

std::optional<double> parseNumber(std::string_view text) {
    const auto digits = decimalText(text);
    return digits ? plainDecimal(*digits) : std::nullopt;
}

std::optional<Currency> parseCurrency(std::string_view text) {
    const auto digits = decimalText(text);
    return digits ? Currency::parse(*digits) : std::nullopt;
}

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// &H and &O numbers: up to 16 bits they are Integers, up to 32 Longs, both signed (&HFFFF is -1).
double radixValue(std::string_view text, size_t i, int radix) {
    uint64_t v = 0;
    for (; i < text.size(); ++i) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
        if (isBlank(c)) continue;
        const int d = c >= '0' && c <= '9' ? c - '0' : radix == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10 : radix;
        if (d >= radix) break;
        v = v * static_cast<uint64_t>(radix) + static_cast<uint64_t>(d);
        if (v > 0xFFFFFFFFu) throwError(err::Overflow);
    }
    if (v <= 0xFFFF) return static_cast<int16_t>(static_cast<uint16_t>(v));
    return static_cast<int32_t>(static_cast<uint32_t>(v));
}

}  // namespace

double val(std::string_view text) {
    size_t i = 0;
    auto skipBlanks = [&] { while (i < text.size() && isBlank(text[i])) ++i; };
    skipBlanks();
    if (i + 1 < text.size() && text[i] == '&') {
        const char radix = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
        if (radix == 'h') return radixValue(text, i + 2, 16);
        if (radix == 'o') return radixValue(text, i + 2, 8);
        return 0.0;
    }
    std::string digits;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        if (text[i] == '-') digits += '-';
        ++i;
    }
    // Blanks are skipped everywhere, as Val does: "1 615" is 1615.
    bool point = false, any = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isBlank(c)) continue;
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digits += c;
            any = true;
        } else if (c == '.' && !point) {
            point = true;
            digits += c;
        } else {
            break;
        }
    }
    if (!any) return 0.0;
    // An exponent (E or D, as VB writes doubles) counts only when digits follow it.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::string exponent = "e";
        ++i;
        skipBlanks();
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) exponent += text[i++];
        for (; i < text.size() && (std::isdigit(static_cast<unsigned char>(text[i])) || isBlank(text[i])); ++i)
            if (!isBlank(text[i])) exponent += text[i];
        if (std::isdigit(static_cast<unsigned char>(exponent.back()))) digits += exponent;
    }
    const auto v = plainDecimal(digits);
    if (!v || !std::isfinite(*v)) throwError(err::Overflow);
    return *v;
}

namespace {

// |value| = digits x 10^exponent, the digits without leading zeros ("" for zero).
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

Decimal decimalOf(double value) {
    // The shortest text that reads back as the double: 2.675 is rounded as the 2.675 one sees.
    if (!std::isfinite(value)) throwError(err::Overflow);
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    const std::string_view t(buf, static_cast<size_t>(r.ptr - buf));
    Decimal d;
    size_t i = 0;
    if (t[i] == '-') d.negative = true, ++i;
    int fraction = 0;
    bool after = false;
    for (; i < t.size() && t[i] != 'e'; ++i) {
        if (t[i] == '.') { after = true; continue; }
        d.digits += t[i];
        fraction += after;
    }
    int e = 0;
    std::from_chars(t.data() + i + 1 + (t[i + 1] == '+'), t.data() + t.size(), e);
    d.exponent = e - fraction;
    d.digits.erase(0, std::min(d.digits.find_first_not_of('0'), d.digits.size()));
    return d;
}

Decimal decimalOf(Currency value) {
    Decimal d;
    d.negative = value.raw() < 0;
    // In unsigned arithmetic, so that the most negative amount has its magnitude too.
    uint64_t a = d.negative ? 0 - static_cast<uint64_t>(value.raw()) : static_cast<uint64_t>(value.raw());
    char buf[20];
    char* p = buf + sizeof buf;
    for (; a > 0; a /= 10) *--p = static_cast<char>('0' + a % 10);
    d.digits.assign(p, buf + sizeof buf);
    d.exponent = -4;
    return d;
}

// The digits of |value| x 10^places rounded to a whole number, a half away from zero as Format
// rounds; "0" for zero.
std::string roundedDigits(const Decimal& d, int places) {
    const long shift = static_cast<long>(d.exponent) + places;
    std::string r;
    if (shift >= 0) {
        r = d.digits.empty() ? "" : d.digits + std::string(static_cast<size_t>(shift), '0');
    } else {
        const long keep = static_cast<long>(d.digits.size()) + shift;
        if (keep >= 0) {
            r = d.digits.substr(0, static_cast<size_t>(keep));
            if (d.digits[static_cast<size_t>(keep)] >= '5') {
                size_t k = r.size();
                while (k > 0 && r[k - 1] == '9') r[--k] = '0';
                if (k == 0) r.insert(r.begin(), '1');
                else ++r[k - 1];
            }
        }
    }
    r.erase(0, std::min(r.find_first_not_of('0'), r.size()));
    return r.empty() ? "0" : r;
}

std::string formatDecimal(const Decimal& value, std::string_view pattern) {
    // One pass to count the placeholders, one to write: the literals before the first, between
    // them (dropped when grouping) and after the last, in place; then the decimal part.
    int placeholders = 0, zeros = 0, decZeros = 0, decimals = 0;
    bool grouping = false;
    size_t point = 0;
    for (; point < pattern.size() && pattern[point] != '.'; ++point) {
        const char c = pattern[point];
        if (c == '\\' && point + 1 < pattern.size()) ++point;
        else if (c == ',') grouping = true;
        else if (c == '0' || c == '#') ++placeholders, zeros += c == '0';
    }
    const bool decimalPart = point < pattern.size();
    for (size_t j = point + 1; decimalPart && j < pattern.size(); ++j) {
        if (pattern[j] == '\\') { ++j; continue; }
        if (pattern[j] == '0') ++decZeros, ++decimals;
        else if (pattern[j] == '#') ++decimals;
    }

    std::string all = roundedDigits(value, decimals);
    const bool zero = all == "0";
    if (static_cast<int>(all.size()) <= decimals) all.insert(0, static_cast<size_t>(decimals) + 1 - all.size(), '0');
    std::string_view digits(all.data(), all.size() - static_cast<size_t>(decimals));
    std::string_view decDigits(all.data() + digits.size(), static_cast<size_t>(decimals));
    while (static_cast<int>(decDigits.size()) > decZeros && decDigits.back() == '0') decDigits.remove_suffix(1);
    if (digits == "0") digits = {};

    std::string out;
    out.reserve(pattern.size() + all.size() + all.size() / 3 + 2);
    if (value.negative && !zero) out += '-';
    auto writeGrouped = [&] {
        const size_t pad = static_cast<size_t>(std::max(0, zeros - static_cast<int>(digits.size())));
        const size_t total = pad + digits.size();
        for (size_t j = 0; j < total; ++j) {
            if (j > 0 && (total - j) % 3 == 0) out += '.';
            out += j < pad ? '0' : digits[j - pad];
        }
    };
    if (grouping && placeholders == 0) writeGrouped();
    // Digits fill the placeholders from the right; extra digits go before the first one.
    const int n = static_cast<int>(digits.size());
    const int extra = std::max(0, n - placeholders);
    const int firstFilled = placeholders - (n - extra);
    int k = 0;
    for (size_t i = 0; i < point; ++i) {
        char c = pattern[i];
        const bool escaped = c == '\\' && i + 1 < pattern.size();
        if (escaped) c = pattern[++i];
        else if (c == ',') continue;
        if (escaped || (c != '0' && c != '#')) {
            if (k == 0 || k == placeholders || !grouping) out += c;
            continue;
        }
        if (grouping) {
            if (k == 0) writeGrouped();
        } else {
            if (k == 0) out.append(digits.substr(0, static_cast<size_t>(extra)));
            if (k >= firstFilled) out += digits[static_cast<size_t>(extra + k - firstFilled)];
            else if (c == '0') out += '0';
        }
        ++k;
    }
    if (decimalPart) {
        if (!decDigits.empty()) out += ',';
        size_t d = 0;
        for (size_t j = point + 1; j < pattern.size(); ++j) {
            const char c = pattern[j];
            if (c == '\\' && j + 1 < pattern.size()) { out += pattern[++j]; continue; }
            if (c == '0' || c == '#') {
                if (d < decDigits.size()) out += decDigits[d];
                ++d;
                continue;
            }
            out += c;
        }
    }
    return out;
}

// VB's General Number: up to fifteen significant digits, no grouping, the regional comma.
std::string generalNumber(double value) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    std::string s(buf, r.ptr);
    for (char& c : s) c = c == '.' ? ',' : c == 'e' ? 'E' : c;
    return s;
}

std::string generalNumber(Currency value) { return value.toString(','); }

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

enum class Named { None, GeneralNumber, Currency, Fixed, Standard, Percent, YesNo, TrueFalse, OnOff };

Named namedFormat(std::string_view name) {
    static constexpr std::pair<std::string_view, Named> names[] = {
        {"General Number", Named::GeneralNumber}, {"Currency", Named::Currency}, {"Fixed", Named::Fixed},
        {"Standard", Named::Standard}, {"Percent", Named::Percent}, {"Yes/No", Named::YesNo},
        {"True/False", Named::TrueFalse}, {"On/Off", Named::OnOff}};
    for (const auto& [n, kind] : names)
        if (sameName(n, name)) return kind;
    return Named::None;
}

// The named formats of numbers, with the Brazilian settings' symbol and the words of a Portuguese
// installation.
template <class Number>
std::optional<std::string> named(Number value, std::string_view name) {
    const Named kind = namedFormat(name);
    if (kind == Named::None) return std::nullopt;
    if (kind == Named::GeneralNumber) return generalNumber(value);
    Decimal d = decimalOf(value);
    const bool nonZero = !d.digits.empty();
    switch (kind) {
    case Named::Currency: return formatDecimal(d, "R$ #,##0.00");
    case Named::Fixed: return formatDecimal(d, "0.00");
    case Named::Standard: return formatDecimal(d, "#,##0.00");
    case Named::Percent:
        d.exponent += 2;
        return formatDecimal(d, "0.00%");
    case Named::YesNo: return nonZero ? "Sim" : "Não";
    case Named::TrueFalse: return nonZero ? "Verdadeiro" : "Falso";
    default: return nonZero ? "Ativado" : "Desativado";
    }
}

}  // namespace

std::string formatNumber(double value, std::string_view pattern) { return formatDecimal(decimalOf(value), pattern); }
std::string formatNumber(Currency value, std::string_view pattern) { return formatDecimal(decimalOf(value), pattern); }
bool isNamedNumberFormat(std::string_view name) { return namedFormat(name) != Named::None; }
std::optional<std::string> formatNamed(double value, std::string_view name) { return named(value, name); }
std::optional<std::string> formatNamed(Currency value, std::string_view name) { return named(value, name); }

std::optional<std::string_view> namedDatePattern(std::string_view name) {
    static constexpr std::pair<std::string_view, std::string_view> patterns[] = {
        {"Long Date", "dddd, d \\de mmmm \\de yyyy"}, {"Medium Date", "dd-mmm-yy"}, {"Short Date", "dd/mm/yyyy"},
        {"Long Time", "hh:nn:ss"},                   {"Short Time", "hh:nn"},
    };
    for (const auto& [n, pattern] : patterns)
        if (sameName(n, name)) return pattern;
    return std::nullopt;
}

namespace {

// ICU's Portuguese names; abbreviations lose ICU's final period, as Windows writes them ("dez").
struct Names {
    std::string months[2][12];
    std::string weekdays[2][7];
};

const Names& names() {
    static const Names all = [] {
        Names n;
        UErrorCode st = U_ZERO_ERROR;
        const icu::DateFormatSymbols symbols(icu::Locale("pt", "BR"), st);
        if (U_FAILURE(st)) throwError(err::OutOfMemory, "Não foi possível ler os nomes dos meses do ICU.");
        for (int abbreviated = 0; abbreviated < 2; ++abbreviated) {
            const auto width = abbreviated ? icu::DateFormatSymbols::ABBREVIATED : icu::DateFormatSymbols::WIDE;
            int32_t count = 0;
            const icu::UnicodeString* months = symbols.getMonths(count, icu::DateFormatSymbols::FORMAT, width);
            for (int32_t i = 0; i < count && i < 12; ++i) months[i].toUTF8String(n.months[abbreviated][i]);
            const icu::UnicodeString* days = symbols.getWeekdays(count, icu::DateFormatSymbols::FORMAT, width);
            for (int32_t i = 1; i < count && i <= 7; ++i) days[i].toUTF8String(n.weekdays[abbreviated][i - 1]);
        }
        for (auto& m : n.months[1]) if (!m.empty() && m.back() == '.') m.pop_back();
        for (auto& d : n.weekdays[1]) if (!d.empty() && d.back() == '.') d.pop_back();
        return n;
    }();
    return all;
}

}  // namespace

const std::string& monthName(int month, bool abbreviated) { return names().months[abbreviated][(month + 11) % 12]; }
const std::string& weekdayName(int weekday, bool abbreviated) { return names().weekdays[abbreviated][(weekday + 6) % 7]; }

}  // namespace zelt::regional
