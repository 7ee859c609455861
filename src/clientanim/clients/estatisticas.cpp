// SelecionarClientesAgrupadoPorAno and NumeroDeClientesAgrupadoPorMesAno: counts of registrations.
#include "clientanim/clients/estatisticas_instrucoes.hpp"
#include "clientanim/clients/selecao_instrucao.hpp"
#include "clientanim/frame/selecao.hpp"
#include "zelt/clientanim/clsClientes.hpp"

namespace zelt::clientanim {

namespace {
Selecao paginada(std::string texto, int16_t lenuTipoDeLista, int16_t lintTamanhoDaPagina) {
    Selecao selecao{std::move(texto), std::nullopt, {}};
    if (lenuTipoDeLista == ListaPaginada) selecao.tamanhoDaPagina = lintTamanhoDaPagina;
    return selecao;
}
}  // namespace

int16_t clsClientes::SelecionarClientesAgrupadoPorAno(int16_t lenuTipoDeLista, int16_t lintTamanhoDaPagina,
                                                      int16_t lintSituacaoParaFiltro) {
    Operacao op(*this, "SelecionarClientesAgrupadoPorAno");
    return op.executar([&]() -> int16_t {
        const int16_t aberto = op.abrirBanco(1);
        if (aberto != Concluido) return aberto;

        // A filter outside 0 to 3 leaves nothing between WHERE and GROUP BY, which the database refuses
        // when the recordset opens; it is refused at that point, before anything is sent.
        op.ponto(4);
        clientes::conferirSituacaoDosAnos(lintSituacaoParaFiltro);

        op.ponto(3);
        const bool administrador = lintSituacaoParaFiltro == TodasAsSituacoes && op.usuarioAdministrador();
        const std::string texto = clientes::montarSelecaoDosAnos(lintSituacaoParaFiltro, administrador);
        return executarSelecao(op, paginada(texto, lenuTipoDeLista, lintTamanhoDaPagina),
                               clientes::MensagemNenhumCliente);
    });
}

int16_t clsClientes::NumeroDeClientesAgrupadoPorMesAno(int16_t lenuTipoDeLista, int16_t lintTamanhoDaPagina,
                                                       const std::string& lstrAno) {
    Operacao op(*this, "NumeroDeClientesAgrupadoPorMesAno");
    return op.executar([&]() -> int16_t {
        const int16_t aberto = op.abrirBanco(1);
        if (aberto != Concluido) return aberto;

        op.ponto(3);
        const std::string texto = clientes::montarContagemPorMes(lstrAno);
        return executarSelecao(op, paginada(texto, lenuTipoDeLista, lintTamanhoDaPagina),
                               clientes::MensagemNenhumCliente);
    });
}

}  // namespace zelt::clientanim
