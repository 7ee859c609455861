// AtualizarCategoriaDaCurvaABC: the clients' categories of profitability, at most once a day.
#include "clientanim/clients/curva_abc_instrucoes.hpp"
#include "clientanim/frame/operacao.hpp"
#include "zelt/automation/registry.hpp"
#include "zelt/clientanim/clsClientes.hpp"

namespace zelt::clientanim {

namespace {

Ref<ado::Recordset> desconectado(Ref<ado::Recordset> rs) {
    if (!rs) throwError(err::ObjectVariableNotSet);
    rs->putref_ActiveConnection(nullptr);
    return rs;
}

// The management component's classification, or an empty Ref when it is not ready (no error).
Ref<ado::Recordset> pedirClassificacao(Operacao& op, Date hoje) {
    Ref<Object> gerencial = CreateObject(clientes::ProgIdDoGerencial);
    op.ponto(8);
    std::vector<Variant> periodo{Variant(clientes::fimDoPeriodoDaCurva(hoje)),
                                 Variant(clientes::inicioDoPeriodoDaCurva(hoje))};
    op.ponto(9);
    if (callByNameRef(*gerencial, "SelecionarCurvaABCporLucratividadeDeClientes", periodo).toDouble() != 0)
        return nullptr;
    op.ponto(10);
    Ref<Object> resultado = getProperty(*gerencial, "ResultadoDaSelecaoEmRecordset").toObject();
    auto classificacao = refCast<ado::Recordset>(resultado);
    if (!classificacao) throwError(err::TypeMismatch);
    return classificacao;
}

}  // namespace

int16_t clsClientes::AtualizarCategoriaDaCurvaABC() {
    Operacao op(*this, "AtualizarCategoriaDaCurvaABC");
    return op.executar([&]() -> int16_t {
        const int16_t aberto = op.abrirBanco(0);
        if (aberto != Concluido) return aberto;
        ado::Connection& conexao = op.conexao();

        op.ponto(3);
        dataHoraDaAtualizacao_ = op.lerHoraDoServidorAoSegundo();

        op.ponto(5);
        const int32_t registros304 = (*desconectado(conexao.Execute(clientes::contagemDoRegistro304())))(0).toInt32();
        op.ponto(6);
        if (registros304 == 0) return Concluido;
        auto empresa = desconectado(conexao.Execute(clientes::leituraDaUltimaAtualizacao()));

        op.ponto(7);
        const Date hoje = Date::today();
        const Variant ultima = (*empresa)("DataDeAtualizacaoDaCategoriaDaCurvaABC");
        Ref<ado::Recordset> classificacao;
        // A day never recorded (null) is not earlier than today: nothing runs until it is set.
        if (!ultima.isNull() && ultima.toDate() < hoje) classificacao = pedirClassificacao(op, hoje);

        if (classificacao && classificacao->get_RecordCount() != 0) {
            // Nothing is undone by hand on failure: the uncommitted work ends with the connection.
            op.ponto(11);
            conexao.BeginTrans();
            op.ponto(12);
            conexao.Execute(clientes::todosNaCategoriaC());
            op.ponto(13);
            classificacao->MoveFirst();
            while (!classificacao->get_EOF()) {
                conexao.Execute(clientes::categoriaDoCliente((*classificacao)("Classificacao"),
                                                             (*classificacao)("CodigoDoCliente")));
                classificacao->MoveNext();
            }
            op.ponto(14);
            conexao.Execute(clientes::registroDaAtualizacao(hoje));
            op.ponto(15);
            conexao.CommitTrans();
            op.ponto(16);
        }
        op.ponto(17);
        classificacao.reset();
        op.ponto(18);
        return Concluido;
    });
}

}  // namespace zelt::clientanim
