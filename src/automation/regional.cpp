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

std::optional<double> parseNumber(std::string_view text) {
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
    std::string digits;
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
    const auto v = plainDecimal(digits);
    if (!v) return std::nullopt;
    return negative ? -*v : *v;
}

double val(std::string_view text) {
    std::string digits;
    size_t i = 0;
    auto skipBlanks = [&] { while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r')) ++i; };
    skipBlanks();
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        if (text[i] == '-') digits += '-';
        ++i;
    }
    bool point = false, any = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') continue;  // Val skips blanks inside the number
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
    return plainDecimal(digits).value_or(0.0);
}

std::string formatNumber(double value, std::string_view pattern) {
    // The integer placeholders with the literal pieces before each, then the decimal part.
    std::string prefix, pending;
    std::vector<char> kinds;            // '0' or '#' per integer placeholder
    std::vector<std::string> between;   // literal before placeholder k (k >= 1)
    bool grouping = false;
    size_t i = 0;
    for (; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '.') break;
        if (c == '\\' && i + 1 < pattern.size()) { pending += pattern[++i]; continue; }
        if (c == ',') { grouping = true; continue; }
        if (c == '0' || c == '#') {
            if (kinds.empty()) prefix = pending;
            else between.push_back(pending);
            pending.clear();
            kinds.push_back(c);
            continue;
        }
        pending += c;
    }
    const std::string suffix = pending;
    int decZeros = 0, decimals = 0;
    for (size_t j = i + 1; j < pattern.size(); ++j) {
        if (pattern[j] == '\\') { ++j; continue; }
        if (pattern[j] == '0') ++decZeros, ++decimals;
        else if (pattern[j] == '#') ++decimals;
    }
    if (i >= pattern.size()) decimals = decZeros = 0;

    // VB rounds half away from zero.
    const double scaled = std::fabs(value) * std::pow(10.0, decimals);
    const double rounded = std::floor(scaled + 0.5 + scaled * 4e-16);  // 2.675 is 2.67499.. in binary
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.0f", rounded);
    std::string all = buf;
    if (static_cast<int>(all.size()) <= decimals) all.insert(0, static_cast<size_t>(decimals) + 1 - all.size(), '0');
    std::string digits = all.substr(0, all.size() - static_cast<size_t>(decimals));
    std::string decDigits = all.substr(all.size() - static_cast<size_t>(decimals));
    while (static_cast<int>(decDigits.size()) > decZeros && decDigits.back() == '0') decDigits.pop_back();
    if (digits == "0") digits.clear();

    std::string core;
    const int P = static_cast<int>(kinds.size());
    if (grouping) {
        int zeros = 0;
        for (char k : kinds) zeros += k == '0';
        if (static_cast<int>(digits.size()) < zeros) digits.insert(0, static_cast<size_t>(zeros) - digits.size(), '0');
        for (size_t j = 0; j < digits.size(); ++j) {
            if (j > 0 && (digits.size() - j) % 3 == 0) core += '.';
            core += digits[j];
        }
    } else if (P > 0) {
        // Digits fill the placeholders from the right; extra digits go before the first one.
        const int n = static_cast<int>(digits.size());
        const int extra = std::max(0, n - P);
        const int remaining = n - extra;
        for (int k = 0; k < P; ++k) {
            if (k > 0) core += between[static_cast<size_t>(k - 1)];
            if (k == 0) core += digits.substr(0, static_cast<size_t>(extra));
            if (k >= P - remaining) core += digits[static_cast<size_t>(extra + k - (P - remaining))];
            else if (kinds[static_cast<size_t>(k)] == '0') core += '0';
        }
    }
    std::string out = (value < 0 && rounded != 0) ? "-" : "";
    out += prefix + core + suffix;
    if (i < pattern.size()) {
        std::string decText;
        size_t d = 0;
        for (size_t j = i + 1; j < pattern.size(); ++j) {
            const char c = pattern[j];
            if (c == '\\' && j + 1 < pattern.size()) { decText += pattern[++j]; continue; }
            if (c == '0' || c == '#') {
                if (d < decDigits.size()) decText += decDigits[d];
                ++d;
                continue;
            }
            decText += c;
        }
        if (!decDigits.empty()) out += ',';
        out += decText;
    }
    return out;
}

}  // namespace zelt::regional
