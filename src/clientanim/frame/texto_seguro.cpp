#include "clientanim/frame/texto_seguro.hpp"

#include <cstdint>
#include <string_view>

namespace zelt::clientanim {

namespace {

constexpr const char* ApostrofoTipografico = "\u2019";
constexpr const char* Substituto = "\uFFFD";

bool continuacao(uint8_t b, uint8_t de = 0x80, uint8_t ate = 0xBF) { return b >= de && b <= ate; }

// The length of the well-formed sequence that starts at `i`, or 0 with `invalidos` set to the length
// of its largest ill-formed start (at least 1), which is replaced as one character.
size_t sequencia(std::string_view t, size_t i, size_t& invalidos) {
    const auto b = [&](size_t k) { return static_cast<uint8_t>(t[k]); };
    const uint8_t c = b(i);
    size_t n = 0;
    uint8_t de = 0x80, ate = 0xBF;
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) n = 2;
    else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0) de = 0xA0;
        if (c == 0xED) ate = 0x9F;  // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0) de = 0x90;
        if (c == 0xF4) ate = 0x8F;  // nothing beyond U+10FFFF
    }
    size_t k = 1;
    for (; n > 0 && k < n && i + k < t.size(); ++k) {
        if (!continuacao(b(i + k), k == 1 ? de : 0x80, k == 1 ? ate : 0xBF)) break;
    }
    if (n > 0 && k == n) return n;
    invalidos = n > 0 ? k : 1;
    return 0;
}

bool controle(std::string_view caractere) {
    const auto c0 = static_cast<uint8_t>(caractere[0]);
    if (caractere.size() == 1) return c0 < 0x20 || c0 == 0x7F;
    return caractere.size() == 2 && c0 == 0xC2 && static_cast<uint8_t>(caractere[1]) <= 0x9F;  // C1
}

std::string comARegraDoTratamento(std::string_view texto) {
    std::string seguro;
    seguro.reserve(texto.size());
    for (size_t i = 0; i < texto.size();) {
        size_t invalidos = 0;
        const size_t n = sequencia(texto, i, invalidos);
        if (n == 0) {
            seguro += Substituto;
            i += invalidos;
            continue;
        }
        const std::string_view caractere = texto.substr(i, n);
        i += n;
        if (caractere == "'") seguro += ApostrofoTipografico;
        else if (!controle(caractere)) seguro += caractere;
    }
    return seguro;
}

}  // namespace

std::string textoSeguro(const Variant& valor) {
    if (valor.isNull() || valor.isEmpty()) return {};
    return comARegraDoTratamento(valor.toText());
}

}  // namespace zelt::clientanim
