// SelecionarClientesAgrupadoPorAno and NumeroDeClientesAgrupadoPorMesAno.
#include "ambiente_de_selecao.hpp"
#include "jet_translate/statements.hpp"

namespace zelt::clientanim::teste {
namespace {

using Linhas = std::vector<std::string>;

class Estatisticas : public AmbienteDeSelecao {
protected:
    void SetUp() override {
        AmbienteDeSelecao::SetUp();
        c = novoCliente();
    }
    void incluir(const std::string& quando, const std::string& situacao = "1") {
        inserirCliente("Cliente " + std::to_string(++n_), {{"DataEHoraDaInclusao", "'" + quando + "'"}, {"Situacao", situacao}});
    }
    Ref<clsClientes> c;

private:
    int n_ = 0;
};

TEST_F(Estatisticas, TheMonthlyCountHasTwelveRowsWhateverTheStatus) {
    for (const auto& [quando, situacao] : std::vector<std::pair<std::string, std::string>>{
             {"02/01/2024 08:00:00", "1"}, {"31/01/2024 23:59:59", "4"}, {"15/02/2024 10:00:00", "NULL"},
             {"01/12/2024 00:00:00", "1"}, {"15/03/2023 10:00:00", "1"}})
        incluir(quando, situacao);
    gravarOsTextos();
    ASSERT_EQ(c->NumeroDeClientesAgrupadoPorMesAno(ListaPaginada, 6, "2024"), Concluido) << c->get_DescricaoDoErro();
    EXPECT_EQ(coluna(*c, "Mes"), (Linhas{"Jan", "Fev", "Mar", "Abr", "Mai", "Jun", "Jul", "Ago", "Set", "Out", "Nov", "Dez"}));
    EXPECT_EQ(coluna(*c, "NumeroDeClientes"), (Linhas{"2", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0", "1"}));
    EXPECT_EQ(c->get_ResultadoDaSelecaoEmRecordset()->get_PageSize(), 6);
    EXPECT_EQ(c->get_NumeroTotalDeRegistros(), 0);  // no operation assigns it
    EXPECT_EQ(gravacao().textos.back(), statements::clientsByMonth("2024"));

    // The year goes in unchanged and the database decides; no January count: refused when the recordset opens.
    struct Caso { std::string ano; std::string janeiro; };
    for (const Caso& k : std::vector<Caso>{{" 2024 ", "2"}, {"02024", "2"}, {"2024.0", "2"}, {"+2024", "2"}, {"24", "0"},
                                           {"-1", "0"}, {"1999", "0"}, {"", ""}, {"  ", ""}, {"-", ""}, {"20 24", ""}}) {
        SCOPED_TRACE(k.ano);
        const int16_t r = c->NumeroDeClientesAgrupadoPorMesAno(ListaCompleta, 0, k.ano);
        if (k.janeiro.empty()) {
            EXPECT_EQ(r, Erro);
            EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, NumeroDeClientesAgrupadoPorMesAno, Ponto: 4");
        } else {
            ASSERT_EQ(r, Concluido) << c->get_DescricaoDoErro();
            EXPECT_EQ(coluna(*c, "NumeroDeClientes").size(), 12u);
            EXPECT_EQ(coluna(*c, "NumeroDeClientes").front(), k.janeiro);
            EXPECT_EQ(c->get_DescricaoDaFalha(), "");  // a year without clients still has its twelve rows
        }
    }
}

TEST_F(Estatisticas, OnlyAnAdministratorSeesTheYearsOfExcludedClients) {
    for (const auto& [quando, situacao] : std::vector<std::pair<std::string, std::string>>{
             {"10/05/2024 10:00:00", "1"}, {"10/05/2024 11:00:00", "2"}, {"10/05/2022 10:00:00", "3"},
             {"10/05/2021 10:00:00", "4"}, {"10/05/2020 10:00:00", "NULL"}})
        incluir(quando, situacao);
    gravarOsTextos();
    struct Caso { Variant administrador; int16_t filtro; Linhas anos; };
    for (const Caso& k : std::vector<Caso>{{Variant(true), TodasAsSituacoes, {"2021", "2022", "2024"}},
                                           {Variant("False"), TodasAsSituacoes, {"2022", "2024"}},
                                           {Variant("False"), RegistroBloqueado, {"2022"}}, {Variant(true), RegistroAtivo, {"2024"}},
                                           {Variant(true), RegistroInativo, {"2024"}}}) {
        SCOPED_TRACE(k.filtro);
        usuario_->definir("Administrador", k.administrador);
        ASSERT_EQ(c->SelecionarClientesAgrupadoPorAno(ListaCompleta, 0, k.filtro), Concluido) << c->get_DescricaoDoErro();
        EXPECT_EQ(coluna(*c, "Ano"), k.anos);
        EXPECT_EQ(gravacao().textos.back(), statements::clientsByYear(k.filtro, !k.administrador.isText()));  // text: "False"
    }
    sql("DELETE * FROM Clientes WHERE Situacao = 2");
    ASSERT_EQ(c->SelecionarClientesAgrupadoPorAno(ListaCompleta, 0, RegistroInativo), Concluido);
    EXPECT_EQ(c->get_ResultadoDaSelecaoEmRecordset()->get_RecordCount(), 0);
    EXPECT_EQ(c->get_DescricaoDaFalha(), "Nenhum cliente encontrado com as especificações informadas.");

    // A filter outside zero to three is refused where the database would refuse it.
    gravacao().textos.clear();
    for (int16_t filtro : {int16_t(4), int16_t(5), int16_t(-1)}) {
        EXPECT_EQ(c->SelecionarClientesAgrupadoPorAno(ListaCompleta, 0, filtro), Erro);
        EXPECT_EQ(c->get_NumeroDoErro(), 5);
        EXPECT_EQ(c->get_DescricaoDoErro(), "O argumento lintSituacaoParaFiltro recebeu " + std::to_string(filtro) +
                                                "; os valores aceitos são 0 (todas as situações), 1 (ativos), "
                                                "2 (inativos) e 3 (bloqueados).");
        EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, SelecionarClientesAgrupadoPorAno, Ponto: 4");
    }
    EXPECT_TRUE(gravacao().textos.empty());
}

}  // namespace
}  // namespace zelt::clientanim::teste
