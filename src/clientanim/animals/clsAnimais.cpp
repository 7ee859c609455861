#include "zelt/clientanim/clsAnimais.hpp"

#include "clientanim/frame/paginacao.hpp"
#include "clientanim/registration/fabricas.hpp"

namespace zelt::clientanim {

clsAnimais::clsAnimais() : ObjetoDeNegocio("clsAnimais", true) {}

int16_t clsAnimais::PaginarResultadoDaSelecaoEmRecordset(int16_t lintNumeroDeItensPorPagina,
                                                         Variant& lobjPaginaDoRecordset) {
    return paginarResultado(*this, lintNumeroDeItensPorPagina, lobjPaginaDoRecordset);
}

Ref<Object> criarClsAnimais() { return make<clsAnimais>(); }

}  // namespace zelt::clientanim
