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

// Both texts already folded (or both ASCII, then compared ignoring case). The classic single
// backtrack point suffices: a later '%' supersedes the earlier one.
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
            if (p[pi] == '_') {
                ++pi;
                vi += Ascii ? 1 : charLength(v, vi);
                continue;
            }
            const size_t n = Ascii ? 1 : charLength(p, pi);
            if (Ascii ? lowerAscii(p[pi]) == lowerAscii(v[vi]) : v.compare(vi, n, p, pi, n) == 0) {
                pi += n;
                vi += n;
                continue;
            }
        }
        if (starP == std::string_view::npos) return false;
        pi = starP;
        starV += Ascii ? 1 : charLength(v, starV);
        vi = starV;
    }
    while (pi < p.size() && p[pi] == '%') ++pi;
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
