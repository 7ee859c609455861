// RetornarInformacoesDoLimiteDeCredito: a client's credit limit, what open receivables use of it
// and what is left.
#include "clientanim/frame/operacao.hpp"
#include "clientanim/frame/valores_sql.hpp"
#include "zelt/clientanim/clsClientes.hpp"

namespace zelt::clientanim {

namespace {

constexpr const char* MensagemSemMemoria =
    "Seu computador não tem memória suficiente para exibir todos os registros selecionados.\r\n"
    "Utilize o campo de pesquisa para encontrar o(s) registro(s).\r\n"
    "Observação: Para evitar esta situação aumente na medida do possível a quantidade de memória deste "
    "computador.";

// The named field of the statement's first row as an amount, a null as 0; the recordset is then
// disconnected and closed.
Currency lerValor(ado::Connection& conexao, const std::string& texto, std::string_view campo) {
    Ref<ado::Recordset> rs = conexao.Execute(texto);
    if (!rs) throwError(err::ObjectVariableNotSet);
    const Variant v = (*rs)(campo);
    const Currency valor = v.isNull() ? Currency() : v.toCurrency();
    rs->putref_ActiveConnection(nullptr);
    rs->Close();
    return valor;
}

}  // namespace

int16_t clsClientes::RetornarInformacoesDoLimiteDeCredito(double ldouCodigoDoCliente, Currency& lcurLimite,
                                                          Currency& lcurUtilizado, Currency& lcurDisponivel) {
    Operacao op(*this, "RetornarInformacoesDoLimiteDeCredito");
    const std::string codigo = sql::numero(ldouCodigoDoCliente);
    return op.executar(
        [&]() -> int16_t {
            const int16_t aberto = op.abrirBanco(1);
            if (aberto != Concluido) return aberto;

            op.ponto(3);
            lcurLimite = lerValor(op.conexao(),
                                  std::string("           SELECT ") + "    Clientes.LimiteDeCredito AS Limite " +
                                      " FROM " + "   Clientes " + " WHERE  " + "    Clientes.Codigo = " + codigo,
                                  "Limite");
            op.ponto(4);
            lcurUtilizado = lerValor(op.conexao(),
                                     std::string("           SELECT ") +
                                         "    SUM(ContasAReceber.ValorDoDocumento) AS ValorDoDocumento " + " FROM " +
                                         "   ContasAReceber " + " WHERE  " + "    ContasAReceber.DataDaBaixa IS NULL " +
                                         "    AND ContasAReceber.CodigoDoCliente = " + codigo,
                                     "ValorDoDocumento");
            op.ponto(5);
            lcurDisponivel = lcurLimite - lcurUtilizado;
            op.ponto(6);
            return Concluido;
        },
        [](RuntimeError& erro, Operacao&) -> std::optional<int16_t> {
            if (erro.number() == err::NotEnoughMemory)
                erro = RuntimeError(erro.number(), MensagemSemMemoria, erro.helpContext());
            return std::nullopt;
        });
}

}  // namespace zelt::clientanim
