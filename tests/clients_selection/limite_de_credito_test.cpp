// RetornarInformacoesDoLimiteDeCredito: limit, what open receivables use, what is left.
#include "ambiente_de_selecao.hpp"

namespace zelt::clientanim::teste {
namespace {

class LimiteDeCredito : public AmbienteDeSelecao {
protected:
    void SetUp() override {
        AmbienteDeSelecao::SetUp();
        c = novoCliente();
    }
    void receber(double cliente, const std::string& valor, const std::string& baixa = "NULL") {
        sql("INSERT INTO ContasAReceber (CodigoDoCliente, ValorDoDocumento, DataDaBaixa) VALUES (" + sql::numero(cliente) +
            ", " + valor + ", " + baixa + ")");
    }
    int16_t consultar(double cliente) { return c->RetornarInformacoesDoLimiteDeCredito(cliente, limite, utilizado, disponivel); }

    Ref<clsClientes> c;
    Currency limite = Currency::fromInt(-1), utilizado = Currency::fromInt(-1), disponivel = Currency::fromInt(-1);
};

TEST_F(LimiteDeCredito, OpenReceivablesUseTheLimit) {
    struct Caso { std::string limite; std::vector<std::pair<std::string, std::string>> contas; Currency esperados[3]; };
    const std::vector<Caso> casos{
        {"500", {{"120.50", "NULL"}, {"79.50", "NULL"}, {"1000", "'05/01/2024'"}},
         {Currency::fromInt(500), Currency::fromInt(200), Currency::fromInt(300)}},
        // Settled receivables only leave the whole limit.
        {"250.1234", {{"80", "'05/01/2024'"}}, {Currency::fromRaw(2501234), Currency(), Currency::fromRaw(2501234)}},
        // A Null limit is zero, and what is left may be negative.
        {"NULL", {{"0.10", "NULL"}, {"0.20", "NULL"}}, {Currency(), Currency::fromRaw(3000), Currency::fromRaw(-3000)}}};
    receber(inserirCliente("Outro", {{"LimiteDeCredito", "900"}}), "33");
    gravarOsTextos();
    for (const Caso& k : casos) {
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
                  (std::vector<std::string>{
                      "           SELECT     Clientes.LimiteDeCredito AS Limite  FROM    Clientes  WHERE      "
                      "Clientes.Codigo = " + codigo,
                      "           SELECT     SUM(ContasAReceber.ValorDoDocumento) AS ValorDoDocumento  FROM    "
                      "ContasAReceber  WHERE      ContasAReceber.DataDaBaixa IS NULL     AND ContasAReceber.CodigoDoCliente = " +
                          codigo}));
    }
    // The figures come back through the interface too.
    std::vector<Variant> args{Variant(valor("SELECT MIN(Codigo) FROM Clientes")), Variant(Currency()), Variant(Currency()),
                              Variant(Currency())};
    EXPECT_EQ(callByNameRef(*c, "RetornarInformacoesDoLimiteDeCredito", args).toInt16(), Concluido);
    EXPECT_EQ(args[3].toCurrency(), Currency::fromInt(867));
}

TEST_F(LimiteDeCredito, FailuresLeaveTheFiguresNotYetRead) {
    EXPECT_EQ(consultar(4242), Erro);  // an unknown client
    EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, RetornarInformacoesDoLimiteDeCredito, Ponto: 3");
    EXPECT_EQ(limite, Currency::fromInt(-1));
    EXPECT_EQ(utilizado, Currency::fromInt(-1));
    EXPECT_EQ(disponivel, Currency::fromInt(-1));

    // Lack of memory gets its own message; any other error keeps its own description.
    const double cliente = inserirCliente("Ana", {{"LimiteDeCredito", "500"}});
    gravarOsTextos();
    gravacao().falharNoTrecho("SUM(", RuntimeError(err::NotEnoughMemory, "Memória insuficiente."));
    EXPECT_EQ(consultar(cliente), Erro);
    EXPECT_EQ(c->get_NumeroDoErro(), err::NotEnoughMemory);
    EXPECT_EQ(c->get_DescricaoDoErro(),
              "Seu computador não tem memória suficiente para exibir todos os registros selecionados.\r\n"
              "Utilize o campo de pesquisa para encontrar o(s) registro(s).\r\n"
              "Observação: Para evitar esta situação aumente na medida do possível a quantidade de memória deste "
              "computador.");
    EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, RetornarInformacoesDoLimiteDeCredito, Ponto: 4");
    EXPECT_EQ(limite, Currency::fromInt(500));
    EXPECT_EQ(utilizado, Currency::fromInt(-1));
    gravacao().falharNoTrecho("SUM(", RuntimeError(-2147217900, "Erro de sintaxe."));
    EXPECT_EQ(consultar(cliente), Erro);
    EXPECT_EQ(c->get_DescricaoDoErro(), "Erro de sintaxe.");
}

}  // namespace
}  // namespace zelt::clientanim::teste
