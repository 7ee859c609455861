#pragma once
#include <string>

#include "zelt/automation/variant.hpp"

namespace zelt::clientanim {

struct ArgumentosDaListagem {
    int16_t tamanhoDaPagina = 0;
    int16_t situacao = 0;
    bool administrador = false;
    Variant codigoOuNome;  // the caller's values, as given
    Variant codigoOuNomeDoAnimal;
};

// The data-shaping command: clients as parents, their animals as the chapter "Animais". A status
// filter outside 0 to 5 is refused here (error 5 naming lintSituacaoParaFiltro).
std::string montarComandoDeListagem(const ArgumentosDaListagem& a);

}  // namespace zelt::clientanim
