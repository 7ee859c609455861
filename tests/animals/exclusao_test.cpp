// Excluir: the eleven counts, the first referring table, and the engine's own refusal as result 3.
#include "ambiente.hpp"

namespace teste {
namespace {

const std::string MensagemDoBanco =
    "O animal não pode ser excluído porque existe:\r\n\r\nregistros relacionados a ele\r\n\r\n"
    "Se não deseja mais utilizar, altere a 'Situação' do animal para 'Inativo'.";

class Exclusao : public Ambiente {
protected:
    void SetUp() override {
        Ambiente::SetUp();
        codigo_ = inserirAnimal(inserirCliente("Ana"), "Rex");
        a_ = animal(0, "Rex");
        a_->put_Codigo(codigo_);
    }
    std::string codigo() const { return Variant(codigo_).toText(); }
    double restantes() { return numero("SELECT COUNT(*) FROM Animais WHERE Codigo = " + codigo()); }

    double codigo_ = 0;
    Ref<clsAnimais> a_;
};

TEST_F(Exclusao, UnreferencedAnimalIsDeletedAfterElevenCounts) {
    gravarOsTextos();
    EXPECT_EQ(a_->Excluir(), 0) << a_->get_DescricaoDoErro();
    std::vector<std::string> esperados;
    for (const char* tabela : {"Agendamentos", "ContratosPSA", "Exames", "FichasClinicas", "ItensDeVendas",
                               "ItensDoOrcamento", "Medicacoes", "Orcamentos", "Receitas", "ServicosEfetuados",
                               "Vacinacoes"})
        esperados.push_back(std::string(" SELECT COUNT(*) AS NumeroDeRegistros FROM ") + tabela +
                            " WHERE CodigoDoAnimal = " + codigo());
    esperados.push_back("DELETE * FROM Animais WHERE Codigo=" + codigo() + ";");
    EXPECT_EQ(gravacao().textos, esperados);
    EXPECT_EQ(restantes(), 0);
    // An unknown or unset code deletes nothing and is no failure.
    a_->put_Codigo(codigo_ + 1000);
    EXPECT_EQ(a_->Excluir(), 0);
    EXPECT_EQ(animal(0, "Tom")->Excluir(), 0);
}

TEST_F(Exclusao, ReferencedAnimalIsRefusedWithTheFirstTableAndNoDelete) {
    sql("INSERT INTO Exames (CodigoDoAnimal) VALUES (" + codigo() + ")");
    sql("INSERT INTO Vacinacoes (CodigoDoAnimal) VALUES (" + codigo() + ")");
    gravarOsTextos();
    EXPECT_EQ(a_->Excluir(), 3);
    EXPECT_EQ(a_->get_DescricaoDaFalha(),
              "O animal 'Rex' não pode ser excluído porque esta sendo utilizada na tabela de 'Exames'.\r\n\r\n"
              "Se não deseja mais utilizar, altere a 'Situação' do animal para 'Inativo'.");
    EXPECT_EQ(gravacao().contar(" SELECT COUNT(*)"), 3u) << "the counts stop at the first table with rows";
    EXPECT_EQ(gravacao().contar("DELETE"), 0u);
    EXPECT_EQ(restantes(), 1);
}

TEST_F(Exclusao, EnginesRefusalFromAnotherTableBecomesResultThree) {
    // A table outside the eleven that the counts do not know, with the engine's foreign key.
    ASSERT_TRUE(testing_support::runDirectly(caminhoDoBanco(),
        "CREATE TABLE \"Internacoes\" (\"Codigo\" INTEGER PRIMARY KEY, \"CodigoDoAnimal\" INTEGER REFERENCES "
        "\"Animais\" (\"Codigo\")); INSERT INTO \"Internacoes\" VALUES (1, " + codigo() + ");"));
    EXPECT_EQ(a_->Excluir(), 3) << a_->get_NumeroDoErro() << " " << a_->get_DescricaoDoErro();
    EXPECT_EQ(a_->get_DescricaoDaFalha(), MensagemDoBanco);
    EXPECT_EQ(a_->get_NumeroDoErro(), 0) << "the error fields are not written on this path";
    EXPECT_EQ(a_->get_LocalDoErro(), "");
    EXPECT_EQ(restantes(), 1);
}

TEST_F(Exclusao, FailuresOfTheCountsAndOfTheDeletion) {
    sql("INSERT INTO Agendamentos (CodigoDoAnimal) VALUES (" + codigo() + ")");
    ASSERT_EQ(a_->Excluir(), 3);
    const std::string anterior = a_->get_DescricaoDaFalha();
    sql("DELETE * FROM Agendamentos");
    struct Caso { const char* trecho; int32_t numero, contexto; int16_t resultado; std::string falha, local; };
    for (const Caso& k : std::vector<Caso>{
             // The provider's general failure with another help context keeps the previous message.
             {"DELETE", -2147467259, 5003218, 3, anterior, ""},
             {"DELETE", -2147467259, 5003000, 3, MensagemDoBanco, ""},
             {"DELETE", -2147217865, 0, 1, MensagemDoBanco, "ZELT_N_ClientAnim, clsAnimais, Excluir, Ponto: 5"},
             {"FROM Medicacoes", -2147217865, 0, 1, MensagemDoBanco,
              "ZELT_N_ClientAnim, clsAnimais, ValidarDados, Ponto: 8"}}) {
        SCOPED_TRACE(k.local);
        gravarOsTextos();
        gravacao().falharNoTrecho(k.trecho, RuntimeError(k.numero, "Falha.", k.contexto));
        EXPECT_EQ(a_->Excluir(), k.resultado);
        EXPECT_EQ(a_->get_DescricaoDaFalha(), k.falha);
        EXPECT_EQ(a_->get_NumeroDoErro(), k.resultado == 1 ? k.numero : 0);
        EXPECT_EQ(a_->get_LocalDoErro(), k.local);
        EXPECT_EQ(restantes(), 1);
    }
}

}  // namespace
}  // namespace teste
