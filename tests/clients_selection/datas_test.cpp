// Selecionar by birthday and by date of inclusion.
#include "ambiente_de_selecao.hpp"

namespace zelt::clientanim::teste {
namespace {

using Linhas = std::vector<std::string>;
constexpr int16_t PorDataDeInclusao = 2, Aniversariantes = 3;

class Aniversarios : public AmbienteDeSelecao {
protected:
    void SetUp() override {
        AmbienteDeSelecao::SetUp();
        c = novoCliente();
        // Day and month digits as stored; the year, when known, is kept apart.
        for (const auto& [nome, dia] : std::vector<std::pair<std::string, std::string>>{
                 {"Antes", "2405"}, {"Bia", "2505"}, {"Alice", "2505"}, {"Fim de maio", "3105"},
                 {"Junho", "0106"}, {"Último", "0506"}, {"Depois", "0606"}, {"Janeiro", "0501"},
                 {"Dezembro", "2512"}})
            inserirCliente(nome, {{"DataDeNascimento", "'" + dia + "'"}, {"AnoDeNascimento", "'1990'"}});
    }
    int16_t aniversariantes(const std::string& de, const std::string& ate, const Variant& busca = Variant()) {
        return c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, busca, "", 0, "", de, ate, Aniversariantes);
    }
    Ref<clsClientes> c;
};

TEST_F(Aniversarios, ARangeWithinTheYearInCalendarOrderThenByName) {
    ASSERT_EQ(aniversariantes("25/05/2024", "05/06/2024"), Concluido) << c->get_DescricaoDoErro();
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), (Linhas{"Alice", "Bia", "Fim de maio", "Junho", "Último"}));
    EXPECT_EQ(coluna(*c, "DataDeNascimento").front(), "25/05/1990");
}

TEST_F(Aniversarios, ARangeAcrossTheYearEndSelectsNothing) {
    ASSERT_EQ(aniversariantes("20/12/2024", "10/01/2025"), Concluido) << c->get_DescricaoDoErro();
    EXPECT_EQ(c->get_ResultadoDaSelecaoEmRecordset()->get_RecordCount(), 0);
    EXPECT_EQ(c->get_DescricaoDaFalha(), "Nenhum cliente encontrado com as especificações informadas.");
}

TEST_F(Aniversarios, TheBirthdayOrderHoldsWithTheGeneralSearchValue) {
    ASSERT_EQ(aniversariantes("25/05/2024", "05/06/2024", Variant("i")), Concluido) << c->get_DescricaoDoErro();
    // The general value replaces the range, not the calendar order.
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), (Linhas{"Janeiro", "Alice", "Bia", "Fim de maio", "Último", "Depois"}));
}

TEST_F(Aniversarios, WithTheAnimalJoinTheBirthdayIsTheClients) {
    // The animals' own dates of birth fall outside the range; their owners' birthdays do not.
    const double bia = valor("SELECT Codigo FROM Clientes WHERE NomeOuRazaoSocial='Bia'").toDouble();
    const double antes = valor("SELECT Codigo FROM Clientes WHERE NomeOuRazaoSocial='Antes'").toDouble();
    inserirAnimal(bia, "Rex");
    inserirAnimal(bia, "Rex II");
    inserirAnimal(antes, "Rex III");
    conexaoDireta().Execute("UPDATE Animais SET DataDeNascimento='01/01/2020'");
    gravarOsTextos();
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), "", 0, "", "25/05/2024", "05/06/2024",
                            Aniversariantes, Variant("Rex")),
              Concluido)
        << c->get_DescricaoDoErro();
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), (Linhas{"Bia", "Bia"}));
    EXPECT_TRUE(gravacao().textos.back().ends_with(
        "FROM     Animais INNER JOIN Clientes ON Animais.CodigoDoCliente = Clientes.Codigo WHERE    "
        "(Clientes.Situacao=1 OR Clientes.Situacao=2 OR Clientes.Situacao=3 OR Clientes.Situacao=4)  AND "
        "(Val(Mid(Clientes.DataDeNascimento, 3, 2) & Mid(Clientes.DataDeNascimento, 1, 2)) >=525 And "
        "Val(Mid(Clientes.DataDeNascimento, 3, 2) & Mid(Clientes.DataDeNascimento, 1, 2)) <= 605) ORDER BY    "
        "FORMAT(Val(Mid(Clientes.DataDeNascimento,3,2) & Mid(Clientes.DataDeNascimento,1,2)),\"0000\") , "
        "Clientes.NomeOuRazaoSocial ;"))
        << gravacao().textos.back();
}

TEST_F(Aniversarios, TheConditionAndTheOrderAsSent) {
    gravarOsTextos();
    ASSERT_EQ(aniversariantes("25/05/2024", "05/06/2024"), Concluido);
    EXPECT_TRUE(gravacao().textos.back().ends_with(
        "FROM     Clientes WHERE    (Clientes.Situacao=1 OR Clientes.Situacao=2 OR Clientes.Situacao=3 OR "
        "Clientes.Situacao=4)  AND (Val(Mid(DataDeNascimento, 3, 2) & Mid(DataDeNascimento, 1, 2)) >=525 And "
        "Val(Mid(DataDeNascimento, 3, 2) & Mid(DataDeNascimento, 1, 2)) <= 605) ORDER BY    "
        "FORMAT(Val(Mid(DataDeNascimento,3,2) & Mid(DataDeNascimento,1,2)),\"0000\") , Clientes.NomeOuRazaoSocial ;"))
        << gravacao().textos.back();
}

TEST_F(Aniversarios, ADayOrMonthThatIsNotDigitsIsATypeMismatch) {
    for (const auto& [de, ate] : std::vector<std::pair<std::string, std::string>>{
             {"2a/05/2024", "05/06/2024"}, {"25/05/2024", "05-0x-2024"}, {"25/05/2024", ""}, {"1", "05/06/2024"}}) {
        EXPECT_EQ(aniversariantes(de, ate), Erro) << de << " " << ate;
        EXPECT_EQ(c->get_NumeroDoErro(), 13);
        EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, Selecionar, Ponto: 3");
    }
}

TEST_F(AmbienteDeSelecao, InclusionDatesAreReadDayFirstAndSpanWholeDays) {
    for (const auto& [nome, quando] : std::vector<std::pair<std::string, std::string>>{
             {"Véspera", "09/01/2024 23:59:59"}, {"Primeira hora", "10/01/2024 00:00:00"},
             {"Meio", "11/01/2024 12:00:00"}, {"Última hora", "12/01/2024 23:59:59"},
             {"Seguinte", "13/01/2024 00:00:00"}, {"Outubro", "01/10/2024 12:00:00"}})
        inserirCliente(nome, {{"DataEHoraDaInclusao", "'" + quando + "'"}});
    auto c = novoCliente();
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), "", 0, "", "10/01/2024", "12/01/2024",
                            PorDataDeInclusao),
              Concluido)
        << c->get_DescricaoDoErro();
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), (Linhas{"Meio", "Primeira hora", "Última hora"}));
    EXPECT_EQ(coluna(*c, "DataEHoraDaInclusao").front(), "11/01/2024 12:00:00");

    // Day first in, month first out.
    gravarOsTextos();
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, RegistroAtivo, Variant(), "", 0, "", "2/1/2024", "12/01/2024",
                            PorDataDeInclusao),
              Concluido);
    EXPECT_TRUE(gravacao().textos.back().ends_with(
        "WHERE    (Clientes.Situacao=1)  AND Clientes.DataEHoraDaInclusao Between #01/02/2024 00:00:00# AND "
        "#01/12/2024 23:59:59# ORDER BY    Clientes.NomeOuRazaoSocial ASC;"))
        << gravacao().textos.back();

    EXPECT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), "", 0, "", "10/01/2024", "não é data",
                            PorDataDeInclusao),
              Erro);
    EXPECT_EQ(c->get_NumeroDoErro(), 13);
}

TEST_F(AmbienteDeSelecao, ADateWithoutItsKindIsNoCondition) {
    inserirCliente("Qualquer um");
    auto c = novoCliente();
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), "", 0, "", "10/01/2024", "12/01/2024", 0),
              Concluido);
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), (Linhas{"Qualquer um"}));
}

}  // namespace
}  // namespace zelt::clientanim::teste
