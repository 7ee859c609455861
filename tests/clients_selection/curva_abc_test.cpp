// AtualizarCategoriaDaCurvaABC: when it runs, what it writes, and that a failure writes nothing.
#include "ambiente_de_selecao.hpp"
#include "clientanim/clients/curva_abc_instrucoes.hpp"

namespace zelt::clientanim::teste {
namespace {

using Linhas = std::vector<std::string>;

class CurvaABC : public AmbienteDeSelecao {
protected:
    void SetUp() override {
        AmbienteDeSelecao::SetUp();
        c = novoCliente();
        for (int i = 1; i <= 5; ++i) codigos.push_back(inserirCliente("Cliente " + std::to_string(i), {{"CategoriaDaCurvaABC", "'X'"}}));
        conexaoDireta().Execute("INSERT INTO OSParaBD (Numero) VALUES (304)");
        conexaoDireta().Execute("UPDATE Empresa SET DataDeAtualizacaoDaCategoriaDaCurvaABC='01/01/2020'");
        usarGerencialDeTeste();
        gravarOsTextos();
        gerencial().classificacao = {{Variant("A"), Variant(codigos[0])}, {Variant("B"), Variant(codigos[1])},
                                     {Variant("A"), Variant(codigos[2])}};
    }
    Linhas categorias() { return testing_support::coluna(sql("SELECT CategoriaDaCurvaABC FROM Clientes ORDER BY Codigo"), "CategoriaDaCurvaABC"); }
    Variant ultimaAtualizacao() { return valor("SELECT DataDeAtualizacaoDaCategoriaDaCurvaABC FROM Empresa"); }
    std::vector<std::string> atualizacoes() {
        std::vector<std::string> u;
        for (const auto& t : gravacao().textos)
            if (t.starts_with("UPDATE")) u.push_back(t);
        return u;
    }

    Ref<clsClientes> c;
    std::vector<double> codigos;
};

TEST_F(CurvaABC, ThreeClassifiedClientsAndEveryoneElseC) {
    ASSERT_EQ(c->AtualizarCategoriaDaCurvaABC(), Concluido) << c->get_DescricaoDoErro() << c->get_LocalDoErro();
    EXPECT_EQ(categorias(), (Linhas{"A", "B", "A", "C", "C"}));
    EXPECT_EQ(ultimaAtualizacao().toDate(), Date::today());
    const Date hoje = Date::today();
    EXPECT_EQ(gerencial().periodo, (Linhas{hoje.format("dd/mm/yyyy"), hoje.format("dd/mm/") + std::to_string(hoje.year() - 1)}));
    EXPECT_EQ(atualizacoes(),
              (Linhas{"UPDATE Clientes SET CategoriaDaCurvaABC='C';",
                      "UPDATE Clientes SET CategoriaDaCurvaABC='A' WHERE Codigo=" + sql::numero(codigos[0]) + ";",
                      "UPDATE Clientes SET CategoriaDaCurvaABC='B' WHERE Codigo=" + sql::numero(codigos[1]) + ";",
                      "UPDATE Clientes SET CategoriaDaCurvaABC='A' WHERE Codigo=" + sql::numero(codigos[2]) + ";",
                      "UPDATE Empresa SET DataDeAtualizacaoDaCategoriaDaCurvaABC='" + hoje.format("DD/MM/YYYY") + "';"}));
    EXPECT_TRUE(c->dataHoraDaAtualizacao().hasDatePart());

    // Once a day: the second call finds today recorded and asks nothing.
    gerencial().criados = 0;
    ASSERT_EQ(c->AtualizarCategoriaDaCurvaABC(), Concluido);
    EXPECT_EQ(gerencial().criados, 0);
}

// A day already recorded or never dated, a classification not ready or empty, and no entry 304 write nothing.
TEST_F(CurvaABC, WhenNothingIsWritten) {
    struct Caso { const char* nome; std::function<void()> preparar; int criados; Linhas textos; };
    const std::string hoje = "'" + Date::today().format("dd/mm/yyyy") + "'";
    for (const Caso& k : std::vector<Caso>{
             {"hoje", [&] { sql("UPDATE Empresa SET DataDeAtualizacaoDaCategoriaDaCurvaABC=" + hoje); }, 0, {}},
             {"nunca", [&] { sql("UPDATE Empresa SET DataDeAtualizacaoDaCategoriaDaCurvaABC=NULL"); }, 0, {}},
             {"nao pronta", [] { gerencial().resultado = 1; }, 1, {}},
             {"vazia", [] { gerencial().classificacao.clear(); }, 1, {}},
             {"sem 304", [&] { sql("DELETE * FROM OSParaBD"); }, 0,
              {" SELECT NOW AS DataHoraDoServidor ", " SELECT COUNT(*) FROM OSParaBD WHERE Numero = 304"}}}) {
        SCOPED_TRACE(k.nome);
        sql("UPDATE Empresa SET DataDeAtualizacaoDaCategoriaDaCurvaABC='01/01/2020'");
        gerencial().resultado = 0;
        k.preparar();
        const std::string dia = ultimaAtualizacao().isNull() ? "Null" : ultimaAtualizacao().toText();
        gravacao().textos.clear();
        ASSERT_EQ(c->AtualizarCategoriaDaCurvaABC(), Concluido) << c->get_DescricaoDoErro();
        EXPECT_EQ(ultimaAtualizacao().isNull() ? "Null" : ultimaAtualizacao().toText(), dia);
        EXPECT_EQ(gerencial().criados, k.criados);
        gerencial().criados = 0;
        EXPECT_EQ(categorias(), Linhas(5, "X"));
        EXPECT_TRUE(atualizacoes().empty());
        if (!k.textos.empty()) {
            EXPECT_EQ(gravacao().textos, k.textos);
        }
    }
}

TEST_F(CurvaABC, AFailureMidwayLeavesNothingWritten) {
    gerencial().classificacao.push_back({Variant("B"), Variant("1 OR")});
    EXPECT_EQ(c->AtualizarCategoriaDaCurvaABC(), Erro);
    EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, AtualizarCategoriaDaCurvaABC, Ponto: 13");
    EXPECT_EQ(atualizacoes().size(), 5u);  // the four that ran inside the transaction, then the one refused
    EXPECT_EQ(categorias(), Linhas(5, "X"));
    EXPECT_EQ(ultimaAtualizacao().toDate(), Variant("01/01/2020").toDate());
}

TEST_F(CurvaABC, WithoutTheCompanyRowReadingItsDayFails) {
    conexaoDireta().Execute("DELETE * FROM Empresa");
    EXPECT_EQ(c->AtualizarCategoriaDaCurvaABC(), Erro);
    EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, AtualizarCategoriaDaCurvaABC, Ponto: 7");
}

TEST(PeriodoDaCurvaABC, TheLastTwelveMonthsEndToday) {
    const Date dia = *Date::fromParts({2026, 12, 4});
    EXPECT_EQ(clientes::fimDoPeriodoDaCurva(dia), "04/12/2026");
    EXPECT_EQ(clientes::inicioDoPeriodoDaCurva(dia), "04/12/2025");
    // The day before a year is written as it is, even where that year has no such day.
    EXPECT_EQ(clientes::inicioDoPeriodoDaCurva(*Date::fromParts({2024, 2, 29})), "29/02/2023");
}

}  // namespace
}  // namespace zelt::clientanim::teste
