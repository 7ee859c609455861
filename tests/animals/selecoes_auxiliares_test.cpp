// The drop-down list, the print and export list with its order text, and the one-line list.
#include "ambiente.hpp"

namespace teste {
namespace {

using Nomes = std::vector<std::string>;

class Auxiliares : public Ambiente {
protected:
    void SetUp() override {
        Ambiente::SetUp();
        ana_ = inserirCliente("Ana");
        bia_ = inserirCliente("Bia");
        caio_ = inserirCliente("Caio");
        for (const char* nome : {"Tom", "Rex", "Mia"}) inserirAnimal(ana_, nome);
        inserirAnimal(ana_, "Bob", true);
        inserirAnimal(ana_, "Lulu", false, 2);
        inserirAnimal(bia_, "Zeca");
        inserirAnimal(caio_, "Fido", false, 2);
        sql("UPDATE Animais SET DataEHoraDaInclusao='05/01/2023 10:00:00' WHERE Nome='Zeca'");
        a_ = animal(0, "");
    }
    Nomes nomes(const char* coluna = "Nome") { return testing_support::coluna(a_->get_ResultadoDaSelecaoEmRecordset(), coluna); }
    double ana_ = 0, bia_ = 0, caio_ = 0;
    Ref<clsAnimais> a_;
};

TEST_F(Auxiliares, DropDownListsActiveAnimalsByName) {
    const std::string inicio = "          SELECT    Animais.Codigo,    Animais.Nome FROM    Animais WHERE    Animais.Situacao = 1 AND ";
    const std::string fim = " ORDER BY    Animais.Nome ASC;";
    struct Caso { double dono; int16_t vivoOuMorto; Nomes nomes; std::string texto; };
    gravarOsTextos();
    for (const Caso& k : std::vector<Caso>{
             {0, 1, {"Mia", "Rex", "Tom", "Zeca"}, ""},
             {ana_, 3, {"Bob", "Mia", "Rex", "Tom"}, ""},
             {ana_, 2, {"Bob"}, ""},
             {caio_, 1, {}, ""},
             {ana_, 1, {"Mia", "Rex", "Tom"},
              inicio + "   Animais.AnimalMorto = False AND    Animais.CodigoDoCliente = " + Variant(ana_).toText() + fim},
             {0, 3, {"Bob", "Mia", "Rex", "Tom", "Zeca"},
              inicio + "(Animais.AnimalMorto = False  OR Animais.AnimalMorto = True)" + fim}}) {
        SCOPED_TRACE(std::to_string(k.dono) + " " + std::to_string(k.vivoOuMorto));
        ASSERT_EQ(a_->SelecionarParaComboBoxFiltradoPorCliente(k.dono, k.vivoOuMorto), 0);
        EXPECT_EQ(nomes(), k.nomes);
        EXPECT_EQ(a_->get_ResultadoDaSelecaoEmRecordset()->fieldCount(), 2);
        if (k.nomes.empty()) {
            EXPECT_EQ(a_->get_DescricaoDaFalha(), MensagemNenhumAnimal);
        }
        if (!k.texto.empty()) {
            EXPECT_EQ(gravacao().ultimoQueComeca("          SELECT "), k.texto);
        }
    }
    EXPECT_EQ(a_->SelecionarParaComboBoxFiltradoPorCliente(ana_), 1);  // living or dead omitted
    EXPECT_EQ(a_->get_NumeroDoErro(), 5);
    EXPECT_EQ(a_->get_LocalDoErro(), "ZELT_N_ClientAnim, clsAnimais, SelecionarParaComboBoxFiltradoPorCliente, Ponto: 3");
}

TEST_F(Auxiliares, PrintListColumnsStatementTextAndPeriod) {
    ASSERT_EQ(a_->SelecionarParaImpressaoEExportacao(0), 0) << a_->get_DescricaoDoErro();
    EXPECT_EQ(nomes(), (Nomes{"Bob", "Fido", "Lulu", "Mia", "Rex", "Tom", "Zeca"}));
    EXPECT_EQ(nomes("AnimalMorto").front(), "Sim");
    ASSERT_EQ(a_->SelecionarParaImpressaoEExportacao(0, 1, "", "01/01/2023", "31/01/2023"), 0);
    EXPECT_EQ(nomes().size(), 7u) << "only option 2 limits the period";

    gravarOsTextos();
    ASSERT_EQ(a_->SelecionarParaImpressaoEExportacao(0, 2, "", "01/01/2023", "31/01/2023"), 0);
    EXPECT_EQ(nomes(), (Nomes{"Zeca"}));
    const std::string& texto = gravacao().ultimoQueComeca("SELECT ");
    EXPECT_TRUE(texto.starts_with("SELECT Animais.Codigo, Animais.Nome, Animais.Sexo, Clientes.Codigo AS CodigoDoCliente, "));
    const std::string fimDasColunas = " AS DataEHoraDaAlteracao ";
    EXPECT_EQ(texto.substr(texto.find(fimDasColunas) + fimDasColunas.size()),
              "FROM ((Animais INNER JOIN Clientes ON Animais.CodigoDoCliente = Clientes.Codigo) INNER JOIN "
              "EspeciesDeAnimais ON Animais.CodigoDaEspecie = EspeciesDeAnimais.Codigo) INNER JOIN RacasDeAnimais ON "
              "Animais.CodigoDaRaca = RacasDeAnimais.Codigo  WHERE Animais.DataEHoraDaInclusao Between "
              "#01/01/2023 00:00:00# AND #01/31/2023 23:59:59# ORDER BY Animais.Nome ASC;");
    auto rs = a_->get_ResultadoDaSelecaoEmRecordset();
    std::vector<std::string> colunas;
    for (int i = 0; i < rs->fieldCount(); ++i) colunas.push_back(rs->fieldDef(i).name);
    EXPECT_EQ(colunas, (Nomes{"Codigo", "Nome", "Sexo", "CodigoDoCliente", "Cliente", "CodigoDaEspecie", "Especie",
                              "CodigoDaRaca", "Raca", "Porte", "DataDeNascimento", "Cor", "RGA", "Microchip", "Pedigree",
                              "AnimalMorto", "Observacao", "DataEHoraDaInclusao", "DataEHoraDaAlteracao"}));
    EXPECT_EQ((*rs)(std::string_view("Cliente")).toText(), "Bia da Silva");
    EXPECT_EQ((*rs)(std::string_view("DataEHoraDaInclusao")).toText(), "05/01/2023 10:00:00");

    ASSERT_EQ(a_->SelecionarParaImpressaoEExportacao(0, 2, "", "01/01/2020", "31/01/2020"), 0);
    EXPECT_EQ(a_->get_DescricaoDaFalha(), MensagemNenhumAnimal);
    EXPECT_EQ(a_->SelecionarParaImpressaoEExportacao(0, 2, "", "", ""), 1);
    EXPECT_EQ(a_->get_NumeroDoErro(), 13);
}

// The order text goes into the statement unchanged; the database refuses a bad one, and nothing else happens.
TEST_F(Auxiliares, PrintListOrderText) {
    sql("UPDATE Animais SET DataDeNascimento='10/10/2010' WHERE Nome='Tom'");
    sql("UPDATE Animais SET DataDeNascimento='10/10/2000' WHERE Nome='Bob'");
    sql("UPDATE Clientes SET Cidade='Santos' WHERE ApelidoOuNomeFantasia='Ana'");
    sql("UPDATE Clientes SET Cidade='Belém' WHERE ApelidoOuNomeFantasia='Bia'");
    gravarOsTextos();
    ASSERT_EQ(a_->SelecionarParaImpressaoEExportacao(0, 0, "Clientes.NomeOuRazaoSocial"), 0) << a_->get_DescricaoDoErro();
    EXPECT_TRUE(gravacao().ultimoQueComeca("SELECT ").ends_with("ORDER BY Clientes.NomeOuRazaoSocial ASC;"));
    EXPECT_EQ(nomes("Cliente").front(), "Ana da Silva");
    struct Caso { std::string ordem; Nomes nomes; };  // no names: refused
    for (const Caso& k : std::vector<Caso>{
             {"Animais.Situacao DESC, Animais.Nome", {"Fido", "Lulu", "Bob", "Mia", "Rex", "Tom", "Zeca"}},
             {"Clientes.Cidade, Animais.Nome", {"Fido", "Zeca", "Bob", "Lulu", "Mia", "Rex", "Tom"}},
             {"[Animais].[Nome]", {"Bob", "Fido", "Lulu", "Mia", "Rex", "Tom", "Zeca"}},
             {"Year(Animais.DataDeNascimento), Animais.Nome", {"Fido", "Lulu", "Mia", "Rex", "Zeca", "Bob", "Tom"}},
             {"Cliente DESC, Animais.Nome", {"Fido", "Zeca", "Bob", "Lulu", "Mia", "Rex", "Tom"}},
             {"Nome; DELETE * FROM Animais", {}}, {"NaoExiste", {}}, {"   ", {}}, {"Animais.Nome,", {}}}) {
        SCOPED_TRACE(k.ordem);
        const int16_t r = a_->SelecionarParaImpressaoEExportacao(0, 0, k.ordem);
        if (k.nomes.empty()) {
            EXPECT_EQ(r, 1);
            EXPECT_EQ(a_->get_LocalDoErro(), "ZELT_N_ClientAnim, clsAnimais, SelecionarParaImpressaoEExportacao, Ponto: 4");
        } else {
            ASSERT_EQ(r, 0) << a_->get_DescricaoDoErro();
            EXPECT_EQ(nomes(), k.nomes);
        }
    }
    EXPECT_EQ(numero("SELECT COUNT(*) FROM Animais"), 7);
}

TEST_F(Auxiliares, OneLineListOfLivingActiveAnimals) {
    inserirAnimal(bia_, "Amora");
    const double duda = inserirCliente("Duda");
    inserirAnimal(duda, "Nina");
    gravarOsTextos();
    for (const auto& [dono, esperado] : std::vector<std::pair<double, std::string>>{
             {ana_, "Mia, Rex e Tom"}, {bia_, "Amora e Zeca"}, {caio_, ""}, {duda, "Nina"}}) {
        std::string lista = "antes";
        ASSERT_EQ(a_->SelecionarAnimaisEmUmUnicoRegistro(dono, lista), 0);
        EXPECT_EQ(lista, esperado);
    }
    EXPECT_EQ(gravacao().textos.front(),
              "SELECT   IIF(IsNull(Animais.Nome), '', Animais.Nome) AS Nome FROM    Animais WHERE    "
              "Animais.CodigoDoCliente =  " + Variant(ana_).toText() +
                  " AND     Animais.AnimalMorto = False AND     Animais.Situacao = 1 ORDER BY    Animais.Nome ASC;");
    // A failure keeps the caller's text.
    gravacao().antesDeExecutar = [](const std::string&) { throwError(-2147467259, "Banco ocupado.", 5003218); };
    std::string lista = "antes";
    EXPECT_EQ(a_->SelecionarAnimaisEmUmUnicoRegistro(ana_, lista), 1);
    EXPECT_EQ(lista, "antes");
    EXPECT_EQ(a_->get_LocalDoErro(), "ZELT_N_ClientAnim, clsAnimais, SelecionarAnimaisEmUmUnicoRegistro, Ponto: 4");
}

}  // namespace
}  // namespace teste
