#pragma once
// The client conditions that the client list and the combined client-and-animal listing share:
// the status filter, the general search value and the animal search value.
#include <string>

#include "zelt/automation/variant.hpp"

namespace zelt::clientanim::condicoes {

// A filter outside 0 to 5 is refused (error 5 naming the argument and the values accepted).
void conferirSituacaoDosClientes(int16_t filtro);
// "   (Clientes.Situacao=1 OR ...) " by filter (0 to 5; 0 and 5 show status 4 to an administrator only).
// A filter outside 0 to 5 is refused as above, before any text is sent.
std::string situacaoDosClientes(int16_t filtro, bool administrador);

// The general search value v: the code (and the CPF/CNPJ for 11 or 14 characters) when numeric,
// otherwise the two names and the street. `textoTratado` is v's text after the text treatment.
std::string codigoOuNomeDoCliente(const Variant& v, const std::string& textoTratado);

// The animal search value a: the animal's code when numeric, otherwise its name; the microchip always.
std::string codigoOuNomeDoAnimal(const Variant& a, const std::string& textoTratado);

}  // namespace zelt::clientanim::condicoes
