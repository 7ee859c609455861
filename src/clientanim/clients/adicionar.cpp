// Adicionar: the client and, when asked, the animals of the grid, in one transaction.
#include "clientanim/clients/animais_da_grade.hpp"
#include "clientanim/clients/declaracoes_do_cliente.hpp"
#include "clientanim/frame/operacao.hpp"
#include "clientanim/frame/valores_sql.hpp"

namespace zelt::clientanim {

int16_t clsClientes::Adicionar() {
    Operacao op(*this, "Adicionar");
    auto desfazer = [](RuntimeError&, Operacao& o) -> std::optional<int16_t> {
        // Without a connection, conexao() raises and the frame keeps the original error; a
        // transaction never begun needs no rollback.
        if (o.conexao().inTransaction()) o.conexao().RollbackTrans();
        return std::nullopt;
    };
    return op.executar(
        [&]() -> int16_t {
            if (const int16_t aberto = op.abrirBanco(2); aberto != Concluido) return aberto;
            op.ponto(3);
            const int16_t validacao = ValidarDados(1, op.referenciaDeConexao(), op.recordset(1));
            op.ponto(4);
            if (validacao != Concluido) {
                op.ponto(8);
                return validacao;
            }
            op.ponto(5);
            dataHoraDaAtualizacao_ = op.lerHoraDoServidor();

            op.ponto(6);
            ado::Connection& conexao = op.conexao();
            conexao.BeginTrans();
            const std::string& apelido = texto(clientes::Texto::ApelidoOuNomeFantasia);
            const std::string& nome = texto(clientes::Texto::NomeOuRazaoSocial);
            declaracoes::Complementos k;
            k.soundexDoApelido = montarSoundex(apelido);
            k.soundexDoNome = montarSoundex(nome);
            k.dataHora = sql::dataHora(dataHoraDaAtualizacao_);
            k.usuario = op.nomeDoUsuario();
            conexao.Execute(declaracoes::insercaoDoCliente(*this, k));
            codigoGerado_ = op.lerIdentidade();

            op.ponto(7);
            if (adicionarComAnimais_) {
                Ref<Object> grade = gradeDeAnimais_;
                if (!grade) throwError(err::ObjectVariableNotSet);
                const grade::Carimbo carimbo{codigoGerado_, k.dataHora, k.usuario};
                const int16_t ultima = grade::ultimaLinha(*grade);
                // An int counter, so that a last row of 32767 ends the loop instead of wrapping.
                for (int i = 1; i <= ultima; ++i)
                    conexao.Execute(grade::insercaoDoAnimal(*grade, static_cast<int16_t>(i), carimbo,
                                                            [this](const std::string& t) { return tratar(t); }));
            }
            conexao.CommitTrans();
            return Concluido;
        },
        desfazer);
}

}  // namespace zelt::clientanim
