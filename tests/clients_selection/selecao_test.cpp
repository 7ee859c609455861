// Selecionar: which rows each search argument finds, the status filters, the recent list, birthdays
// and dates of inclusion; the counts by month and by year; the credit limit and what open receivables use of it.
#include "support/clientes.hpp"
#include "jet_translate/statements.hpp"

namespace zelt::clientanim::teste {
namespace {

using Linhas = std::vector<std::string>;
constexpr int16_t PorDataDeInclusao = 2, Aniversariantes = 3;
const std::string Todas = "WHERE    (Clientes.Situacao=1 OR Clientes.Situacao=2 OR Clientes.Situacao=3 OR Clientes.Situacao=4) ";
const std::string Nenhum = "Nenhum cliente encontrado com as especificações informadas.";

using Selecao = Ambiente;

class BuscaDeClientes : public Ambiente {
protected:
    void SetUp() override {
        Ambiente::SetUp();
        c = novoCliente();
        ana = inserirCliente("Ana Souza", {{"ApelidoOuNomeFantasia", "'Aninha'"}, {"CPFCNPJ", "'12345678901'"},
                                           {"Logradouro", "'Rua das Flores'"}, {"Sexo", "'F'"}});
        bruno = inserirCliente("Bruno Lima", {{"CPFCNPJ", "'12345678900'"}, {"Logradouro", "'Avenida Brasil'"}});
        inserirCliente("Pet Shop Ltda", {{"TipoDeCliente", "'PJ'"}, {"CPFCNPJ", "'91234567890155'"}});
        inserirCliente("Comercial Ltda", {{"TipoDeCliente", "'PJ'"}, {"CPFCNPJ", "'11222333000181'"}});
        inserirCliente("Patrick O’Brien");
        rex = inserirAnimal(ana, "Rex");
        inserirAnimal(ana, "Rex Junior", {{"Microchip", "'9850004'"}});
        inserirAnimal(bruno, "Mimi", {{"Microchip", "'9850005'"}});
    }
    Ref<clsClientes> c;
    double ana = 0, bruno = 0, rex = 0;
};

TEST_F(BuscaDeClientes, WhatEachSearchArgumentFinds) {
    struct Caso { const char* nome; Variant geral; std::string nomeDoCliente; double codigo; std::string logradouro; Variant animal;
                  Linhas esperados; std::string condicao = ""; };  // condicao: what the statement ends with after the status
    const std::vector<Caso> casos{
        {"onze digitos: o codigo e todo documento que os contem", Variant("12345678901"), "", 0, "", Variant(),
         {"Ana Souza", "Pet Shop Ltda"}, " AND (Clientes.Codigo = 12345678901  OR Clientes.CPFCNPJ LIKE '%12345678901%') "},
        {"quatorze digitos como numero", Variant(11222333000181.0), "", 0, "", Variant(), {"Comercial Ltda"}},
        // Every document above holds the digit of Bruno's code: only the code counts.
        {"numero curto so o codigo", Variant(static_cast<int32_t>(bruno)), "", 0, "", Variant(), {"Bruno Lima"}},
        {"codigo em texto", Variant(sql::numero(ana)), "", 0, "", Variant(), {"Ana Souza"}},
        {"codigo inexistente", Variant(123.0), "", 0, "", Variant(), {}, " AND (Clientes.Codigo = 123) "},
        {"texto no logradouro", Variant("Flores"), "", 0, "", Variant(), {"Ana Souza"},
         " AND (Clientes.ApelidoOuNomeFantasia LIKE '%Flores%'  OR Clientes.NomeOuRazaoSocial LIKE '%Flores%'  OR "
         "Clientes.Logradouro LIKE '%Flores%') "},
        {"texto no apelido", Variant("aninha"), "", 0, "", Variant(), {"Ana Souza"}},
        {"texto no nome", Variant("Ltda"), "", 0, "", Variant(), {"Comercial Ltda", "Pet Shop Ltda"}},
        {"aspas", Variant("O'Brien"), "", 0, "", Variant(), {"Patrick O’Brien"}},
        {"o valor geral exclui os outros", Variant("Bruno"), "Ana", ana, "Flores", Variant(), {"Bruno Lima"}},
        {"o nome antes do codigo", Variant(), "Bruno", ana, "Flores", Variant(), {"Bruno Lima"}},
        {"so o nome", Variant(), "Ana", 7, "", Variant(), {"Ana Souza"},
         " AND (Clientes.ApelidoOuNomeFantasia LIKE '%Ana%'  OR Clientes.NomeOuRazaoSocial LIKE '%Ana%') "},
        {"o codigo antes do logradouro", Variant(""), "  ", ana, "Brasil", Variant(), {"Ana Souza"}},
        {"so o codigo", Variant(), "", 7, "Flores", Variant(), {}, " AND (Clientes.Codigo = 7) "},
        {"so o logradouro", Variant(0.0), "", 0, "Brasil", Variant(), {"Bruno Lima"}},
        {"o logradouro como enviado", Variant(), "", 0, "Flores", Variant(), {"Ana Souza"},
         " AND (Clientes.Logradouro LIKE '%Flores%') "},
        {"injecao no nome", Variant(), "x' OR 'a'='a", 0, "", Variant(), {}},
        {"um cliente por animal", Variant(), "", 0, "", Variant("Rex"), {"Ana Souza", "Ana Souza"}},
        {"codigo do animal", Variant(), "", 0, "", Variant(rex), {"Ana Souza"}},
        {"microchip", Variant(), "", 0, "", Variant("0005"), {"Bruno Lima"}},
        {"o animal soma-se ao valor geral", Variant("a"), "", 0, "", Variant("Mimi"), {"Bruno Lima"}},
        // The name applies, so the animal condition is left out; clients without animals drop out.
        {"o nome deixa o animal", Variant(), "a", 0, "", Variant("Mimi"), {"Ana Souza", "Ana Souza", "Bruno Lima"}},
    };
    gravarOsTextos();
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nome);
        ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, k.geral, k.nomeDoCliente, k.codigo, k.logradouro,
                                "", "", 0, k.animal), Concluido) << c->get_DescricaoDoErro();
        EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), k.esperados);
        if (k.esperados.empty()) { EXPECT_EQ(c->get_DescricaoDaFalha(), Nenhum); }
        EXPECT_TRUE(k.condicao.empty() || gravacao().textos.back().ends_with("FROM     Clientes " + Todas + k.condicao +
                                                                         "ORDER BY    Clientes.NomeOuRazaoSocial ASC;"))
            << gravacao().textos.back();
    }
}

TEST_F(BuscaDeClientes, EveryRowCarriesTheDisplayTexts) {
    sql("UPDATE Clientes SET CEP='01310100', TipoDeLogradouro='Rua', Numero='10', Bairro='Centro', "
        "Cidade='São Paulo', UF='SP', DataDeNascimento='3112', AnoDeNascimento='1980', LimiteDeCredito=1234.5, "
        "TipoDeCanalDeComunicacao1='Email', CanalDeComunicacao1='ana@exemplo.com.br' WHERE Codigo=" + sql::numero(ana));
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), "", ana), Concluido) << c->get_DescricaoDoErro();
    auto rs = c->get_ResultadoDaSelecaoEmRecordset();
    ASSERT_EQ(rs->fieldCount(), 64);
    EXPECT_EQ(rs->fieldDef(0).name, "CodigoDoCliente");
    EXPECT_EQ(rs->fieldDef(63).name, "TiposECanaisDeComunicacao");
    for (const auto& [campo, esperado] : std::vector<std::pair<std::string, std::string>>{
             {"CPFCNPJ", "123.456.789-01"}, {"DataDeNascimento", "31/12/1980"}, {"CEP", "01310-100"},
             {"LimiteDeCredito", "1.234,50"}, {"Credito", "0,00"}, {"VIP", "Não"}, {"NomeDaSituacao", "Ativa"},
             {"EnderecoCompletoComCEP", "Rua Rua das Flores, 10 - Centro - CEP:01310-100 - São Paulo / SP"},
             {"TiposECanaisDeComunicacao", "Email ana@exemplo.com.br "}})
        EXPECT_EQ((*rs)(campo).toText(), esperado) << campo;
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(11222333000181.0)), Concluido);
    EXPECT_EQ(coluna(*c, "CPFCNPJ"), (Linhas{"11.222.333/0001-81"}));
}

// The list of all statuses shows excluded clients only to a user whose Administrador equals True; a text that is
// neither a Boolean nor a number cannot be compared (error 13). An explicit filter shows its status to everybody.
TEST_F(BuscaDeClientes, StatusFilters) {
    for (const auto& [nome, s] : std::vector<std::pair<std::string, int>>{{"Bruno Lima", 2}, {"Pet Shop Ltda", 3}, {"Comercial Ltda", 4}})
        sql("UPDATE Clientes SET Situacao=" + std::to_string(s) + " WHERE NomeOuRazaoSocial='" + nome + "'");
    const Linhas todas{"1", "2", "4", "1", "3"}, semExcluidos{"1", "2", "1", "3"};
    struct Caso { Variant administrador; Linhas situacoes; };  // no rows: refused
    for (const Caso& k : std::vector<Caso>{
             {Variant(true), todas}, {Variant(false), semExcluidos}, {Variant(int16_t{-1}), todas}, {Variant(-1.0), todas},
             {Variant(Currency::fromInt(-1)), todas}, {Variant(int32_t{1}), semExcluidos}, {Variant(" verdadeiro"), todas},
             {Variant("TRUE"), todas}, {Variant("-1"), todas}, {Variant("1"), semExcluidos},
             {Variant("Falso"), semExcluidos}, {Variant::null(), semExcluidos}, {Variant(), semExcluidos}, {Variant("sim"), {}}}) {
        SCOPED_TRACE(k.administrador.isNull() ? "Null" : k.administrador.toText());
        usuario_->definir("Administrador", k.administrador);
        EXPECT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant()), k.situacoes.empty() ? Erro : Concluido);
        if (k.situacoes.empty()) {
            EXPECT_EQ(c->get_NumeroDoErro(), 13);
        } else {
            EXPECT_EQ(coluna(*c, "Situacao"), k.situacoes);
        }
    }
    usuario_->definir("Administrador", Variant(false));
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant()), Concluido);
    EXPECT_EQ(coluna(*c, "NomeDaSituacao"), (Linhas{"Ativa", "Inativo", "Ativo", "Bloqueado"}));
    for (int16_t s = 1; s <= 4; ++s) {
        ASSERT_EQ(c->Selecionar(ListaCompleta, 0, s, Variant()), Concluido);
        EXPECT_EQ(coluna(*c, "Situacao"), Linhas(s == 1 ? 2 : 1, std::to_string(s)));
    }

    // Refused filters; the all-statuses list needs the user object, a single status does not.
    gravarOsTextos();
    for (int16_t filtro : {int16_t(6), int16_t(-1)}) {
        EXPECT_EQ(c->Selecionar(ListaCompleta, 0, filtro, Variant("Ana")), Erro);
        EXPECT_EQ(c->get_NumeroDoErro(), 5);
        EXPECT_EQ(c->get_DescricaoDoErro(), "O argumento lintSituacaoParaFiltro recebeu " + std::to_string(filtro) +
                      "; os valores aceitos são 0 (todas as situações), 1 (ativos), 2 (inativos), 3 (bloqueados), 4 (excluídos) e 5 (recentes).");
        EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, Selecionar, Ponto: 4");
    }
    EXPECT_TRUE(gravacao().textos.empty());
    auto semUsuario = make<clsClientes>();
    EXPECT_EQ(semUsuario->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant()), Erro);
    EXPECT_EQ(semUsuario->get_NumeroDoErro(), 91);
    EXPECT_EQ(semUsuario->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, Selecionar, Ponto: 3");
    EXPECT_FALSE(semUsuario->get_ResultadoDaSelecaoEmRecordset());
    EXPECT_EQ(semUsuario->Selecionar(ListaCompleta, 0, RegistroAtivo, Variant()), Concluido);
}

TEST_F(Selecao, TheRecentListTakesTheHighestCodesAndShowsThemByName) {
    // Codes rise as the names fall, so the two orders differ.
    for (int i = 30; i >= 1; --i) inserirCliente((i < 10 ? "Nome 0" : "Nome ") + std::to_string(i));
    auto c = novoCliente();
    ASSERT_EQ(c->Selecionar(ListaPaginada, 20, RegistroRecente, Variant()), Concluido) << c->get_DescricaoDoErro();
    EXPECT_EQ(c->get_ResultadoDaSelecaoEmRecordset()->get_PageSize(), 20);
    Linhas esperados;
    for (int i = 1; i <= 20; ++i) esperados.push_back((i < 10 ? "Nome 0" : "Nome ") + std::to_string(i));
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), esperados);
    EXPECT_EQ(coluna(*c, "CodigoDoCliente").front(), sql::numero(valor("SELECT MAX(Codigo) FROM Clientes").toDouble()));

    // The statement joins its pieces in order.
    gravarOsTextos();
    ASSERT_EQ(c->Selecionar(ListaCompleta, 20, RegistroRecente, Variant(), "", 0, "", "", "", 0, Variant("Rex")), Concluido);
    ASSERT_EQ(gravacao().textos.size(), 1u);
    EXPECT_EQ(gravacao().textos[0], statements::clientSelection({5, true, 20, "", "", "0", "", "", "", "Rex", 0}));
}

TEST_F(Selecao, BirthdaysInCalendarOrderThenByName) {
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
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.de + " " + k.ate);
        ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, k.busca, "", 0, "", k.de, k.ate, Aniversariantes,
                                k.animal), Concluido) << c->get_DescricaoDoErro();
        EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), k.esperados);
    }
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant("Alice")), Concluido);
    EXPECT_EQ(coluna(*c, "DataDeNascimento"), (Linhas{"25/05/1990"}));
    // A day or month that is not digits is a type mismatch.
    for (const auto& [de, ate] : std::vector<std::pair<std::string, std::string>>{
             {"2a/05/2024", "05/06/2024"}, {"25/05/2024", "05-0x-2024"}, {"1", "05/06/2024"}}) {
        EXPECT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), "", 0, "", de, ate, Aniversariantes), Erro)
            << de << " " << ate;
        EXPECT_EQ(c->get_NumeroDoErro(), 13);
        EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, Selecionar, Ponto: 3");
    }
}

TEST_F(Selecao, InclusionDatesAreReadDayFirstAndSpanWholeDays) {
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

class Estatisticas : public Ambiente {
protected:
    void incluir(const std::vector<std::pair<std::string, std::string>>& inclusoes) {
        for (const auto& [quando, situacao] : inclusoes)
            inserirCliente("Cliente " + quando, {{"DataEHoraDaInclusao", "'" + quando + "'"}, {"Situacao", situacao}});
        gravarOsTextos();
    }
};

TEST_F(Estatisticas, TheMonthlyCountHasTwelveRowsWhateverTheStatus) {
    auto c = novoCliente();
    incluir({{"02/01/2024 08:00:00", "1"}, {"31/01/2024 23:59:59", "4"}, {"15/02/2024 10:00:00", "NULL"},
             {"01/12/2024 00:00:00", "1"}, {"15/03/2023 10:00:00", "1"}});
    ASSERT_EQ(c->NumeroDeClientesAgrupadoPorMesAno(ListaPaginada, 6, "2024"), Concluido) << c->get_DescricaoDoErro();
    EXPECT_EQ(coluna(*c, "Mes"), (Linhas{"Jan", "Fev", "Mar", "Abr", "Mai", "Jun", "Jul", "Ago", "Set", "Out", "Nov", "Dez"}));
    EXPECT_EQ(coluna(*c, "NumeroDeClientes"), (Linhas{"2", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0", "1"}));
    EXPECT_EQ(c->get_ResultadoDaSelecaoEmRecordset()->get_PageSize(), 6);
    EXPECT_EQ(c->get_NumeroTotalDeRegistros(), 0);  // no operation assigns it
    EXPECT_EQ(gravacao().textos.back(), statements::clientsByMonth("2024"));

    // The year goes in unchanged and the database decides; no January count: refused when the recordset opens.
    for (const auto& [ano, janeiro] : std::vector<std::pair<std::string, std::string>>{
             {" 2024 ", "2"}, {"2024.0", "2"}, {"+2024", "2"}, {"24", "0"}, {"-1", "0"}, {"", ""}, {"-", ""}, {"20 24", ""}}) {
        SCOPED_TRACE(ano);
        ASSERT_EQ(c->NumeroDeClientesAgrupadoPorMesAno(ListaCompleta, 0, ano), janeiro.empty() ? Erro : Concluido);
        if (janeiro.empty()) {
            EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, NumeroDeClientesAgrupadoPorMesAno, Ponto: 4");
        } else {
            EXPECT_EQ(coluna(*c, "NumeroDeClientes").size(), 12u);
            EXPECT_EQ(coluna(*c, "NumeroDeClientes").front(), janeiro);
            EXPECT_EQ(c->get_DescricaoDaFalha(), "");  // a year without clients still has its twelve rows
        }
    }
}

TEST_F(Estatisticas, OnlyAnAdministratorSeesTheYearsOfExcludedClients) {
    auto c = novoCliente();
    incluir({{"10/05/2024 10:00:00", "1"}, {"10/05/2024 11:00:00", "2"}, {"10/05/2022 10:00:00", "3"},
             {"10/05/2021 10:00:00", "4"}, {"10/05/2020 10:00:00", "NULL"}});
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
                      "; os valores aceitos são 0 (todas as situações), 1 (ativos), 2 (inativos) e 3 (bloqueados).");
        EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, SelecionarClientesAgrupadoPorAno, Ponto: 4");
    }
    EXPECT_TRUE(gravacao().textos.empty());
}

// Open receivables use the limit; settled ones leave it whole; a Null limit is zero and what is left may be negative.
TEST_F(Estatisticas, CreditLimit) {
    auto c = novoCliente();
    Currency limite, utilizado, disponivel;
    const auto consultar = [&](double cliente) {
        limite = utilizado = disponivel = Currency::fromInt(-1);
        return c->RetornarInformacoesDoLimiteDeCredito(cliente, limite, utilizado, disponivel);
    };
    struct Caso { std::string limite; std::vector<std::pair<std::string, std::string>> contas; Currency esperados[3]; };
    receber(inserirCliente("Outro", {{"LimiteDeCredito", "900"}}), "33");
    gravarOsTextos();
    for (const Caso& k : std::vector<Caso>{
             {"500", {{"120.50", "NULL"}, {"79.50", "NULL"}, {"1000", "'05/01/2024'"}},
              {Currency::fromInt(500), Currency::fromInt(200), Currency::fromInt(300)}},
             {"250.1234", {{"80", "'05/01/2024'"}}, {Currency::fromRaw(2501234), Currency(), Currency::fromRaw(2501234)}},
             {"NULL", {{"0.10", "NULL"}, {"0.20", "NULL"}}, {Currency(), Currency::fromRaw(3000), Currency::fromRaw(-3000)}}}) {
        SCOPED_TRACE(k.limite);
        const double cliente = inserirCliente("Ana", {{"LimiteDeCredito", k.limite}});
        for (const auto& [valor, baixa] : k.contas) receber(cliente, valor, baixa);
        gravacao().textos.clear();
        ASSERT_EQ(consultar(cliente), Concluido) << c->get_DescricaoDoErro();
        EXPECT_EQ(limite, k.esperados[0]);
        EXPECT_EQ(utilizado, k.esperados[1]);
        EXPECT_EQ(disponivel, k.esperados[2]);
        const std::string codigo = sql::numero(cliente);
        EXPECT_EQ(gravacao().textos,
                  (Linhas{"           SELECT     Clientes.LimiteDeCredito AS Limite  FROM    Clientes  WHERE      Clientes.Codigo = " + codigo,
                          "           SELECT     SUM(ContasAReceber.ValorDoDocumento) AS ValorDoDocumento  FROM    ContasAReceber  WHERE"
                          "      ContasAReceber.DataDaBaixa IS NULL     AND ContasAReceber.CodigoDoCliente = " + codigo}));
    }
    // The figures come back through the interface too.
    std::vector<Variant> args{Variant(valor("SELECT MIN(Codigo) FROM Clientes")), Variant(Currency()), Variant(Currency()), Variant(Currency())};
    EXPECT_EQ(callByNameRef(*c, "RetornarInformacoesDoLimiteDeCredito", args).toInt16(), Concluido);
    EXPECT_EQ(args[3].toCurrency(), Currency::fromInt(867));

    // Failures leave the figures not yet read; lack of memory gets its own message, any other error keeps its own.
    const std::string Local = "ZELT_N_ClientAnim, clsClientes, RetornarInformacoesDoLimiteDeCredito, Ponto: ";
    EXPECT_EQ(consultar(4242), Erro);  // an unknown client
    EXPECT_EQ(c->get_LocalDoErro(), Local + "3");
    EXPECT_EQ(limite, Currency::fromInt(-1));
    const double cliente = inserirCliente("Bia", {{"LimiteDeCredito", "500"}});
    gravacao().falharNoTrecho("SUM(", RuntimeError(err::NotEnoughMemory, "Memória insuficiente."));
    EXPECT_EQ(consultar(cliente), Erro);
    EXPECT_EQ(c->get_NumeroDoErro(), err::NotEnoughMemory);
    EXPECT_EQ(c->get_DescricaoDoErro(),
              "Seu computador não tem memória suficiente para exibir todos os registros selecionados.\r\n"
              "Utilize o campo de pesquisa para encontrar o(s) registro(s).\r\n"
              "Observação: Para evitar esta situação aumente na medida do possível a quantidade de memória deste computador.");
    EXPECT_EQ(c->get_LocalDoErro(), Local + "4");
    EXPECT_EQ(limite, Currency::fromInt(500));
    EXPECT_EQ(utilizado, Currency::fromInt(-1));
    EXPECT_EQ(disponivel, Currency::fromInt(-1));
    gravacao().falharNoTrecho("SUM(", RuntimeError(-2147217900, "Erro de sintaxe."));
    EXPECT_EQ(consultar(cliente), Erro);
    EXPECT_EQ(c->get_DescricaoDoErro(), "Erro de sintaxe.");
}

}  // namespace
}  // namespace zelt::clientanim::teste
