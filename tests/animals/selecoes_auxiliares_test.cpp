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
        inserirAnimal(ana_, "Tom");
        inserirAnimal(ana_, "Rex");
        inserirAnimal(ana_, "Mia");
        inserirAnimal(ana_, "Bob", true);
        inserirAnimal(ana_, "Lulu", false, 2);
        inserirAnimal(bia_, "Zeca");
        inserirAnimal(caio_, "Fido", false, 2);
        sql("UPDATE Animais SET DataEHoraDaInclusao='05/01/2023 10:00:00' WHERE Nome='Zeca'");
        a_ = animal(0, "");
    }
    double ana_ = 0, bia_ = 0, caio_ = 0;
    Ref<clsAnimais> a_;
};

TEST_F(Auxiliares, DropDownListsActiveAnimalsByName) {
    ASSERT_EQ(a_->SelecionarParaComboBoxFiltradoPorCliente(0, 1), 0);
    auto rs = a_->get_ResultadoDaSelecaoEmRecordset();
    EXPECT_EQ(coluna(rs, "Nome"), (Nomes{"Mia", "Rex", "Tom", "Zeca"}));
    EXPECT_EQ(rs->fieldCount(), 2);
    ASSERT_EQ(a_->SelecionarParaComboBoxFiltradoPorCliente(ana_, 3), 0);
    EXPECT_EQ(coluna(a_->get_ResultadoDaSelecaoEmRecordset(), "Nome"), (Nomes{"Bob", "Mia", "Rex", "Tom"}));
    ASSERT_EQ(a_->SelecionarParaComboBoxFiltradoPorCliente(ana_, 2), 0);
    EXPECT_EQ(coluna(a_->get_ResultadoDaSelecaoEmRecordset(), "Nome"), (Nomes{"Bob"}));
}

TEST_F(Auxiliares, DropDownStatementText) {
    gravarOsTextos();
    ASSERT_EQ(a_->SelecionarParaComboBoxFiltradoPorCliente(ana_, 1), 0);
    EXPECT_EQ(gravacao().ultimoQueComeca("          SELECT "),
              "          SELECT    Animais.Codigo,    Animais.Nome FROM    Animais WHERE    Animais.Situacao = 1 AND    "
              "Animais.AnimalMorto = False AND    Animais.CodigoDoCliente = " + Variant(ana_).toText() +
                  " ORDER BY    Animais.Nome ASC;");
    ASSERT_EQ(a_->SelecionarParaComboBoxFiltradoPorCliente(0, 3), 0);
    EXPECT_EQ(gravacao().ultimoQueComeca("          SELECT "),
              "          SELECT    Animais.Codigo,    Animais.Nome FROM    Animais WHERE    Animais.Situacao = 1 AND "
              "(Animais.AnimalMorto = False  OR Animais.AnimalMorto = True) ORDER BY    Animais.Nome ASC;");
    EXPECT_EQ(coluna(a_->get_ResultadoDaSelecaoEmRecordset(), "Nome"), (Nomes{"Bob", "Mia", "Rex", "Tom", "Zeca"}));
}

TEST_F(Auxiliares, DropDownOfAClientWithoutActiveAnimalsIsEmpty) {
    ASSERT_EQ(a_->SelecionarParaComboBoxFiltradoPorCliente(caio_, 1), 0);
    EXPECT_EQ(a_->get_ResultadoDaSelecaoEmRecordset()->get_RecordCount(), 0);
    EXPECT_EQ(a_->get_DescricaoDaFalha(), MensagemNenhumAnimal);
}

TEST_F(Auxiliares, DropDownRefusesAnOmittedLivingOrDead) {
    EXPECT_EQ(a_->SelecionarParaComboBoxFiltradoPorCliente(ana_), 1);
    EXPECT_EQ(a_->get_NumeroDoErro(), 5);
    EXPECT_EQ(a_->get_LocalDoErro(), "ZELT_N_ClientAnim, clsAnimais, SelecionarParaComboBoxFiltradoPorCliente, Ponto: 3");
}

TEST_F(Auxiliares, PrintListLeavesEveryAnimalInTheResult) {
    ASSERT_EQ(a_->SelecionarParaImpressaoEExportacao(0), 0) << a_->get_DescricaoDoErro();
    auto rs = a_->get_ResultadoDaSelecaoEmRecordset();
    EXPECT_EQ(rs->fieldCount(), 19);
    EXPECT_EQ(coluna(rs, "Nome"), (Nomes{"Bob", "Fido", "Lulu", "Mia", "Rex", "Tom", "Zeca"}));
    EXPECT_EQ(coluna(rs, "AnimalMorto").front(), "Sim");
}

TEST_F(Auxiliares, PrintListColumnsAndStatementText) {
    gravarOsTextos();
    ASSERT_EQ(a_->SelecionarParaImpressaoEExportacao(0, 2, "", "01/01/2023", "31/01/2023"), 0);
    const std::string& texto = gravacao().ultimoQueComeca("SELECT ");
    EXPECT_EQ(texto.rfind("SELECT Animais.Codigo, Animais.Nome, Animais.Sexo, Clientes.Codigo AS CodigoDoCliente, ", 0), 0u);
    const std::string fimDasColunas = " AS DataEHoraDaAlteracao ";
    const size_t fim = texto.find(fimDasColunas);
    ASSERT_NE(fim, std::string::npos);
    EXPECT_EQ(texto.substr(fim + fimDasColunas.size()),
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
}

TEST_F(Auxiliares, PrintListByPeriodOfInclusion) {
    ASSERT_EQ(a_->SelecionarParaImpressaoEExportacao(0, 2, "", "01/01/2023", "31/01/2023"), 0);
    EXPECT_EQ(coluna(a_->get_ResultadoDaSelecaoEmRecordset(), "Nome"), (Nomes{"Zeca"}));
    ASSERT_EQ(a_->SelecionarParaImpressaoEExportacao(0, 1, "", "01/01/2023", "31/01/2023"), 0);
    EXPECT_EQ(coluna(a_->get_ResultadoDaSelecaoEmRecordset(), "Nome").size(), 7u) << "only option 2 limits the period";
    ASSERT_EQ(a_->SelecionarParaImpressaoEExportacao(0, 2, "", "01/01/2020", "31/01/2020"), 0);
    EXPECT_EQ(a_->get_DescricaoDaFalha(), MensagemNenhumAnimal);
    EXPECT_EQ(a_->SelecionarParaImpressaoEExportacao(0, 2, "", "", ""), 1);
    EXPECT_EQ(a_->get_NumeroDoErro(), 13);
}

TEST_F(Auxiliares, PrintListOrderTextGoesIntoTheStatementUnchanged) {
    sql("UPDATE Animais SET DataDeNascimento='10/10/2010' WHERE Nome='Tom'");
    sql("UPDATE Animais SET DataDeNascimento='10/10/2000' WHERE Nome='Bob'");
    sql("UPDATE Clientes SET Cidade='Santos' WHERE ApelidoOuNomeFantasia='Ana'");
    sql("UPDATE Clientes SET Cidade='Belém' WHERE ApelidoOuNomeFantasia='Bia'");
    gravarOsTextos();
    ASSERT_EQ(a_->SelecionarParaImpressaoEExportacao(0, 0, "Clientes.NomeOuRazaoSocial"), 0) << a_->get_DescricaoDoErro();
    const std::string& texto = gravacao().ultimoQueComeca("SELECT ");
    const std::string fim = "ORDER BY Clientes.NomeOuRazaoSocial ASC;";
    EXPECT_EQ(texto.substr(texto.size() - fim.size()), fim);
    EXPECT_EQ(coluna(a_->get_ResultadoDaSelecaoEmRecordset(), "Cliente").front(), "Ana da Silva");

    // No names: the database refuses the statement, and nothing else happens.
    struct Caso { std::string ordem; Nomes nomes; };
    for (const Caso& k : std::vector<Caso>{
             {"Animais.Situacao DESC, Animais.Nome", {"Fido", "Lulu", "Bob", "Mia", "Rex", "Tom", "Zeca"}},
             {"Clientes.Cidade, Animais.Nome", {"Fido", "Zeca", "Bob", "Lulu", "Mia", "Rex", "Tom"}},
             {"[Animais].[Nome]", {"Bob", "Fido", "Lulu", "Mia", "Rex", "Tom", "Zeca"}},
             {"Year(Animais.DataDeNascimento), Animais.Nome", {"Fido", "Lulu", "Mia", "Rex", "Zeca", "Bob", "Tom"}},
             {"Cliente DESC, Animais.Nome", {"Fido", "Zeca", "Bob", "Lulu", "Mia", "Rex", "Tom"}},
             {"Nome; DELETE * FROM Animais", {}},
             {"NaoExiste", {}},
             {"   ", {}},
             {"Animais.Nome,", {}}}) {
        const int16_t r = a_->SelecionarParaImpressaoEExportacao(0, 0, k.ordem);
        if (k.nomes.empty()) {
            EXPECT_EQ(r, 1) << k.ordem;
            EXPECT_EQ(a_->get_LocalDoErro(), "ZELT_N_ClientAnim, clsAnimais, SelecionarParaImpressaoEExportacao, Ponto: 4");
        } else {
            ASSERT_EQ(r, 0) << k.ordem << ": " << a_->get_DescricaoDoErro();
            EXPECT_EQ(coluna(a_->get_ResultadoDaSelecaoEmRecordset(), "Nome"), k.nomes) << k.ordem;
        }
    }
    EXPECT_EQ(numero("SELECT COUNT(*) FROM Animais"), 7);
}

TEST_F(Auxiliares, OneLineListOfLivingActiveAnimals) {
    std::string lista = "antes";
    ASSERT_EQ(a_->SelecionarAnimaisEmUmUnicoRegistro(ana_, lista), 0);
    EXPECT_EQ(lista, "Mia, Rex e Tom");
    ASSERT_EQ(a_->SelecionarAnimaisEmUmUnicoRegistro(bia_, lista), 0);
    EXPECT_EQ(lista, "Zeca");
    ASSERT_EQ(a_->SelecionarAnimaisEmUmUnicoRegistro(caio_, lista), 0);
    EXPECT_EQ(lista, "");
    inserirAnimal(bia_, "Amora");
    ASSERT_EQ(a_->SelecionarAnimaisEmUmUnicoRegistro(bia_, lista), 0);
    EXPECT_EQ(lista, "Amora e Zeca");
}

TEST_F(Auxiliares, OneLineListStatementText) {
    gravarOsTextos();
    std::string lista;
    ASSERT_EQ(a_->SelecionarAnimaisEmUmUnicoRegistro(ana_, lista), 0);
    EXPECT_EQ(gravacao().ultimoQueComeca("SELECT"),
              "SELECT   IIF(IsNull(Animais.Nome), '', Animais.Nome) AS Nome FROM    Animais WHERE    "
              "Animais.CodigoDoCliente =  " + Variant(ana_).toText() +
                  " AND     Animais.AnimalMorto = False AND     Animais.Situacao = 1 ORDER BY    Animais.Nome ASC;");
}

TEST_F(Auxiliares, OneLineListKeepsTheCallersTextOnFailure) {
    gravarOsTextos();
    gravacao().antesDeExecutar = [](const std::string&) { throwError(-2147467259, "Banco ocupado.", 5003218); };
    std::string lista = "antes";
    EXPECT_EQ(a_->SelecionarAnimaisEmUmUnicoRegistro(ana_, lista), 1);
    EXPECT_EQ(lista, "antes");
    EXPECT_EQ(a_->get_LocalDoErro(), "ZELT_N_ClientAnim, clsAnimais, SelecionarAnimaisEmUmUnicoRegistro, Ponto: 4");
}

}  // namespace
}  // namespace teste
