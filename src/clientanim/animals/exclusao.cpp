// Excluir: the reference counts first, then the engine's own refusal becomes the same kind of answer.
#include "clientanim/frame/operacao.hpp"
#include "clientanim/frame/valores_sql.hpp"
#include "zelt/clientanim/clsAnimais.hpp"

namespace zelt::clientanim {

int16_t clsAnimais::Excluir() {
    Operacao op(*this, "Excluir");
    auto recusaDoBanco = [this](RuntimeError& e, Operacao&) -> std::optional<int16_t> {
        if (e.number() != err::ProviderFailure) return std::nullopt;
        if (e.helpContext() == err::ReferentialIntegrityHelpContext)
            descricaoDaFalha_ =
                "O animal não pode ser excluído porque existe:\r\n\r\nregistros relacionados a ele\r\n\r\n"
                "Se não deseja mais utilizar, altere a 'Situação' do animal para 'Inativo'.";
        return Recusado;
    };
    return op.executar(
        [&]() -> int16_t {
            const int16_t aberto = op.abrirBanco(1);
            if (aberto != Concluido) return aberto;
            op.ponto(3);
            const int16_t validado = ValidarDados(3, op.referenciaDeConexao(), op.recordset(0));
            op.ponto(4);
            if (validado != Concluido) {
                op.ponto(7);
                return validado;
            }
            op.ponto(5);
            op.conexao().Execute(std::string("DELETE * ") + "FROM Animais " + "WHERE Codigo=" +
                                 sql::numero(registro_.codigo) + ";");
            op.ponto(6);
            return Concluido;
        },
        recusaDoBanco);
}

}  // namespace zelt::clientanim
