#pragma once
// The column lists of the animal selections, each written once.
#include <span>
#include <string_view>

namespace zelt::clientanim::animais {

// The 37 columns of Selecionar, from CodigoDoAnimal to TiposECanaisDeComunicacao.
std::span<const std::string_view> colunasDaSelecao();
// The 19 columns of SelecionarParaImpressaoEExportacao.
std::span<const std::string_view> colunasDaImpressao();

}  // namespace zelt::clientanim::animais
