// Text: Left, Right, Mid, Len, UCase, LCase, LTrim, RTrim, InStr, InStrRev, Replace, Space, String,
// StrReverse, StrComp, Chr, Asc. Positions and lengths count characters, not bytes.
#include <string>

#include "jet/library/arguments.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/automation/regional.hpp"

namespace zelt::jet::library {
namespace {

constexpr auto InvalidCall = zelt::err::InvalidProcedureCall;

// The characters Windows-1252 puts at 0x80 to 0x9F (the code page of Chr and Asc); elsewhere its
// codes are Latin-1's.
constexpr char32_t Cp1252High[32] = {0x20AC, 0x81,   0x201A, 0x192,  0x201E, 0x2026, 0x2020, 0x2021,
                                     0x2C6,  0x2030, 0x160,  0x2039, 0x152,  0x8D,   0x17D,  0x8F,
                                     0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x2DC,  0x2122, 0x161,  0x203A, 0x153,  0x9D,   0x17E,  0x178};

std::string utf8(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

char32_t firstCodePoint(std::string_view s) {
    const auto b = [&](size_t i) { return static_cast<char32_t>(static_cast<unsigned char>(s[i])); };
    const char32_t c = b(0);
    if (c < 0x80) return c;
    if (c < 0xE0 && s.size() >= 2) return ((c & 0x1F) << 6) | (b(1) & 0x3F);
    if (c < 0xF0 && s.size() >= 3) return ((c & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    return 0xFFFD;
}

std::string chrOf(int32_t code) {
    if (code < 0 || code > 255) throwError(InvalidCall);
    return utf8(code >= 0x80 && code < 0xA0 ? Cp1252High[code - 0x80] : static_cast<char32_t>(code));
}

// The text part of a call, or Null: Left(Null, 2) is Null, Left("a", Null) is error 94.
Variant leftOrRight(Arguments a, bool left) {
    const int32_t n = count(a[1]);
    if (a[0].isNull()) return Variant::null();
    const std::string s = regionalText(a[0]);
    const size_t total = characters(s);
    const size_t take = std::min<size_t>(static_cast<size_t>(n), total);
    return left ? Variant(s.substr(0, offsetOf(s, take))) : Variant(s.substr(offsetOf(s, total - take)));
}
Variant left(Arguments a) { return leftOrRight(a, true); }
Variant right(Arguments a) { return leftOrRight(a, false); }

// Mid(text, start[, length]): from the start-th character, length of them or all the rest.
Variant mid(Arguments a) {
    const int32_t start = wholeNumber(a[1]);
    const int32_t length = given(a, 2) && !a[2].isNull() ? count(a[2]) : -1;
    if (start < 1) throwError(InvalidCall);
    if (a[0].isNull()) return Variant::null();
    const std::string s = regionalText(a[0]);
    const size_t from = offsetOf(s, static_cast<size_t>(start) - 1);
    const size_t to = length < 0 ? s.size() : offsetOf(s, static_cast<size_t>(start - 1 + length));
    return Variant(s.substr(from, to - from));
}

Variant len(Arguments a) {
    if (a[0].isNull()) return Variant::null();
    return Variant(static_cast<int32_t>(characters(regionalText(a[0]))));
}

Variant ucase(Arguments a) { return a[0].isNull() ? Variant::null() : Variant(regional::toUpper(regionalText(a[0]))); }
Variant lcase(Arguments a) { return a[0].isNull() ? Variant::null() : Variant(regional::foldCase(regionalText(a[0]))); }

Variant ltrim(Arguments a) {
    if (a[0].isNull()) return Variant::null();
    const std::string s = regionalText(a[0]);
    const size_t b = s.find_first_not_of(' ');
    return Variant(b == std::string::npos ? std::string() : s.substr(b));
}
Variant rtrim(Arguments a) {
    if (a[0].isNull()) return Variant::null();
    const std::string s = regionalText(a[0]);
    return Variant(s.substr(0, s.find_last_not_of(' ') + 1));
}

// Where what is found in text from byte from on, as Jet compares (text compare ignores case).
size_t findIn(const std::string& text, const std::string& what, size_t from, bool binary) {
    if (binary) return text.find(what, from);
    return regional::foldCase(text).find(regional::foldCase(what), from);
}

// InStr([start, ]text, sought[, compare]): the character position, 0 when absent.
Variant instr(Arguments a) {
    const bool withStart = a.size() > 2;
    const int32_t start = withStart ? wholeNumber(a[0]) : 1;
    if (start < 1) throwError(InvalidCall);
    const Variant &t = a[withStart ? 1 : 0], &s = a[withStart ? 2 : 1];
    const bool binary = binaryCompare(a, 3);
    if (t.isNull() || s.isNull()) return Variant::null();
    const std::string text = regionalText(t), sought = regionalText(s);
    if (static_cast<size_t>(start) > characters(text)) return Variant(int32_t{0});
    if (sought.empty()) return Variant(start);
    const size_t at = findIn(text, sought, offsetOf(text, static_cast<size_t>(start) - 1), binary);
    if (at == std::string::npos) return Variant(int32_t{0});
    return Variant(static_cast<int32_t>(characters(std::string_view(text).substr(0, at)) + 1));
}

// InStrRev(text, sought[, start[, compare]]): the last match that ends by start (-1: the end).
Variant instrrev(Arguments a) {
    const int32_t start = given(a, 2) ? wholeNumber(a[2]) : -1;
    const bool binary = binaryCompare(a, 3);
    if (start == 0 || start < -1) throwError(InvalidCall);
    if (a[0].isNull() || a[1].isNull()) return Variant::null();
    const std::string text = regionalText(a[0]), sought = regionalText(a[1]);
    const size_t total = characters(text);
    if (start != -1 && static_cast<size_t>(start) > total) return Variant(int32_t{0});
    const size_t end = start == -1 ? total : static_cast<size_t>(start);
    if (sought.empty()) return Variant(static_cast<int32_t>(end));
    const std::string head = text.substr(0, offsetOf(text, end));
    const size_t at = binary ? head.rfind(sought) : regional::foldCase(head).rfind(regional::foldCase(sought));
    if (at == std::string::npos) return Variant(int32_t{0});
    return Variant(static_cast<int32_t>(characters(std::string_view(head).substr(0, at)) + 1));
}

// Replace(text, find, with[, start[, count[, compare]]]): the text from start on, with at most
// count replacements (-1: all).
Variant replace(Arguments a) {
    const std::string text = regionalText(a[0]), find = regionalText(a[1]), with = regionalText(a[2]);
    const int32_t start = given(a, 3) ? wholeNumber(a[3]) : 1;
    int32_t times = given(a, 4) ? wholeNumber(a[4]) : -1;
    const bool binary = binaryCompare(a, 5);
    if (start < 1 || times < -1) throwError(InvalidCall);
    if (static_cast<size_t>(start) > characters(text)) return Variant(std::string());
    const std::string rest = text.substr(offsetOf(text, static_cast<size_t>(start) - 1));
    if (find.empty()) return Variant(rest);
    std::string out;
    size_t from = 0;
    for (size_t at; times != 0 && (at = findIn(rest, find, from, binary)) != std::string::npos; --times) {
        out += rest.substr(from, at - from) + with;
        from = at + find.size();
    }
    return Variant(out + rest.substr(from));
}

Variant space(Arguments a) { return Variant(std::string(static_cast<size_t>(count(a[0])), ' ')); }

// String(n, character): a code (0 to 255, taken modulo 256) or the first character of a text.
Variant string(Arguments a) {
    if (anyNull(a)) return Variant::null();
    const int32_t n = count(a[0]);
    std::string c;
    if (a[1].isText()) {
        const std::string& s = *a[1].get<std::string>();
        if (s.empty()) throwError(InvalidCall);
        c = s.substr(0, offsetOf(s, 1));
    } else {
        c = chrOf(((wholeNumber(a[1]) % 256) + 256) % 256);
    }
    std::string out;
    for (int32_t i = 0; i < n; ++i) out += c;
    return Variant(out);
}

Variant strreverse(Arguments a) {
    const std::string s = regionalText(a[0]);
    std::string out;
    for (size_t end = s.size(); end > 0;) {
        size_t begin = end - 1;
        while (begin > 0 && (static_cast<unsigned char>(s[begin]) & 0xC0) == 0x80) --begin;
        out += s.substr(begin, end - begin);
        end = begin;
    }
    return Variant(out);
}

// StrComp(a, b[, compare]): -1, 0 or 1, Null when either is Null.
Variant strcomp(Arguments a) {
    const bool binary = binaryCompare(a, 2);
    if (a[0].isNull() || a[1].isNull()) return Variant::null();
    const std::string x = regionalText(a[0]), y = regionalText(a[1]);
    const int c = binary ? x.compare(y) : regional::compareText(x, y);
    return Variant(static_cast<int16_t>((c > 0) - (c < 0)));
}

Variant chr(Arguments a) { return Variant(chrOf(wholeNumber(a[0]))); }

Variant asc(Arguments a) {
    const std::string s = regionalText(a[0]);
    if (s.empty()) throwError(InvalidCall);
    const char32_t c = firstCodePoint(s);
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return Variant(static_cast<int16_t>(c));
    for (int i = 0; i < 32; ++i)
        if (Cp1252High[i] == c) return Variant(static_cast<int16_t>(0x80 + i));
    return Variant(int16_t{'?'});  // not in the code page
}

constexpr Function Functions[] = {
    {"Left", 2, 2, Result::Text, left},         {"Right", 2, 2, Result::Text, right},
    {"Mid", 2, 3, Result::Text, mid},           {"Len", 1, 1, Result::Long, len},           {"UCase", 1, 1, Result::Text, ucase},
    {"LCase", 1, 1, Result::Text, lcase},       {"LTrim", 1, 1, Result::Text, ltrim},
    {"RTrim", 1, 1, Result::Text, rtrim},       {"InStr", 2, 4, Result::Long, instr},
    {"InStrRev", 2, 4, Result::Long, instrrev}, {"Replace", 3, 6, Result::Text, replace},
    {"Space", 1, 1, Result::Text, space},       {"String", 2, 2, Result::Text, string},
    {"StrReverse", 1, 1, Result::Text, strreverse}, {"StrComp", 2, 3, Result::Integer, strcomp},
    {"Chr", 1, 1, Result::Text, chr},           {"Asc", 1, 1, Result::Integer, asc},
};

}  // namespace

std::span<const Function> textFunctions() { return Functions; }

}  // namespace zelt::jet::library
