// ZELT_N_Gerencial.clsGerencial on the real database: the ABC classification by what each client
// brought in during the period, and the update of the clients' categories that uses it.
#include "ambiente_de_selecao.hpp"

namespace zelt::clientanim::teste {
namespace {

using Linhas = std::vector<std::string>;

class ComponenteGerencial : public AmbienteDeSelecao {
protected:
    void receber(double cliente, const std::string& valor, const std::string& baixa) {
        sql("INSERT INTO ContasAReceber (CodigoDoCliente, ValorDoDocumento, DataDaBaixa) VALUES (" + sql::numero(cliente) +
            ", " + valor + ", " + baixa + ")");
    }
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
    struct Caso {
        const char* nome;
        std::vector<std::tuple<int, std::string, std::string>> contas;
        std::string fim, inicio;
        Linhas esperados;
    };
    const std::vector<Caso> casos{
        // 1000 in all: 500 and 300 reach 80%, 100 and 50 reach 95%; the first and last days count; open or settled
        // outside the period is not counted.
        {"faixas", {{1, "200", "'10/03/2024'"}, {1, "100", "'31/12/2024'"}, {0, "500", "'01/01/2024'"},
                    {4, "50", "'15/06/2024'"}, {2, "100", "'15/06/2024'"}, {3, "50", "'16/06/2024'"},
                    {4, "5000", "NULL"}, {5, "9000", "'31/12/2023'"}, {5, "9000", "'01/01/2025'"}},
         "31/12/2024", "01/01/2024", {"A 0", "A 1", "B 2", "B 3", "C 4"}},
        // 70% starts at 0: A. 25% starts at 70%, inside the first 80%: A. 5% starts at 95%: C.
        {"a faixa onde a parte comeca", {{0, "700.00", "'05/05/2024'"}, {1, "250.00", "'05/05/2024'"},
                                         {2, "50.00", "'05/05/2024'"}},
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
        for (int i = 0; rs && i < rs->get_RecordCount(); ++i)
            obtidos.push_back(rs->valueAt(i, rs->fieldIndex("Classificacao")).toText() + " " +
                              rs->valueAt(i, rs->fieldIndex("CodigoDoCliente")).toText());
        EXPECT_EQ(obtidos, esperados);
    }
}

TEST_F(ComponenteGerencial, ATextThatIsNoDateIsAnError) {
    for (const std::string inicio : {"", "31/02/2024x", "amanhã", "32/01/2024"}) {
        ASSERT_EQ(classificar("31/12/2024", inicio), 1) << inicio;
        EXPECT_EQ(getProperty(*gerencial_, "NumeroDoErro").toInt32(), 13);
        EXPECT_NE(texto("DescricaoDoErro").find("'" + inicio + "'"), std::string::npos) << texto("DescricaoDoErro");
        EXPECT_EQ(texto("LocalDoErro"), "ZELT_N_Gerencial, clsGerencial, SelecionarCurvaABCporLucratividadeDeClientes, Ponto: 3");
    }
}

}  // namespace
}  // namespace zelt::clientanim::teste
