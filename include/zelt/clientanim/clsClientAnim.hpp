#pragma once
// clsClientAnim: the register as a tree, each client with its animals beneath it.
#include "clientanim/frame/objeto_de_negocio.hpp"

namespace zelt::clientanim {

class clsClientAnim : public ObjetoDeNegocio {
public:
    clsClientAnim();

    // Leaves in ResultadoDaSelecaoEmRecordset the clients (by status and general search value) with
    // their animals (by the animal search value) in the chapter column "Animais".
    int16_t Selecionar(int16_t lenuTipoDeLista, int16_t lintTamanhoDaPagina, int16_t lintSituacaoParaFiltro,
                       const Variant& lvarCodigoOuNomeParaFiltro, const Variant& lvarCodigoOuNomeDoAnimalParaFiltro);

    // The member table of the class's dispatch interface, also for its type library.
    static const DispatchTable& tabela();
    const DispatchTable& table() const override { return tabela(); }
};

Ref<Object> criarClsClientAnim();

}  // namespace zelt::clientanim
