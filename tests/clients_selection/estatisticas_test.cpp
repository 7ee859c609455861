// The counts by month and by year, and the credit limit with what open receivables use of it.
#include "support/clientes.hpp"
#include "jet_translate/statements.hpp"

namespace zelt::clientanim::teste {
namespace {

using Linhas = std::vector<std::string>;

class Estatisticas : public Ambiente {
protected:
    void SetUp() override {
        Ambiente::SetUp();
        c = novoCliente();
    }
    void incluir(const std::vector<std::pair<std::string, std::string>>& inclusoes) {
        for (const auto& [quando, situacao] : inclusoes)
            inserirCliente("Cliente " + quando, {{"DataEHoraDaInclusao", "'" + quando + "'"}, {"Situacao", situacao}});
        gravarOsTextos();
    }
    Ref<clsClientes> c;
};

TEST_F(Estatisticas, TheMonthlyCountHasTwelveRowsWhateverTheStatus) {
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
