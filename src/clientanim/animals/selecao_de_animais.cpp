// Selecionar: the search of the animal register, with the owner's address and contacts for display.
#include "clientanim/animals/colunas_da_selecao.hpp"
#include "clientanim/animals/condicoes_dos_animais.hpp"
#include "clientanim/frame/condicoes_de_clientes.hpp"
#include "clientanim/frame/selecao.hpp"
#include "clientanim/frame/valores_sql.hpp"
#include "zelt/automation/regional.hpp"
#include "zelt/clientanim/clsAnimais.hpp"

namespace zelt::clientanim {

namespace {
constexpr int16_t PorDataDeInclusao = 2, Aniversariantes = 3;
}

int16_t clsAnimais::Selecionar(int16_t lenuTipoDeLista, int16_t lintTamanhoDaPagina, int16_t lintSituacaoParaFiltro,
                               const Variant& lvarCodigoOuNomeParaFiltro, int16_t lintAnimalVivoOuMorto,
                               double ldouCodigoDoCliente, const std::string& lstrDataInicial,
                               const std::string& lstrDataFinal,
                               int16_t lintListaCompletaDeAnimaisAniversariantesOuPorDataDeInclusao) {
    Operacao op(*this, "Selecionar");
    return op.executar([&]() -> int16_t {
        const int16_t aberto = op.abrirBanco(1);
        if (aberto != Concluido) return aberto;

        op.ponto(3);
        const bool comDatas = !regional::trim(lstrDataInicial).empty();
        std::string s = "          SELECT ";
        for (std::string_view coluna : animais::colunasDaSelecao()) s += coluna;
        s += "FROM  ";
        s += "    ((Animais INNER JOIN Clientes ON Animais.CodigoDoCliente = Clientes.Codigo) INNER JOIN "
             "EspeciesDeAnimais ON Animais.CodigoDaEspecie = EspeciesDeAnimais.Codigo) INNER JOIN RacasDeAnimais "
             "ON Animais.CodigoDaRaca = RacasDeAnimais.Codigo ";
        s += "WHERE ";
        s += animais::situacaoDosAnimais(lintSituacaoParaFiltro);
        s += "AND ";
        s += animais::animalVivoOuMorto(lintAnimalVivoOuMorto);
        if (lvarCodigoOuNomeParaFiltro.isGiven()) {
            s += condicoes::codigoOuNomeDoAnimal(lvarCodigoOuNomeParaFiltro, textoDeBusca(lvarCodigoOuNomeParaFiltro));
        } else if (comDatas && lintListaCompletaDeAnimaisAniversariantesOuPorDataDeInclusao == PorDataDeInclusao) {
            s += " AND Animais.DataEHoraDaInclusao Between #" +
                 animais::dataMesPrimeiro(tratar(lstrDataInicial), "MM/DD/YYYY") + " 00:00:00# AND #" +
                 animais::dataMesPrimeiro(tratar(lstrDataFinal), "MM/DD/YYYY") + " 23:59:59# ";
        } else if (comDatas && lintListaCompletaDeAnimaisAniversariantesOuPorDataDeInclusao == Aniversariantes) {
            const std::string inicial = tratar(lstrDataInicial), final_ = tratar(lstrDataFinal);
            s += " AND ((Day(Animais.DataDeNascimento)>=" + animais::digitosDaData(inicial, 1) +
                 " AND Day(Animais.DataDeNascimento)<= " + animais::digitosDaData(final_, 1) +
                 ") AND (Month(Animais.DataDeNascimento)>= " + animais::digitosDaData(inicial, 4) +
                 " AND Month(Animais.DataDeNascimento)<=" + animais::digitosDaData(final_, 4) + ")) ";
        }
        if (ldouCodigoDoCliente != 0) s += " AND Animais.CodigoDoCliente = " + sql::numero(ldouCodigoDoCliente) + " ";
        s += "ORDER BY ";
        s += comDatas && lintListaCompletaDeAnimaisAniversariantesOuPorDataDeInclusao == Aniversariantes
                 ? "   Day(Animais.DataDeNascimento) , Month(Animais.DataDeNascimento) ASC"
                 : "   Animais.Nome ASC";
        s += ";";

        Selecao selecao{std::move(s), std::nullopt, {}};
        if (lenuTipoDeLista == ListaPaginada) selecao.tamanhoDaPagina = lintTamanhoDaPagina;
        return executarSelecao(op, selecao, MensagemNenhumAnimal);
    });
}

}  // namespace zelt::clientanim
