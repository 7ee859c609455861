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
        conexaoDireta().Execute("INSERT INTO ContasAReceber (CodigoDoCliente, ValorDoDocumento, DataDaBaixa) VALUES (" +
                                sql::numero(cliente) + ", " + valor + ", " + baixa + ")");
    }
    int16_t consultar(double cliente) {
        return c->RetornarInformacoesDoLimiteDeCredito(cliente, limite, utilizado, disponivel);
    }

    Ref<clsClientes> c;
    Currency limite = Currency::fromInt(-1), utilizado = Currency::fromInt(-1), disponivel = Currency::fromInt(-1);
};

TEST_F(LimiteDeCredito, OpenReceivablesUseTheLimit) {
    const double cliente = inserirCliente("Ana", {{"LimiteDeCredito", "500"}});
    const double outro = inserirCliente("Bruno", {{"LimiteDeCredito", "900"}});
    receber(cliente, "120.50");
    receber(cliente, "79.50");
    receber(cliente, "1000", "'05/01/2024'");
    receber(outro, "33");
    ASSERT_EQ(consultar(cliente), Concluido) << c->get_DescricaoDoErro();
    EXPECT_EQ(limite, Currency::fromInt(500));
    EXPECT_EQ(utilizado, Currency::fromInt(200));
    EXPECT_EQ(disponivel, Currency::fromInt(300));
}

TEST_F(LimiteDeCredito, SettledReceivablesOnlyLeaveTheWholeLimit) {
    const double cliente = inserirCliente("Ana", {{"LimiteDeCredito", "250.1234"}});
    receber(cliente, "80", "'05/01/2024'");
    ASSERT_EQ(consultar(cliente), Concluido) << c->get_DescricaoDoErro();
    EXPECT_EQ(utilizado, Currency());
    EXPECT_EQ(disponivel, Currency::fromRaw(2501234));
}

TEST_F(LimiteDeCredito, ANullLimitIsZeroAndWhatIsLeftMayBeNegative) {
    const double cliente = inserirCliente("Ana");
    receber(cliente, "0.10");
    receber(cliente, "0.20");
    ASSERT_EQ(consultar(cliente), Concluido) << c->get_DescricaoDoErro();
    EXPECT_EQ(limite, Currency());
    EXPECT_EQ(utilizado, Currency::fromRaw(3000));
    EXPECT_EQ(disponivel, Currency::fromRaw(-3000));
}

TEST_F(LimiteDeCredito, AnUnknownClientFailsBeforeAnyFigureIsSet) {
    EXPECT_EQ(consultar(4242), Erro);
    EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, RetornarInformacoesDoLimiteDeCredito, Ponto: 3");
    EXPECT_EQ(limite, Currency::fromInt(-1));
    EXPECT_EQ(utilizado, Currency::fromInt(-1));
    EXPECT_EQ(disponivel, Currency::fromInt(-1));
}

TEST_F(LimiteDeCredito, LackOfMemoryGetsItsOwnMessage) {
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

    // Any other error keeps its own description.
    gravarOsTextos();
    gravacao().falharNoTrecho("SUM(", RuntimeError(-2147217900, "Erro de sintaxe."));
    EXPECT_EQ(consultar(cliente), Erro);
    EXPECT_EQ(c->get_DescricaoDoErro(), "Erro de sintaxe.");
}

TEST_F(LimiteDeCredito, TheStatementsAsSent) {
    const double cliente = inserirCliente("Ana", {{"LimiteDeCredito", "500"}});
    gravarOsTextos();
    ASSERT_EQ(consultar(cliente), Concluido) << c->get_DescricaoDoErro();
    const std::string codigo = sql::numero(cliente);
    EXPECT_EQ(gravacao().textos,
              (std::vector<std::string>{
                  "           SELECT     Clientes.LimiteDeCredito AS Limite  FROM    Clientes  WHERE      Clientes.Codigo = " +
                      codigo,
                  "           SELECT     SUM(ContasAReceber.ValorDoDocumento) AS ValorDoDocumento  FROM    ContasAReceber "
                  " WHERE      ContasAReceber.DataDaBaixa IS NULL     AND ContasAReceber.CodigoDoCliente = " +
                      codigo}));
}

TEST_F(LimiteDeCredito, TheFiguresComeBackThroughTheInterface) {
    const double cliente = inserirCliente("Ana", {{"LimiteDeCredito", "500"}});
    receber(cliente, "120.50");
    std::vector<Variant> args{Variant(cliente), Variant(Currency()), Variant(Currency()), Variant(Currency())};
    EXPECT_EQ(callByNameRef(*c, "RetornarInformacoesDoLimiteDeCredito", args).toInt16(), Concluido);
    EXPECT_EQ(args[3].toCurrency(), Currency::fromRaw(3795000));
}

}  // namespace
}  // namespace zelt::clientanim::teste
