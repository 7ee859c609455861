#include "zelt/clientanim/clsClientes.hpp"

#include "clientanim/frame/paginacao.hpp"

namespace zelt::clientanim {

clsClientes::clsClientes() : ObjetoDeNegocio("clsClientes", true) {}

int16_t clsClientes::PaginarResultadoDaSelecaoEmRecordset(int16_t lintNumeroDeItensPorPagina,
                                                         Variant& lobjPaginaDoRecordset) {
    return paginarResultado(*this, lintNumeroDeItensPorPagina, lobjPaginaDoRecordset);
}

Ref<Object> criarClsClientes() { return make<clsClientes>(); }

}  // namespace zelt::clientanim
