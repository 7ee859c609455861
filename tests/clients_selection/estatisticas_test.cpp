// SelecionarClientesAgrupadoPorAno and NumeroDeClientesAgrupadoPorMesAno.
#include "ambiente_de_selecao.hpp"

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
    incluir("02/01/2024 08:00:00");
    incluir("31/01/2024 23:59:59", "4");
    incluir("15/02/2024 10:00:00", "NULL");
    incluir("01/12/2024 00:00:00");
    incluir("15/03/2023 10:00:00");
    ASSERT_EQ(c->NumeroDeClientesAgrupadoPorMesAno(ListaPaginada, 6, "2024"), Concluido) << c->get_DescricaoDoErro();
    EXPECT_EQ(coluna(*c, "Mes"), (Linhas{"Jan", "Fev", "Mar", "Abr", "Mai", "Jun", "Jul", "Ago", "Set", "Out", "Nov", "Dez"}));
    EXPECT_EQ(coluna(*c, "NumeroDeClientes"), (Linhas{"2", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0", "1"}));
    EXPECT_EQ(c->get_ResultadoDaSelecaoEmRecordset()->get_PageSize(), 6);
    EXPECT_EQ(c->get_NumeroTotalDeRegistros(), 0);  // no operation assigns it
}

TEST_F(Estatisticas, AYearWithoutClientsStillHasItsTwelveRowsAndNoMessage) {
    ASSERT_EQ(c->NumeroDeClientesAgrupadoPorMesAno(ListaCompleta, 0, "1999"), Concluido) << c->get_DescricaoDoErro();
    EXPECT_EQ(coluna(*c, "NumeroDeClientes"), Linhas(12, "0"));
    EXPECT_EQ(c->get_DescricaoDaFalha(), "");
}

TEST_F(Estatisticas, TheYearGoesInUnchangedAndTheDatabaseDecides) {
    incluir("02/01/2024 08:00:00");
    // No count: the database refuses the statement when the recordset opens.
    struct Caso { std::string ano; std::string janeiro; };
    for (const Caso& k : std::vector<Caso>{{" 2024 ", "1"}, {"02024", "1"}, {"2024.0", "1"}, {"+2024", "1"}, {"24", "0"},
                                           {"-1", "0"}, {"", ""}, {"  ", ""}, {"-", ""}, {"20 24", ""}}) {
        const int16_t r = c->NumeroDeClientesAgrupadoPorMesAno(ListaCompleta, 0, k.ano);
        if (k.janeiro.empty()) {
            EXPECT_EQ(r, Erro) << k.ano;
            EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, NumeroDeClientesAgrupadoPorMesAno, Ponto: 4");
        } else {
            ASSERT_EQ(r, Concluido) << k.ano << ": " << c->get_DescricaoDoErro();
            EXPECT_EQ(coluna(*c, "NumeroDeClientes").size(), 12u);
            EXPECT_EQ(coluna(*c, "NumeroDeClientes").front(), k.janeiro) << k.ano;
        }
    }
}

TEST_F(Estatisticas, OnlyAnAdministratorSeesTheYearsOfExcludedClients) {
    incluir("10/05/2024 10:00:00");
    incluir("10/05/2024 11:00:00", "2");
    incluir("10/05/2022 10:00:00", "3");
    incluir("10/05/2021 10:00:00", "4");
    incluir("10/05/2020 10:00:00", "NULL");
    ASSERT_EQ(c->SelecionarClientesAgrupadoPorAno(ListaCompleta, 0, TodasAsSituacoes), Concluido)
        << c->get_DescricaoDoErro();
    EXPECT_EQ(coluna(*c, "Ano"), (Linhas{"2021", "2022", "2024"}));
    usuario_->definir("Administrador", Variant("False"));
    ASSERT_EQ(c->SelecionarClientesAgrupadoPorAno(ListaCompleta, 0, TodasAsSituacoes), Concluido);
    EXPECT_EQ(coluna(*c, "Ano"), (Linhas{"2022", "2024"}));
    ASSERT_EQ(c->SelecionarClientesAgrupadoPorAno(ListaCompleta, 0, RegistroBloqueado), Concluido);
    EXPECT_EQ(coluna(*c, "Ano"), (Linhas{"2022"}));
}

TEST_F(Estatisticas, AYearListWithoutRowsIsEmptyWithItsMessage) {
    incluir("10/05/2024 10:00:00");
    ASSERT_EQ(c->SelecionarClientesAgrupadoPorAno(ListaCompleta, 0, RegistroInativo), Concluido);
    EXPECT_EQ(c->get_ResultadoDaSelecaoEmRecordset()->get_RecordCount(), 0);
    EXPECT_EQ(c->get_DescricaoDaFalha(), "Nenhum cliente encontrado com as especificações informadas.");
}

TEST_F(Estatisticas, AYearListFilterOutsideZeroToThreeIsRefusedWhereTheDatabaseWouldRefuseIt) {
    gravarOsTextos();
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

TEST_F(Estatisticas, TheStatementsAsSent) {
    gravarOsTextos();
    ASSERT_EQ(c->SelecionarClientesAgrupadoPorAno(ListaCompleta, 0, TodasAsSituacoes), Concluido);
    ASSERT_EQ(c->SelecionarClientesAgrupadoPorAno(ListaCompleta, 0, RegistroAtivo), Concluido);
    ASSERT_EQ(c->NumeroDeClientesAgrupadoPorMesAno(ListaCompleta, 0, "2024"), Concluido);
    ASSERT_EQ(gravacao().textos.size(), 3u);
    EXPECT_EQ(gravacao().textos[0],
              "          SELECT        YEAR(Clientes.DataEHoraDaInclusao) AS Ano FROM        Clientes WHERE "
              "   (Clientes.Situacao=1 OR Clientes.Situacao=2 OR Clientes.Situacao=3)    OR(Clientes.Situacao=4) "
              "GROUP BY        YEAR(Clientes.DataEHoraDaInclusao)ORDER BY        YEAR(Clientes.DataEHoraDaInclusao);");
    EXPECT_EQ(gravacao().textos[1],
              "          SELECT        YEAR(Clientes.DataEHoraDaInclusao) AS Ano FROM        Clientes WHERE "
              "   Clientes.Situacao=1 GROUP BY        YEAR(Clientes.DataEHoraDaInclusao)ORDER BY        "
              "YEAR(Clientes.DataEHoraDaInclusao);");
    const std::string& meses = gravacao().textos[2];
    EXPECT_TRUE(meses.starts_with(
        "          SELECT        'Jan' AS Mes, Count(*) AS NumeroDeClientes FROM        Clientes WHERE        "
        "(((Month([Clientes.DataEHoraDaInclusao]))=1) AND ((Year([Clientes.DataEHoraDaInclusao]))=2024)) UNION ALL "
        "SELECT        'Fev' AS Mes, "))
        << meses;
    EXPECT_TRUE(meses.ends_with(
        "UNION ALL SELECT        'Dez' AS Mes, Count(*) AS NumeroDeClientes FROM        Clientes WHERE        "
        "(((Month([Clientes.DataEHoraDaInclusao]))=12) AND ((Year([Clientes.DataEHoraDaInclusao]))=2024)) ;"))
        << meses;
}

}  // namespace
}  // namespace zelt::clientanim::teste
