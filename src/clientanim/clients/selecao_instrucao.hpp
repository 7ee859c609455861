#pragma once
// The statement of the client search, built from the caller's arguments.
#include <cstdint>
#include <functional>
#include <string>

#include "zelt/automation/variant.hpp"

namespace zelt::clientanim::clientes {

inline constexpr const char* MensagemNenhumCliente = "Nenhum cliente encontrado com as especificações informadas.";

// Selecionar's arguments after the list kind, as the caller gave them (an omitted text is empty,
// an omitted number 0, an omitted variant Empty).
struct ArgumentosDeSelecao {
    int16_t tamanhoDaPagina = 0;
    int16_t situacao = 0;
    Variant codigoOuNome;
    std::string apelidoOuNome;
    double codigoDoCliente = 0;
    std::string logradouro;
    std::string dataInicial, dataFinal;
    int16_t tipoDeData = 0;  // 2 date of inclusion, 3 birthdays
    Variant codigoOuNomeDoAnimal;
};

// A search value in the text it takes in the statement: the text treatment of the stored texts.
using TratamentoDeBusca = std::function<std::string(const Variant&)>;

// The whole SELECT. `administrador` matters only for the filters 0 and 5. A status outside 0 to 5
// is error 5; a birthday date whose day or month are not digits is error 13, an inclusion date
// that names no day error 13 as well.
std::string montarSelecaoDeClientes(const ArgumentosDeSelecao& argumentos, bool administrador,
                                    const TratamentoDeBusca& tratar);

}  // namespace zelt::clientanim::clientes
