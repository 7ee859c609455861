#pragma once
// Lengths and pieces of texts counted in characters, as the caller sees them, not in bytes.
#include <string>
#include <string_view>

#include "zelt/automation/regional.hpp"

namespace zelt::clientanim::textos {

inline size_t comprimento(std::string_view t) {
    size_t n = 0;
    for (char c : t) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

// Length after removing the spaces at both ends; 0 means blank.
inline size_t comprimentoAparado(std::string_view t) { return comprimento(regional::trim(t)); }
inline bool emBranco(std::string_view t) { return regional::trim(t).empty(); }

// `n` characters from the character `inicio` (counted from 1).
inline std::string meio(std::string_view t, size_t inicio, size_t n) {
    size_t i = 0, caractere = 1;
    auto avancar = [&] {
        ++i;
        while (i < t.size() && (static_cast<unsigned char>(t[i]) & 0xC0) == 0x80) ++i;
        ++caractere;
    };
    while (i < t.size() && caractere < inicio) avancar();
    const size_t comeco = i;
    while (i < t.size() && caractere < inicio + n) avancar();
    return std::string(t.substr(comeco, i - comeco));
}

}  // namespace zelt::clientanim::textos
