#pragma once
// The statements that write a client row, built from the kept record.
#include <string>

#include "zelt/clientanim/clsClientes.hpp"

namespace zelt::clientanim::declaracoes {

// What the statements write besides the record: the phonetic keys of the two names, the server
// time in its regional text and the user's name.
struct Complementos {
    std::string soundexDoApelido, soundexDoNome;
    std::string dataHora, usuario;
};

std::string insercaoDoCliente(const clsClientes& c, const Complementos& k);
std::string alteracaoDoCliente(const clsClientes& c, const Complementos& k);
std::string alteracaoDoCodigoIBGE(const clsClientes& c, const Complementos& k);
std::string exclusaoDoCliente(const clsClientes& c, const Complementos& k);

}  // namespace zelt::clientanim::declaracoes
