#pragma once
#include <cstdint>

namespace zelt::clientanim {

// Result codes every operation returns.
enum Resultado : int16_t { Concluido = 0, Erro = 1, CampoRecusado = 2, Recusado = 3 };

// penuTipoDeListaAnimais / penuTipoDeListaClientes / penuTipoDeListaClientesEAnimais
enum penuTipoDeLista : int16_t { ListaPaginada = 1, ListaCompleta = 2 };

// penuSituacaoAnimais uses 0 to 2; penuSituacaoClientes and penuSituacaoClientesEAnimais all six.
enum penuSituacao : int16_t {
    TodasAsSituacoes = 0, RegistroAtivo = 1, RegistroInativo = 2, RegistroBloqueado = 3,
    RegistroExcluido = 4, RegistroRecente = 5,
};

}  // namespace zelt::clientanim
