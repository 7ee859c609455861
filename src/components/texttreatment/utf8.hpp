#pragma once
// Walking UTF-8 text code point by code point, with ICU's checked macros.
#include <unicode/utf8.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace zelt::texttreatment {

inline constexpr UChar32 ReplacementCharacter = 0xFFFD;

// Calls f(codePoint) for each code point of text; an ill-formed sequence (overlong forms,
// surrogates, truncated sequences, stray trail bytes) arrives as one negative value per maximal
// ill-formed subpart, as the Unicode standard recommends for substitution.
template <class F>
void forEachCodePoint(std::string_view text, F&& f) {
    const auto* s = reinterpret_cast<const uint8_t*>(text.data());
    const int64_t length = static_cast<int64_t>(text.size());
    int64_t i = 0;
    while (i < length) {
        UChar32 c;
        U8_NEXT(s, i, length, c);
        f(c);
    }
}

inline void appendCodePoint(std::string& out, UChar32 c) {
    char buffer[U8_MAX_LENGTH];
    int32_t n = 0;
    U8_APPEND_UNSAFE(buffer, n, c);
    out.append(buffer, static_cast<size_t>(n));
}

}  // namespace zelt::texttreatment
