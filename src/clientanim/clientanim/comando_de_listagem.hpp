#pragma once
#include <string>

#include "zelt/automation/variant.hpp"

namespace zelt::clientanim {

struct ArgumentosDaListagem {
    int16_t tamanhoDaPagina = 0;
    int16_t situacao = 0;
    bool administrador = false;
    Variant codigoOuNome;        // the caller's values, for the "is given" and numeric tests
    Variant codigoOuNomeDoAnimal;
    std::string codigoOuNomeTratado;  // the same values in text form, after the text treatment
    std::string codigoOuNomeDoAnimalTratado;
};

// The data-shaping command: clients as parents, their animals as the chapter "Animais".
std::string montarComandoDeListagem(const ArgumentosDaListagem& a);

}  // namespace zelt::clientanim
