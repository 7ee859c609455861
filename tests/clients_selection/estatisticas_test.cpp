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
    EXPECT_EQ(c->get_NumeroTotalDeRegistros(), 12);
}

TEST_F(Estatisticas, AYearWithoutClientsStillHasItsTwelveRowsAndNoMessage) {
    ASSERT_EQ(c->NumeroDeClientesAgrupadoPorMesAno(ListaCompleta, 0, "1999"), Concluido) << c->get_DescricaoDoErro();
    EXPECT_EQ(coluna(*c, "NumeroDeClientes"), Linhas(12, "0"));
    EXPECT_EQ(c->get_DescricaoDaFalha(), "");
}

TEST_F(Estatisticas, AYearThatIsNotFourDigitsIsRefusedWhereTheDatabaseWouldRejectIt) {
    gravarTextos();
    for (const std::string ano : {"", "24", "2024 OR 1=1", "２０２４", " 2024", "20245"}) {
        EXPECT_EQ(c->NumeroDeClientesAgrupadoPorMesAno(ListaCompleta, 0, ano), Erro) << ano;
        EXPECT_EQ(c->get_NumeroDoErro(), 5);
        EXPECT_NE(c->get_DescricaoDoErro().find("lstrAno"), std::string::npos);
        EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, NumeroDeClientesAgrupadoPorMesAno, Ponto: 4");
    }
    EXPECT_TRUE(textosRecebidos().empty());
    EXPECT_FALSE(c->get_ResultadoDaSelecaoEmRecordset());
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
    EXPECT_EQ(c->get_NumeroTotalDeRegistros(), 1);
}

TEST_F(Estatisticas, AYearListWithoutRowsIsEmptyWithItsMessage) {
    incluir("10/05/2024 10:00:00");
    ASSERT_EQ(c->SelecionarClientesAgrupadoPorAno(ListaCompleta, 0, RegistroInativo), Concluido);
    EXPECT_EQ(c->get_ResultadoDaSelecaoEmRecordset()->get_RecordCount(), 0);
    EXPECT_EQ(c->get_DescricaoDaFalha(), "Nenhum cliente encontrado com as especificações informadas.");
}

TEST_F(Estatisticas, AYearListFilterOutsideZeroToThreeIsRefused) {
    for (int16_t filtro : {int16_t(4), int16_t(5), int16_t(-1)}) {
        EXPECT_EQ(c->SelecionarClientesAgrupadoPorAno(ListaCompleta, 0, filtro), Erro);
        EXPECT_EQ(c->get_NumeroDoErro(), 5);
        EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, SelecionarClientesAgrupadoPorAno, Ponto: 3");
    }
}

}  // namespace
}  // namespace zelt::clientanim::teste
