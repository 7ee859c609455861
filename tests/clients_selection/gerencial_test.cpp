// ZELT_N_Gerencial.clsGerencial on the real database: the ABC classification by what each client
// brought in during the period, and the update of the clients' categories that uses it.
#include "ambiente_de_selecao.hpp"

namespace zelt::clientanim::teste {
namespace {

using Linhas = std::vector<std::string>;

class ComponenteGerencial : public AmbienteDeSelecao {
protected:
    void receber(double cliente, const std::string& valor, const std::string& baixa) {
        conexaoDireta().Execute("INSERT INTO ContasAReceber (CodigoDoCliente, ValorDoDocumento, DataDaBaixa) VALUES (" +
                                sql::numero(cliente) + ", " + valor + ", " + baixa + ")");
    }

    // Asks the component created by its ProgID for the period, as the client class calls it.
    int16_t classificar(const std::string& fim, const std::string& inicio) {
        gerencial_ = CreateObject("ZELT_N_Gerencial.clsGerencial");
        std::vector<Variant> periodo{Variant(fim), Variant(inicio)};
        return callByNameRef(*gerencial_, "SelecionarCurvaABCporLucratividadeDeClientes", periodo).toInt16();
    }

    // "letter code" per row, in the recordset's order.
    Linhas classificacao() {
        Linhas linhas;
        auto rs = refCast<ado::Recordset>(getProperty(*gerencial_, "ResultadoDaSelecaoEmRecordset").toObject());
        if (!rs) return linhas;
        if (rs->get_RecordCount() == 0) return linhas;
        for (rs->MoveFirst(); !rs->get_EOF(); rs->MoveNext())
            linhas.push_back((*rs)("Classificacao").toText() + " " + (*rs)("CodigoDoCliente").toText());
        return linhas;
    }

    std::string texto(const std::string& propriedade) { return getProperty(*gerencial_, propriedade).toText(); }

    Ref<Object> gerencial_;
};

TEST_F(ComponenteGerencial, TheFirstEightyPercentAreATheNextFifteenBTheRestC) {
    std::vector<double> c;
    for (int i = 1; i <= 6; ++i) c.push_back(inserirCliente("Cliente " + std::to_string(i)));
    // Settled in the period: 1000 in all. Client 1 brings 500, client 2 300 (reaching 80%), client 3
    // 100 and client 4 50 (reaching 95%), client 5 50.
    receber(c[1], "200", "'10/03/2024'");
    receber(c[1], "100", "'31/12/2024'");  // the last day counts
    receber(c[0], "500", "'01/01/2024'");  // so does the first
    receber(c[4], "50", "'15/06/2024'");
    receber(c[2], "100", "'15/06/2024'");
    receber(c[3], "50", "'16/06/2024'");
    // Open, or settled outside the period: not counted.
    receber(c[4], "5000", "NULL");
    receber(c[5], "9000", "'31/12/2023'");
    receber(c[5], "9000", "'01/01/2025'");

    ASSERT_EQ(classificar("31/12/2024", "01/01/2024"), 0) << texto("DescricaoDoErro");
    // Ordered by amount, a tie by code.
    EXPECT_EQ(classificacao(), (Linhas{"A " + sql::numero(c[0]), "A " + sql::numero(c[1]), "B " + sql::numero(c[2]),
                                       "B " + sql::numero(c[3]), "C " + sql::numero(c[4])}));
}

TEST_F(ComponenteGerencial, AClientWhoseShareBeginsInsideABandBelongsToIt) {
    const double grande = inserirCliente("Grande"), medio = inserirCliente("Médio"), pequeno = inserirCliente("Pequeno");
    // 70% starts at 0: A. 25% starts at 70%, inside the first 80%: A. 5% starts at 95%: C.
    receber(grande, "700.00", "'05/05/2024'");
    receber(medio, "250.00", "'05/05/2024'");
    receber(pequeno, "50.00", "'05/05/2024'");
    ASSERT_EQ(classificar("31/12/2024", "01/01/2024"), 0) << texto("DescricaoDoErro");
    EXPECT_EQ(classificacao(),
              (Linhas{"A " + sql::numero(grande), "A " + sql::numero(medio), "C " + sql::numero(pequeno)}));
}

TEST_F(ComponenteGerencial, NothingSettledInThePeriodIsAnEmptyClassification) {
    const double cliente = inserirCliente("Ana");
    receber(cliente, "100", "NULL");
    // A receivable without a client is nobody's revenue.
    conexaoDireta().Execute("INSERT INTO ContasAReceber (ValorDoDocumento, DataDaBaixa) VALUES (70, '05/05/2024')");
    ASSERT_EQ(classificar("31/12/2024", "01/01/2024"), 0) << texto("DescricaoDoErro");
    EXPECT_TRUE(classificacao().empty());
}

TEST_F(ComponenteGerencial, AStartOnTheTwentyNinthOfFebruaryOfACommonYearIsItsLastDay) {
    const double antes = inserirCliente("Antes"), depois = inserirCliente("Depois");
    receber(antes, "100", "'27/02/2023'");
    receber(depois, "100", "'28/02/2023'");
    ASSERT_EQ(classificar("29/02/2024", "29/02/2023"), 0) << texto("DescricaoDoErro");
    EXPECT_EQ(classificacao(), (Linhas{"A " + sql::numero(depois)}));
}

TEST_F(ComponenteGerencial, ATextThatIsNoDateIsAnError) {
    for (const std::string inicio : {"", "31/02/2024x", "amanhã", "32/01/2024"}) {
        ASSERT_EQ(classificar("31/12/2024", inicio), 1) << inicio;
        EXPECT_EQ(getProperty(*gerencial_, "NumeroDoErro").toInt32(), 13);
        EXPECT_NE(texto("DescricaoDoErro").find("'" + inicio + "'"), std::string::npos) << texto("DescricaoDoErro");
        EXPECT_EQ(texto("LocalDoErro"), "ZELT_N_Gerencial, clsGerencial, SelecionarCurvaABCporLucratividadeDeClientes, Ponto: 3");
    }
}

TEST_F(ComponenteGerencial, TheClientCategoriesFollowTheLastTwelveMonths) {
    const Date hoje = Date::today();
    const std::string ontem = "'" + Date(hoje.serial() - 1).format("dd/mm/yyyy") + "'";
    const std::string haDoisAnos = "'" + Date(hoje.serial() - 800).format("dd/mm/yyyy") + "'";
    const double a = inserirCliente("Ana"), b = inserirCliente("Bruno"), c = inserirCliente("Carla");
    const double semCompras = inserirCliente("Dora", {{"CategoriaDaCurvaABC", "'A'"}});
    receber(a, "850", ontem);
    receber(b, "100", ontem);
    receber(c, "50", ontem);
    receber(semCompras, "100000", haDoisAnos);
    conexaoDireta().Execute("INSERT INTO OSParaBD (Numero) VALUES (304)");
    conexaoDireta().Execute("UPDATE Empresa SET DataDeAtualizacaoDaCategoriaDaCurvaABC='01/01/2020'");

    auto clientes = novoCliente();
    ASSERT_EQ(clientes->AtualizarCategoriaDaCurvaABC(), Concluido) << clientes->get_DescricaoDoErro();
    Linhas categorias;
    auto rs = conexaoDireta().Execute("SELECT CategoriaDaCurvaABC FROM Clientes ORDER BY Codigo");
    for (; !rs->get_EOF(); rs->MoveNext()) categorias.push_back((*rs)(0).toText());
    EXPECT_EQ(categorias, (Linhas{"A", "B", "C", "C"}));
    EXPECT_EQ(valor("SELECT DataDeAtualizacaoDaCategoriaDaCurvaABC FROM Empresa").toDate(), hoje);
}

}  // namespace
}  // namespace zelt::clientanim::teste
