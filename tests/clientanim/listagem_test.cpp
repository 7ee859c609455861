// The combined listing on the real database: clients as parents, their animals in the chapter.
#include "clients/ambiente.hpp"
#include "clientanim/frame/enumeracoes.hpp"
#include "zelt/automation/regional.hpp"
#include "zelt/clientanim/clsClientAnim.hpp"

namespace zelt::clientanim::teste {
namespace {

class Listagem : public Ambiente {
protected:
    void SetUp() override {
        Ambiente::SetUp();
        especie_ = valor("SELECT Codigo FROM EspeciesDeAnimais WHERE Nome = 'Canina'").toText();
        raca_ = valor("SELECT Codigo FROM RacasDeAnimais WHERE CodigoDaEspecieDeAnimal = " + especie_ +
                      " ORDER BY Codigo").toText();
    }

    int cliente(const std::string& nome, int situacao, const std::string& sexo = "F") {
        conexaoDireta().Execute("INSERT INTO Clientes (TipoDeCliente, ApelidoOuNomeFantasia, NomeOuRazaoSocial, Sexo, "
                                "Situacao, DataEHoraDaInclusao) VALUES ('PF', '" + nome + "', '" + nome + "', '" + sexo +
                                "', " + std::to_string(situacao) + ", '01/02/2024 10:00:00')");
        return valor("SELECT @@Identity").toInt32();
    }
    int animal(int dono, const std::string& nome, int situacao, const std::string& microchip = "") {
        conexaoDireta().Execute("INSERT INTO Animais (CodigoDoCliente, Nome, Sexo, CodigoDaEspecie, CodigoDaRaca, "
                                "Microchip, Pedigree, AnimalMorto, Situacao, DataEHoraDaInclusao, UsuarioDaInclusao) "
                                "VALUES (" + std::to_string(dono) + ", '" + nome + "', 'M', " + especie_ + ", " + raca_ +
                                ", '" + microchip + "', False, False, " + std::to_string(situacao) +
                                ", '01/02/2024 10:00:00', 'ana')");
        return valor("SELECT @@Identity").toInt32();
    }

    Ref<clsClientAnim> listagem() {
        auto l = make<clsClientAnim>();
        l->putref_DadosDoUsuario(usuario_);
        return l;
    }

    // Each parent row: the client's name and the names of the animals beneath it.
    static std::vector<std::pair<std::string, std::vector<std::string>>> arvore(ado::Recordset& rs) {
        std::vector<std::pair<std::string, std::vector<std::string>>> out;
        if (rs.get_RecordCount() == 0) return out;
        for (rs.MoveFirst(); !rs.get_EOF(); rs.MoveNext()) {
            std::vector<std::string> nomes;
            auto filhos = refCast<ado::Recordset>(rs("Animais").toObject());
            if (filhos && filhos->get_RecordCount() > 0)
                for (filhos->MoveFirst(); !filhos->get_EOF(); filhos->MoveNext()) nomes.push_back(filhos->operator()("NomeDoAnimal").toText());
            out.emplace_back(rs("NomeOuRazaoSocialDoCliente").toText(), nomes);
        }
        return out;
    }

    std::string especie_, raca_;
};

using Arvore = std::vector<std::pair<std::string, std::vector<std::string>>>;

TEST_F(Listagem, ActiveClientsWithTheirActiveAnimalsOnly) {
    const int ana = cliente("Ana", 1);
    animal(ana, "Rex", 1);
    animal(ana, "Bidu", 2);
    const int bia = cliente("Bia", 2);
    animal(bia, "Tom", 1);
    cliente("Caio", 1, "M");  // no animals: listed with an empty chapter

    auto l = listagem();
    ASSERT_EQ(l->Selecionar(ListaCompleta, 0, RegistroAtivo, Variant(), Variant()), 0) << l->get_DescricaoDoErro();
    EXPECT_EQ(arvore(*l->get_ResultadoDaSelecaoEmRecordset()), (Arvore{{"Ana", {"Rex"}}, {"Caio", {}}}));

    ASSERT_EQ(l->Selecionar(ListaCompleta, 0, RegistroInativo, Variant(), Variant()), 0);
    EXPECT_EQ(arvore(*l->get_ResultadoDaSelecaoEmRecordset()), (Arvore{{"Bia", {}}}));

    ASSERT_EQ(l->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), Variant()), 0);
    auto rs = l->get_ResultadoDaSelecaoEmRecordset();
    EXPECT_EQ(arvore(*rs), (Arvore{{"Ana", {"Bidu", "Rex"}}, {"Bia", {"Tom"}}, {"Caio", {}}}));
    rs->MoveFirst();
    EXPECT_EQ((*rs)("NomeDaSituacaoDoCliente").toText(), "Ativa");
    rs->MoveLast();
    EXPECT_EQ((*rs)("NomeDaSituacaoDoCliente").toText(), "Ativo");
}

TEST_F(Listagem, AnimalSearchListsTheClientOncePerMatchingAnimal) {
    const int ana = cliente("Ana", 1);
    animal(ana, "Rex", 1);
    animal(ana, "Rexona", 1);
    animal(ana, "Mia", 1);
    const int bia = cliente("Bia", 1);
    animal(bia, "Tom", 1, "900REX");

    auto l = listagem();
    ASSERT_EQ(l->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), Variant("rex")), 0) << l->get_DescricaoDoErro();
    EXPECT_EQ(arvore(*l->get_ResultadoDaSelecaoEmRecordset()),
              (Arvore{{"Ana", {"Rex", "Rexona"}}, {"Ana", {"Rex", "Rexona"}}, {"Bia", {"Tom"}}}));
}

TEST_F(Listagem, RecentListTakesTheHighestCodesSortedByNameWithAnimalsByCodeDescending) {
    std::vector<int> codigos;
    for (int i = 0; i < 30; ++i) codigos.push_back(cliente("Cliente " + std::string(1, static_cast<char>('Z' - i % 26)) + std::to_string(i), 1));
    animal(codigos.back(), "Primeiro", 1);
    animal(codigos.back(), "Segundo", 1);

    auto l = listagem();
    ASSERT_EQ(l->Selecionar(ListaPaginada, 20, RegistroRecente, Variant(), Variant()), 0) << l->get_DescricaoDoErro();
    auto rs = l->get_ResultadoDaSelecaoEmRecordset();
    ASSERT_EQ(rs->get_RecordCount(), 20);
    std::vector<std::string> nomes;
    for (rs->MoveFirst(); !rs->get_EOF(); rs->MoveNext()) {
        EXPECT_GE((*rs)("CodigoDoCliente").toInt32(), codigos[10]);
        nomes.push_back((*rs)("NomeOuRazaoSocialDoCliente").toText());
        if ((*rs)("CodigoDoCliente").toInt32() == codigos.back()) {
            auto filhos = refCast<ado::Recordset>((*rs)("Animais").toObject());
            filhos->MoveFirst();
            EXPECT_EQ((*filhos)("NomeDoAnimal").toText(), "Segundo");
        }
    }
    EXPECT_TRUE(std::is_sorted(nomes.begin(), nomes.end(),
                               [](const std::string& a, const std::string& b) { return regional::compareText(a, b) < 0; }));
}

TEST_F(Listagem, EmptyResultAndRefusedStatusAndQuotedSearch) {
    cliente("O’Brien", 1);
    auto l = listagem();
    ASSERT_EQ(l->Selecionar(ListaCompleta, 0, RegistroBloqueado, Variant(), Variant()), 0);
    EXPECT_EQ(l->get_ResultadoDaSelecaoEmRecordset()->get_RecordCount(), 0);
    EXPECT_EQ(l->get_DescricaoDaFalha(), "Nenhum cliente/animal encontrado com as especificações informadas.");

    // A quote in the search value is treated like the stored texts: it finds O’Brien.
    ASSERT_EQ(l->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant("O'Brien"), Variant()), 0) << l->get_DescricaoDoErro();
    EXPECT_EQ(l->get_ResultadoDaSelecaoEmRecordset()->get_RecordCount(), 1);

    EXPECT_EQ(l->Selecionar(ListaCompleta, 0, 9, Variant(), Variant()), 1);
    EXPECT_NE(l->get_DescricaoDoErro().find("lintSituacaoParaFiltro"), std::string::npos);
    EXPECT_EQ(l->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientAnim, Selecionar, Ponto: 3");
    EXPECT_EQ(l->get_ResultadoDaSelecaoEmRecordset()->get_RecordCount(), 1);  // the earlier result stays
}

TEST_F(Listagem, WithoutAUserObjectTheAllStatusListFails) {
    auto l = make<clsClientAnim>();
    EXPECT_EQ(l->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), Variant()), 1);
    EXPECT_EQ(l->get_NumeroDoErro(), 91);
    EXPECT_EQ(l->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientAnim, Selecionar, Ponto: 3");
    // A status that needs no user works without one.
    EXPECT_EQ(l->Selecionar(ListaCompleta, 0, RegistroAtivo, Variant(), Variant()), 0);
}

TEST_F(Listagem, TheCommandSentIsTheShapeText) {
    gravarTextos();
    auto l = listagem();
    ASSERT_EQ(l->Selecionar(ListaCompleta, 0, RegistroAtivo, Variant(15.0), Variant()), 0) << l->get_DescricaoDoErro();
    ASSERT_EQ(textosRecebidos().size(), 1u);
    const std::string& t = textosRecebidos()[0];
    EXPECT_TRUE(t.starts_with("           SHAPE      {  SELECT         Clientes.Codigo AS CodigoDoCliente, "));
    EXPECT_NE(t.find("WHERE    (Clientes.Situacao=1)  AND (Clientes.Codigo = 15)      ORDER BY    Clientes.NomeOuRazaoSocial ASC     } AS Clientes "), std::string::npos);
    EXPECT_TRUE(t.ends_with("        }         RELATE            CodigoDoCliente TO CodigoDoClienteDeAnimais      ) AS Animais "));
}

TEST_F(Listagem, ReachableByDispatch) {
    auto l = CreateObject("ZELT_N_ClientAnim.clsClientAnim");
    putRefProperty(*l, "DadosDoUsuario", usuario_);
    EXPECT_EQ(callByName(*l, "Selecionar", {Variant(1.0), Variant(10.0), Variant(0.0), Variant(""), Variant("")}).toInt16(), 0);
    EXPECT_EQ(getProperty(*l, "DescricaoDaFalha").toText(), "Nenhum cliente/animal encontrado com as especificações informadas.");
    EXPECT_EQ(l->GetIDsOfNames("Selecionar"), 1);
    EXPECT_EQ(l->GetIDsOfNames("DadosDoUsuario"), 7);
}

}  // namespace
}  // namespace zelt::clientanim::teste
