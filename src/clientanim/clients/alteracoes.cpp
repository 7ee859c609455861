// Alterar, AlterarCodigoIBGEDoMunicipio and Excluir: one UPDATE of the client's row, stamped
// with the server time to the second and the user's name.
#include "clientanim/clients/declaracoes_do_cliente.hpp"
#include "clientanim/frame/operacao.hpp"
#include "clientanim/frame/valores_sql.hpp"

namespace zelt::clientanim {

namespace {

constexpr const char* ClienteComAnimais =
    "O cliente não pode ser excluído porque existe:\r\n"
    "\r\n"
    "animais relacionados a ele\r\n"
    "\r\n"
    "Se não deseja mais utilizar, altere a 'Situação' do clinte para 'Inativo'.";

// Points 3 to 9 shared by the three: validation, the server time, the statement and its execution.
template <class Validar, class Montar>
int16_t alterarLinha(Operacao& op, int recordsets, Date& dataHora, Validar validar, Montar montar) {
    if (const int16_t aberto = op.abrirBanco(recordsets); aberto != Concluido) return aberto;
    op.ponto(3);
    const int16_t validacao = validar();
    op.ponto(4);
    if (validacao != Concluido) {
        op.ponto(9);
        return validacao;
    }
    op.ponto(5);
    dataHora = op.lerHoraDoServidorAoSegundo();
    op.ponto(6);
    declaracoes::Complementos k;
    k.dataHora = sql::dataHora(dataHora);
    k.usuario = op.nomeDoUsuario();
    const std::string texto = montar(k);
    op.ponto(7);
    op.conexao().Execute(texto);
    op.ponto(8);
    return Concluido;
}

}  // namespace

int16_t clsClientes::Alterar() {
    Operacao op(*this, "Alterar");
    return op.executar([&] {
        return alterarLinha(
            op, 2, dataHoraDaAtualizacao_,
            [&] { return ValidarDados(2, op.referenciaDeConexao(), op.recordset(1)); },
            [&](declaracoes::Complementos& k) {
                k.soundexDoApelido = montarSoundex(texto(clientes::Texto::ApelidoOuNomeFantasia));
                k.soundexDoNome = montarSoundex(texto(clientes::Texto::NomeOuRazaoSocial));
                return declaracoes::alteracaoDoCliente(*this, k);
            });
    });
}

Variant clsClientes::AlterarCodigoIBGEDoMunicipio() {
    Operacao op(*this, "AlterarCodigoIBGEDoMunicipio");
    const int16_t resultado = op.executar([&] {
        return alterarLinha(
            op, 1, dataHoraDaAtualizacao_,
            [&] {
                return ValidarDadoEspecifico(2, op.referenciaDeConexao(), Ref<Object>(),
                                             Variant(texto(clientes::Texto::CodigoIBGEDoMunicipio)));
            },
            [&](declaracoes::Complementos& k) { return declaracoes::alteracaoDoCodigoIBGE(*this, k); });
    });
    return Variant(resultado);
}

int16_t clsClientes::Excluir() {
    Operacao op(*this, "Excluir");
    // The provider's general failure is a refusal; only a refusal for related records says why.
    auto recusa = [this](RuntimeError& e, Operacao&) -> std::optional<int16_t> {
        if (e.number() != err::ProviderFailure) return std::nullopt;
        if (e.helpContext() == err::ReferentialIntegrityHelpContext) descricaoDaFalha_ = ClienteComAnimais;
        return Recusado;
    };
    return op.executar(
        [&] {
            return alterarLinha(
                op, 2, dataHoraDaAtualizacao_,
                [&] { return ValidarDados(3, op.referenciaDeConexao(), op.recordset(1)); },
                [&](declaracoes::Complementos& k) { return declaracoes::exclusaoDoCliente(*this, k); });
        },
        recusa);
}

}  // namespace zelt::clientanim
