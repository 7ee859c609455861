// Selecionar by birthday and by date of inclusion.
#include "ambiente_de_selecao.hpp"
#include "jet_translate/statements.hpp"

namespace zelt::clientanim::teste {
namespace {

using Linhas = std::vector<std::string>;
constexpr int16_t PorDataDeInclusao = 2, Aniversariantes = 3;

TEST_F(AmbienteDeSelecao, BirthdaysInCalendarOrderThenByName) {
    // Day and month digits as stored; the year, when known, is kept apart.
    for (const auto& [nome, dia] : std::vector<std::pair<std::string, std::string>>{
             {"Antes", "2405"}, {"Bia", "2505"}, {"Alice", "2505"}, {"Fim de maio", "3105"}, {"Junho", "0106"},
             {"Último", "0506"}, {"Depois", "0606"}, {"Janeiro", "0501"}, {"Dezembro", "2512"}})
        inserirCliente(nome, {{"DataDeNascimento", "'" + dia + "'"}, {"AnoDeNascimento", "'1990'"}});
    // The animals' own dates of birth fall outside the range; their owners' birthdays do not.
    for (const auto& [dono, animal] : std::vector<std::pair<std::string, std::string>>{
             {"Bia", "Rex"}, {"Bia", "Rex II"}, {"Antes", "Rex III"}})
        inserirAnimal(valor("SELECT Codigo FROM Clientes WHERE NomeOuRazaoSocial='" + dono + "'").toDouble(), animal);
    sql("UPDATE Animais SET DataDeNascimento='01/01/2020'");
    struct Caso { std::string de, ate; Variant busca, animal; Linhas esperados; };
    const std::vector<Caso> casos{
        {"25/05/2024", "05/06/2024", Variant(), Variant(), {"Alice", "Bia", "Fim de maio", "Junho", "Último"}},
        {"20/12/2024", "10/01/2025", Variant(), Variant(), {}},  // across the year's end: nothing
        // The general value replaces the range, not the calendar order.
        {"25/05/2024", "05/06/2024", Variant("i"), Variant(), {"Janeiro", "Alice", "Bia", "Fim de maio", "Último", "Depois"}},
        {"25/05/2024", "05/06/2024", Variant(), Variant("Rex"), {"Bia", "Bia"}}};
    auto c = novoCliente();
    gravarOsTextos();
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.de + " " + k.ate);
        ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, k.busca, "", 0, "", k.de, k.ate, Aniversariantes,
                                k.animal), Concluido) << c->get_DescricaoDoErro();
        EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), k.esperados);
        EXPECT_EQ(gravacao().textos.back(), statements::clientSelection({0, true, 20, k.busca.toText(), "", "0", "", k.de, k.ate,
                                                                         k.animal.toText(), Aniversariantes}));
    }
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant("Alice")), Concluido);
    EXPECT_EQ(coluna(*c, "DataDeNascimento"), (Linhas{"25/05/1990"}));
    // A day or month that is not digits is a type mismatch.
    for (const auto& [de, ate] : std::vector<std::pair<std::string, std::string>>{
             {"2a/05/2024", "05/06/2024"}, {"25/05/2024", "05-0x-2024"}, {"25/05/2024", ""}, {"1", "05/06/2024"}}) {
        EXPECT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), "", 0, "", de, ate, Aniversariantes), Erro)
            << de << " " << ate;
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
                            PorDataDeInclusao), Concluido) << c->get_DescricaoDoErro();
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), (Linhas{"Meio", "Primeira hora", "Última hora"}));
    EXPECT_EQ(coluna(*c, "DataEHoraDaInclusao").front(), "11/01/2024 12:00:00");
    // A date without its kind is no condition.
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), "", 0, "", "10/01/2024", "12/01/2024", 0),
              Concluido);
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial").size(), 6u);

    // Day first in, month first out.
    gravarOsTextos();
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, RegistroAtivo, Variant(), "", 0, "", "2/1/2024", "12/01/2024",
                            PorDataDeInclusao), Concluido);
    EXPECT_TRUE(gravacao().textos.back().ends_with(
        "WHERE    (Clientes.Situacao=1)  AND Clientes.DataEHoraDaInclusao Between #01/02/2024 00:00:00# AND "
        "#01/12/2024 23:59:59# ORDER BY    Clientes.NomeOuRazaoSocial ASC;")) << gravacao().textos.back();
    EXPECT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), "", 0, "", "10/01/2024", "não é data",
                            PorDataDeInclusao), Erro);
    EXPECT_EQ(c->get_NumeroDoErro(), 13);
}

}  // namespace
}  // namespace zelt::clientanim::teste
