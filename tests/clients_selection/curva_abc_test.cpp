// AtualizarCategoriaDaCurvaABC: when it runs, what it writes, and that a failure writes nothing; and the
// management component's ABC classification, on the real database, that the update uses.
#include "support/clientes.hpp"
#include "support/gerencial.hpp"
#include "clientanim/clients/curva_abc_instrucoes.hpp"

namespace zelt::clientanim::teste {
namespace {

using Linhas = std::vector<std::string>;

class CurvaABC : public Ambiente {
protected:
    void SetUp() override {
        Ambiente::SetUp();
        c = novoCliente();
        for (int i = 1; i <= 5; ++i) codigos.push_back(inserirCliente("Cliente " + std::to_string(i), {{"CategoriaDaCurvaABC", "'X'"}}));
        sql("INSERT INTO OSParaBD (Numero) VALUES (304)");
        sql("UPDATE Empresa SET DataDeAtualizacaoDaCategoriaDaCurvaABC='01/01/2020'");
        usarGerencialDeTeste();
        gravarOsTextos();
        tres = {{Variant("A"), Variant(codigos[0])}, {Variant("B"), Variant(codigos[1])}, {Variant("A"), Variant(codigos[2])}};
        gerencial().classificacao = tres;
    }
    Linhas categorias() { return testing_support::coluna(sql("SELECT CategoriaDaCurvaABC FROM Clientes ORDER BY Codigo"), "CategoriaDaCurvaABC"); }
    Variant ultimaAtualizacao() { return valor("SELECT DataDeAtualizacaoDaCategoriaDaCurvaABC FROM Empresa"); }

    Ref<clsClientes> c;
    std::vector<double> codigos;
    std::vector<std::pair<Variant, Variant>> tres;
};

TEST_F(CurvaABC, ThreeClassifiedClientsAndEveryoneElseC) {
    ASSERT_EQ(c->AtualizarCategoriaDaCurvaABC(), Concluido) << c->get_DescricaoDoErro() << c->get_LocalDoErro();
    EXPECT_EQ(categorias(), (Linhas{"A", "B", "A", "C", "C"}));
    const Date hoje = Date::today();
    EXPECT_EQ(ultimaAtualizacao().toDate(), hoje);
    EXPECT_EQ(gerencial().periodo, (Linhas{hoje.format("dd/mm/yyyy"), hoje.format("dd/mm/") + std::to_string(hoje.year() - 1)}));
    Linhas esperadas{"UPDATE Clientes SET CategoriaDaCurvaABC='C';"};
    for (int i : {0, 1, 2})
        esperadas.push_back("UPDATE Clientes SET CategoriaDaCurvaABC='" + std::string(i == 1 ? "B" : "A") + "' WHERE Codigo=" + sql::numero(codigos[i]) + ";");
    esperadas.push_back("UPDATE Empresa SET DataDeAtualizacaoDaCategoriaDaCurvaABC='" + hoje.format("DD/MM/YYYY") + "';");
    EXPECT_EQ(Linhas(gravacao().textos.end() - 5, gravacao().textos.end()), esperadas);
    EXPECT_EQ(gravacao().contar("UPDATE"), 5u);
    EXPECT_TRUE(c->dataHoraDaAtualizacao().hasDatePart());
    // The day before a year is written as it is, even where that year has no such day.
    EXPECT_EQ(clientes::inicioDoPeriodoDaCurva(*Date::fromParts({2024, 2, 29})), "29/02/2023");
}

// A day already recorded or never dated, a classification not ready or empty, and no entry 304 write nothing;
// a failure midway or a missing company row neither.
TEST_F(CurvaABC, WhenNothingIsWritten) {
    struct Caso { const char* nome; std::function<void()> preparar; int criados; Linhas textos; int16_t resultado = Concluido; std::string ponto = ""; };
    const std::string hoje = "'" + Date::today().format("dd/mm/yyyy") + "'";
    for (const Caso& k : std::vector<Caso>{
             {"hoje", [&] { sql("UPDATE Empresa SET DataDeAtualizacaoDaCategoriaDaCurvaABC=" + hoje); }, 0, {}},
             {"nunca", [&] { sql("UPDATE Empresa SET DataDeAtualizacaoDaCategoriaDaCurvaABC=NULL"); }, 0, {}},
             {"nao pronta", [] { gerencial().resultado = 1; }, 1, {}}, {"vazia", [] { gerencial().classificacao.clear(); }, 1, {}},
             {"falha no meio", [] { gerencial().classificacao.push_back({Variant("B"), Variant("1 OR")}); }, 1, {}, Erro, "13"},
             {"sem 304", [&] { sql("DELETE * FROM OSParaBD"); }, 0,
              {" SELECT NOW AS DataHoraDoServidor ", " SELECT COUNT(*) FROM OSParaBD WHERE Numero = 304"}}}) {
        SCOPED_TRACE(k.nome);
        c = novoCliente();
        sql("UPDATE Empresa SET DataDeAtualizacaoDaCategoriaDaCurvaABC='01/01/2020'");
        gerencial() = Gerencial{0, tres, 0, {}};
        k.preparar();
        const Variant dia = ultimaAtualizacao();
        gravacao().textos.clear();
        ASSERT_EQ(c->AtualizarCategoriaDaCurvaABC(), k.resultado) << c->get_DescricaoDoErro();
        EXPECT_EQ(ultimaAtualizacao().isNull() ? "Null" : ultimaAtualizacao().toText(), dia.isNull() ? "Null" : dia.toText());
        EXPECT_EQ(gerencial().criados, k.criados);
        EXPECT_EQ(categorias(), Linhas(5, "X"));
        EXPECT_EQ(gravacao().contar("UPDATE"), k.ponto.empty() ? 0u : 5u);  // the four inside the transaction, then the one refused
        if (!k.textos.empty()) { EXPECT_EQ(gravacao().textos, k.textos); }
        EXPECT_EQ(c->get_LocalDoErro(), k.ponto.empty() ? "" : "ZELT_N_ClientAnim, clsClientes, AtualizarCategoriaDaCurvaABC, Ponto: " + k.ponto);
    }
    sql("INSERT INTO OSParaBD (Numero) VALUES (304)");
    sql("DELETE * FROM Empresa");
    EXPECT_EQ(c->AtualizarCategoriaDaCurvaABC(), Erro);
    EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, AtualizarCategoriaDaCurvaABC, Ponto: 7");
}

class ComponenteGerencial : public Ambiente {
protected:
    // Asks the component created by its ProgID for the period, as the client class calls it.
    int16_t classificar(const std::string& fim, const std::string& inicio) {
        gerencial_ = CreateObject("ZELT_N_Gerencial.clsGerencial");
        std::vector<Variant> periodo{Variant(fim), Variant(inicio)};
        return callByNameRef(*gerencial_, "SelecionarCurvaABCporLucratividadeDeClientes", periodo).toInt16();
    }
    std::string texto(const std::string& propriedade) { return getProperty(*gerencial_, propriedade).toText(); }

    Ref<Object> gerencial_;
};

// Each row: the receivables of clients 0 to 5 (value, date settled), the period, and "letter client" per row of
// the classification, ordered by amount, a tie by code.
TEST_F(ComponenteGerencial, TheFirstEightyPercentAreATheNextFifteenBTheRestC) {
    struct Caso { const char* nome; std::vector<std::tuple<int, std::string, std::string>> contas; std::string fim, inicio; Linhas esperados; };
    const std::vector<Caso> casos{
        // 1000 in all: 500 and 300 reach 80%, 100 and 50 reach 95%; the first and last days count; open or settled
        // outside the period is not counted.
        {"faixas", {{1, "200", "'10/03/2024'"}, {1, "100", "'31/12/2024'"}, {0, "500", "'01/01/2024'"},
                    {4, "50", "'15/06/2024'"}, {2, "100", "'15/06/2024'"}, {3, "50", "'16/06/2024'"},
                    {4, "5000", "NULL"}, {5, "9000", "'31/12/2023'"}, {5, "9000", "'01/01/2025'"}},
         "31/12/2024", "01/01/2024", {"A 0", "A 1", "B 2", "B 3", "C 4"}},
        // 70% starts at 0: A. 25% starts at 70%, inside the first 80%: A. 5% starts at 95%: C.
        {"a faixa onde a parte comeca", {{0, "700.00", "'05/05/2024'"}, {1, "250.00", "'05/05/2024'"}, {2, "50.00", "'05/05/2024'"}},
         "31/12/2024", "01/01/2024", {"A 0", "A 1", "C 2"}},
        {"nada baixado no periodo", {{0, "100", "NULL"}}, "31/12/2024", "01/01/2024", {}},
        {"29 de fevereiro de um ano comum e o seu ultimo dia", {{0, "100", "'27/02/2023'"}, {1, "100", "'28/02/2023'"}},
         "29/02/2024", "29/02/2023", {"A 1"}}};
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nome);
        sql("DELETE * FROM ContasAReceber");
        sql("DELETE * FROM Clientes");
        std::vector<double> c;
        for (int i = 0; i < 6; ++i) c.push_back(inserirCliente("Cliente " + std::to_string(i)));
        for (const auto& [cliente, valor, baixa] : k.contas) receber(c[cliente], valor, baixa);
        // A receivable without a client is nobody's revenue.
        sql("INSERT INTO ContasAReceber (ValorDoDocumento, DataDaBaixa) VALUES (70, '05/05/2024')");
        ASSERT_EQ(classificar(k.fim, k.inicio), 0) << texto("DescricaoDoErro");
        Linhas esperados, obtidos;
        for (const auto& e : k.esperados) esperados.push_back(e.substr(0, 2) + sql::numero(c[std::stoi(e.substr(2))]));
        auto rs = refCast<ado::Recordset>(getProperty(*gerencial_, "ResultadoDaSelecaoEmRecordset").toObject());
        const auto classes = testing_support::coluna(rs, "Classificacao"), codigos = testing_support::coluna(rs, "CodigoDoCliente");
        for (size_t i = 0; i < classes.size(); ++i) obtidos.push_back(classes[i] + " " + codigos[i]);
        EXPECT_EQ(obtidos, esperados);
    }
    // A text that is no date is an error.
    for (const std::string inicio : {"", "31/02/2024x", "amanhã", "32/01/2024"}) {
        ASSERT_EQ(classificar("31/12/2024", inicio), 1) << inicio;
        EXPECT_EQ(getProperty(*gerencial_, "NumeroDoErro").toInt32(), 13);
        EXPECT_NE(texto("DescricaoDoErro").find("'" + inicio + "'"), std::string::npos) << texto("DescricaoDoErro");
        EXPECT_EQ(texto("LocalDoErro"), "ZELT_N_Gerencial, clsGerencial, SelecionarCurvaABCporLucratividadeDeClientes, Ponto: 3");
    }
}

}  // namespace
}  // namespace zelt::clientanim::teste
