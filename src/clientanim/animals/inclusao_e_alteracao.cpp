// Adicionar and Alterar: validate, take the server's time, write the record with the user's name.
#include "clientanim/animals/instrucoes_de_gravacao.hpp"
#include "clientanim/frame/operacao.hpp"
#include "zelt/clientanim/clsAnimais.hpp"

namespace zelt::clientanim {

int16_t clsAnimais::Adicionar() {
    Operacao op(*this, "Adicionar");
    return op.executar([&]() -> int16_t {
        const int16_t aberto = op.abrirBanco(2);
        if (aberto != Concluido) return aberto;
        op.ponto(3);
        const int16_t validado = ValidarDados(1, op.referenciaDeConexao(), op.recordset(1));
        op.ponto(4);
        if (validado != Concluido) {
            op.ponto(8);
            return validado;
        }
        if (!somenteValidar_) {
            op.ponto(5);
            dataHoraDaAtualizacao_ = op.lerHoraDoServidor();
            op.ponto(6);
            op.conexao().Execute(animais::instrucaoDeInclusao(registro_, dataHoraDaAtualizacao_, op.nomeDoUsuario()));
            codigoGerado_ = op.lerIdentidade();
        }
        op.ponto(7);
        return Concluido;
    });
}

int16_t clsAnimais::Alterar() {
    Operacao op(*this, "Alterar");
    return op.executar([&]() -> int16_t {
        const int16_t aberto = op.abrirBanco(2);
        if (aberto != Concluido) return aberto;
        op.ponto(3);
        const int16_t validado = ValidarDados(2, op.referenciaDeConexao(), op.recordset(1));
        op.ponto(4);
        if (validado != Concluido) {
            op.ponto(9);
            return validado;
        }
        if (!somenteValidar_) {
            op.ponto(5);
            dataHoraDaAtualizacao_ = op.lerHoraDoServidorAoSegundo();
            op.ponto(6);
            const std::string instrucao = animais::instrucaoDeAlteracao(registro_, dataHoraDaAtualizacao_, op.nomeDoUsuario());
            op.ponto(7);
            op.conexao().Execute(instrucao);
        }
        op.ponto(8);
        return Concluido;
    });
}

}  // namespace zelt::clientanim
