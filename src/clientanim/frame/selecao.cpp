#include "clientanim/frame/selecao.hpp"

namespace zelt::clientanim {

Ref<ado::Recordset> abrirSelecao(Operacao& op, const Selecao& selecao) {
    op.ponto(4);
    auto rs = op.recordset(0);
    if (selecao.tamanhoDaPagina) rs->put_PageSize(*selecao.tamanhoDaPagina);
    rs->put_Source(selecao.texto);
    rs->putref_ActiveConnection(op.referenciaDeConexao());
    rs->Open();
    if (!selecao.ordenacaoNoCliente.empty()) rs->put_Sort(selecao.ordenacaoNoCliente);
    op.ponto(5);
    rs->putref_ActiveConnection(nullptr);
    op.ponto(6);
    if (op.fecharConexao() != Concluido) return nullptr;
    return rs;
}

int16_t executarSelecao(Operacao& op, const Selecao& selecao, const std::string& mensagemSemRegistros) {
    auto rs = abrirSelecao(op, selecao);
    if (!rs) return Erro;
    op.ponto(7);
    if (rs->get_RecordCount() > 0) {
        op.ponto(8);
        op.dono().guardarResultado(rs);
    } else {
        op.ponto(9);
        op.dono().guardarResultado(rs, mensagemSemRegistros);
    }
    op.ponto(10);
    return Concluido;
}

}  // namespace zelt::clientanim
