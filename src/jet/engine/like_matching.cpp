#include "jet/engine/like_matching.hpp"

#include <string>

#include "zelt/automation/regional.hpp"

namespace zelt::jet::engine {
namespace {

bool isAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Bytes of the UTF-8 character starting at s[i] (1 for a stray continuation byte).
size_t charLength(std::string_view s, size_t i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    size_t n = c < 0xC0 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    return i + n <= s.size() ? n : s.size() - i;
}

template <bool Ascii>
size_t lengthAt(std::string_view s, size_t i) {
    return Ascii ? 1 : charLength(s, i);
}

template <bool Ascii>
bool same(std::string_view a, std::string_view b) {
    if constexpr (Ascii) return lowerAscii(a[0]) == lowerAscii(b[0]);
    return a == b;
}

// Whether c is among the list between the brackets.
template <bool Ascii>
bool inList(std::string_view list, std::string_view c) {
    const bool negated = list.size() > 1 && list[0] == '!';
    if (negated) list.remove_prefix(1);
    bool found = false;
    for (size_t i = 0; i < list.size() && !found;) {
        const size_t n = lengthAt<Ascii>(list, i);
        const std::string_view item = list.substr(i, n);
        if (i + n + 1 < list.size() && list[i + n] == '-') {
            const size_t h = i + n + 1;
            const std::string_view high = list.substr(h, lengthAt<Ascii>(list, h));
            found = regional::compareText(item, c) <= 0 && regional::compareText(c, high) <= 0;
            i = h + high.size();
            continue;
        }
        found = same<Ascii>(item, c);
        i += n;
    }
    return found != negated;
}

// Both texts already folded (or both ASCII, then compared ignoring case). Every element but '%'
// matches one character (or, [], none), so the classic single backtrack point suffices: a later
// '%' supersedes the earlier one.
template <bool Ascii>
bool match(std::string_view p, std::string_view v) {
    size_t pi = 0, vi = 0;
    size_t starP = std::string_view::npos, starV = 0;
    while (vi < v.size()) {
        if (pi < p.size() && p[pi] == '%') {
            starP = ++pi;
            starV = vi;
            continue;
        }
        if (pi < p.size()) {
            const size_t n = lengthAt<Ascii>(v, vi);
            const size_t close = p[pi] == '[' ? p.find(']', pi + 1) : std::string_view::npos;
            if (close == pi + 1) {
                pi += 2;
                continue;
            }
            if (close != std::string_view::npos) {
                if (inList<Ascii>(p.substr(pi + 1, close - pi - 1), v.substr(vi, n))) {
                    pi = close + 1;
                    vi += n;
                    continue;
                }
            } else if (p[pi] == '_') {
                ++pi;
                vi += n;
                continue;
            } else {
                const size_t m = lengthAt<Ascii>(p, pi);
                if (m == n && same<Ascii>(p.substr(pi, m), v.substr(vi, n))) {
                    pi += m;
                    vi += n;
                    continue;
                }
            }
        }
        if (starP == std::string_view::npos) return false;
        pi = starP;
        starV += lengthAt<Ascii>(v, starV);
        vi = starV;
    }
    while (pi < p.size() && (p[pi] == '%' || p.substr(pi, 2) == "[]")) pi += p[pi] == '%' ? 1 : 2;
    return pi == p.size();
}

}  // namespace

bool likeMatches(std::string_view pattern, std::string_view value) {
    if (isAscii(pattern) && isAscii(value)) return match<true>(pattern, value);
    const std::string p = regional::foldCase(pattern);
    const std::string v = regional::foldCase(value);
    return match<false>(p, v);
}

}  // namespace zelt::jet::engine
