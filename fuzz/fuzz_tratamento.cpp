// Whatever the text, the treated text is safe between single quotes and the phonetic key is made
// of upper-case letters and single spaces; a broken invariant aborts the run.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "zelt/components/texttreatment.hpp"

namespace {

bool validUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        const size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

void checkTreated(const std::string& t, bool multiline) {
    for (const char ch : t) {
        const auto c = static_cast<unsigned char>(ch);
        if (ch == '\'') std::abort();
        if (c < 0x20 && !(multiline && (ch == '\r' || ch == '\n'))) std::abort();
        if (c == 0x7F) std::abort();
    }
    if (!validUtf8(t)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkTreated(zelt::texttreatment::tratarString(text), false);
    checkTreated(zelt::texttreatment::tratarString(text, true), true);
    const std::string key = zelt::texttreatment::montarSoundex(text);
    for (size_t i = 0; i < key.size(); ++i) {
        const bool letter = key[i] >= 'A' && key[i] <= 'Z';
        const bool space = key[i] == ' ' && i > 0 && i + 1 < key.size() && key[i - 1] != ' ';
        if (!letter && !space) std::abort();
    }
    return 0;
}
