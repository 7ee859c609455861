#pragma once
// The column list of the client search, written once.
#include <span>
#include <string_view>

namespace zelt::clientanim::clientes {

// The 64 columns of Selecionar, from CodigoDoCliente to TiposECanaisDeComunicacao; the last one
// ends in a blank, every other in ", ".
std::span<const std::string_view> colunasDaSelecao();

}  // namespace zelt::clientanim::clientes
