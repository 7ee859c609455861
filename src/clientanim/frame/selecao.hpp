#pragma once
// The selection run shared by every list: open the recordset on the statement, disconnect it,
// close the connection through the data-access object, and store it with the empty-result message.
#include <optional>
#include <string>

#include "clientanim/frame/operacao.hpp"

namespace zelt::clientanim {

struct Selecao {
    std::string texto;                     // the statement or shaping command
    std::optional<int16_t> tamanhoDaPagina; // set with ListaPaginada
    std::string ordenacaoNoCliente;        // the recordset's Sort, when the rows are reordered client-side
};

// Points 4 to 6 on the operation's first recordset. An empty Ref when FecharConexao reported an
// error (already copied into the owner: the operation returns Erro).
Ref<ado::Recordset> abrirSelecao(Operacao& op, const Selecao& selecao);

// Points 4 to 10: the run above, then point 7 tests the row count, 8 stores a recordset with rows,
// 9 stores an empty one with `mensagemSemRegistros` in DescricaoDaFalha, 10 releases.
int16_t executarSelecao(Operacao& op, const Selecao& selecao, const std::string& mensagemSemRegistros);

}  // namespace zelt::clientanim
