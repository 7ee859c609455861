// Selecionar: the search of the client register.
#include "clientanim/clients/selecao_instrucao.hpp"
#include "clientanim/frame/condicoes_de_clientes.hpp"
#include "clientanim/frame/selecao.hpp"
#include "zelt/clientanim/clsClientes.hpp"

namespace zelt::clientanim {

int16_t clsClientes::Selecionar(int16_t lenuTipoDeLista, int16_t lintTamanhoDaPagina, int16_t lintSituacaoParaFiltro,
                                const Variant& lvarCodigoOuNomeParaFiltro,
                                const std::string& lstrApelidoOuNomeFantasiaOuNomeOuRazaoSocialDoCliente,
                                double ldouCodigoDoCliente, const std::string& lstrLogradouroDoCliente,
                                const std::string& lstrDataInicial, const std::string& lstrDataFinal,
                                int16_t lintListaCompletaDeClientesAniversariantesOuPorDataDeInclusao,
                                const Variant& lvarCodigoOuNomeDoAnimalParaFiltro) {
    Operacao op(*this, "Selecionar");
    return op.executar([&]() -> int16_t {
        const int16_t aberto = op.abrirBanco(1);
        if (aberto != Concluido) return aberto;

        // A status outside 0 to 5 leaves the statement without its status condition, which the
        // database refuses when the recordset opens; it is refused at that point, before anything is sent.
        op.ponto(4);
        condicoes::conferirSituacaoDosClientes(lintSituacaoParaFiltro);

        op.ponto(3);
        const clientes::ArgumentosDeSelecao argumentos{
            lintTamanhoDaPagina,     lintSituacaoParaFiltro, lvarCodigoOuNomeParaFiltro,
            lstrApelidoOuNomeFantasiaOuNomeOuRazaoSocialDoCliente,  ldouCodigoDoCliente,
            lstrLogradouroDoCliente, lstrDataInicial,        lstrDataFinal,
            lintListaCompletaDeClientesAniversariantesOuPorDataDeInclusao, lvarCodigoOuNomeDoAnimalParaFiltro};
        // Only the lists that may show excluded clients ask who the user is.
        const bool todas = lintSituacaoParaFiltro == TodasAsSituacoes || lintSituacaoParaFiltro == RegistroRecente;
        const bool administrador = todas && op.usuarioAdministrador();
        Selecao selecao{clientes::montarSelecaoDeClientes(argumentos, administrador,
                                                          [this](const Variant& v) { return textoDeBusca(v); }),
                        std::nullopt, {}};
        if (lenuTipoDeLista == ListaPaginada) selecao.tamanhoDaPagina = lintTamanhoDaPagina;
        // The recent list takes the highest codes and shows them by name.
        if (lintSituacaoParaFiltro == RegistroRecente) selecao.ordenacaoNoCliente = "NomeOuRazaoSocial";

        return executarSelecao(op, selecao, clientes::MensagemNenhumCliente);
    });
}

}  // namespace zelt::clientanim
