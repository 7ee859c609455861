#pragma once
#include "clientanim/frame/objeto_de_negocio.hpp"

namespace zelt::clientanim {

// PaginarResultadoDaSelecaoEmRecordset of clsAnimais and clsClientes: copies, from the current row
// of the last selection, at most `itensPorPagina` rows into a recordset of its own, and puts the
// selection back on the page it was on. `pagina` receives the page only on success.
int16_t paginarResultado(ObjetoDeNegocio& dono, int16_t itensPorPagina, Variant& pagina);

// The interface member of both classes. The page argument is taken by reference whatever it holds
// (a recordset, Nothing, Empty, Null, a text) and written only on success.
Member membroDePaginacao();

}  // namespace zelt::clientanim
