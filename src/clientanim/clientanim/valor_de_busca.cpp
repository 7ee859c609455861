#include "clientanim/clientanim/valor_de_busca.hpp"

namespace zelt::clientanim {

std::string valorDeBusca(const Variant& valor) {
    if (valor.isNull() || valor.isEmpty()) return {};
    const std::string texto = valor.toText();
    std::string seguro;
    seguro.reserve(texto.size());
    for (const char c : texto) {
        if (c == '\'') seguro += "\u2019";
        else if (c != '\0') seguro += c;
    }
    return seguro;
}

}  // namespace zelt::clientanim
