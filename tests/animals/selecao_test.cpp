// Selecionar against rows written through the class: each filter, the order, the empty result,
// paging, refused arguments and a search value with a quote.
#include "ambiente.hpp"

namespace teste {
namespace {

using Nomes = std::vector<std::string>;

class Selecao : public Ambiente {
protected:
    void SetUp() override {
        Ambiente::SetUp();
        ana_ = inserirCliente("Ana");
        bia_ = inserirCliente("Bia");
        rex_ = inserirAnimal(ana_, "Rex", false, 1, "15/05/2019", "A-77");
        mia_ = inserirAnimal(ana_, "Mia", false, 1, "12/05/2020");
        inserirAnimal(ana_, "Tom", false, 1, "20/06/2018");
        inserirAnimal(ana_, "Bob", true, 1);
        inserirAnimal(bia_, "Zeca", false, 2, "10/05/2015");
        inserirAnimal(bia_, "O'Brien", false, 1);
        incluidoEm(rex_, "10/03/2024 08:00:00");
        incluidoEm(mia_, "31/03/2024 23:30:00");
        sql("UPDATE Animais SET DataEHoraDaInclusao='01/04/2024 00:00:00' WHERE Nome='Tom'");
        a_ = animal(0, "");
    }
    void incluidoEm(double codigo, const std::string& quando) {
        sql("UPDATE Animais SET DataEHoraDaInclusao='" + quando + "' WHERE Codigo=" + Variant(codigo).toText());
    }
    // The names that a complete list with these arguments finds.
    Nomes nomes(int16_t situacao, const Variant& busca, int16_t vivoOuMorto, double dono = 0,
                const std::string& inicial = "", const std::string& final_ = "", int16_t tipoDeData = 0) {
        const int16_t r = a_->Selecionar(ListaCompleta, 0, situacao, busca, vivoOuMorto, dono, inicial, final_, tipoDeData);
        EXPECT_EQ(r, 0) << a_->get_DescricaoDoErro() << " / " << a_->get_LocalDoErro();
        return coluna(a_->get_ResultadoDaSelecaoEmRecordset(), "Nome");
    }

    double ana_ = 0, bia_ = 0, rex_ = 0, mia_ = 0;
    Ref<clsAnimais> a_;
};

TEST_F(Selecao, StatusAndLivingOrDead) {
    EXPECT_EQ(nomes(1, Variant(), 3), (Nomes{"Bob", "Mia", "O’Brien", "Rex", "Tom"}));
    EXPECT_EQ(nomes(2, Variant(), 3), (Nomes{"Zeca"}));
    EXPECT_EQ(nomes(0, Variant(), 3), (Nomes{"Bob", "Mia", "O’Brien", "Rex", "Tom", "Zeca"}));
    EXPECT_EQ(nomes(0, Variant(), 1), (Nomes{"Mia", "O’Brien", "Rex", "Tom", "Zeca"}));
    EXPECT_EQ(nomes(0, Variant(), 2), (Nomes{"Bob"}));
}

TEST_F(Selecao, RowCarriesTheAnimalAndItsOwner) {
    ASSERT_EQ(nomes(0, Variant(rex_), 3), (Nomes{"Rex"}));
    auto rs = a_->get_ResultadoDaSelecaoEmRecordset();
    EXPECT_EQ(rs->fieldCount(), 37);
    EXPECT_EQ(rs->fieldDef(36).name, "TiposECanaisDeComunicacao");
    EXPECT_EQ((*rs)(std::string_view("Sexo")).toText(), "Macho");
    EXPECT_EQ((*rs)(std::string_view("DataDeNascimento")).toText(), "15/05/2019");
    EXPECT_EQ((*rs)(std::string_view("NomeDaSituacao")).toText(), "Ativo");
    EXPECT_EQ((*rs)(std::string_view("NomeOuRazaoSocial")).toText(), "Ana da Silva");
    EXPECT_EQ((*rs)(std::string_view("UsuarioDaInclusao")).toText(), "maria");
}

TEST_F(Selecao, ColumnsAreTheThirtySevenInTheirOrder) {
    ASSERT_EQ(nomes(0, Variant(), 3).size(), 6u);
    auto rs = a_->get_ResultadoDaSelecaoEmRecordset();
    std::vector<std::string> colunas;
    for (int i = 0; i < rs->fieldCount(); ++i) colunas.push_back(rs->fieldDef(i).name);
    EXPECT_EQ(colunas,
              (Nomes{"CodigoDoAnimal", "Nome", "Sexo", "CodigoDaEspecie", "NomeDaEspecie", "CodigoDaRaca", "NomeDaRaca",
                     "Porte", "Cor", "DataDeNascimento", "RGA", "Microchip", "Pedigree", "AnimalMorto", "Observacao",
                     "Situacao", "NomeDaSituacao", "DataEHoraDaInclusao", "UsuarioDaInclusao", "DataEHoraDaAlteracao",
                     "UsuarioDaAlteracao", "CodigoDoCliente", "ApelidoOuNomeFantasia", "NomeOuRazaoSocial",
                     "SituacaoDoCliente", "VIP", "CategoriaDaCurvaABC", "Logradouro", "Numero", "Complemento", "Bairro",
                     "CEP", "Cidade", "UF", "EnderecoCompleto", "EnderecoCompletoComCEP", "TiposECanaisDeComunicacao"}));
}

TEST_F(Selecao, OwnersAddressAndContactsAreComposedWithoutBlankParts) {
    sql("UPDATE Clientes SET TipoDeLogradouro='Rua', Logradouro='Augusta', Numero='100', Complemento='   ', "
        "Bairro='Consolação', CEP='01305000', Cidade='São Paulo', UF='SP', "
        "TipoDeCanalDeComunicacao1='Email', CanalDeComunicacao1='ana@exemplo.com.br', "
        "TipoDeCanalDeComunicacao2='Fixo', CanalDeComunicacao2=' ', "
        "TipoDeCanalDeComunicacao3='Celular', CanalDeComunicacao3='(11) 98765-4321', "
        "TipoDeCanalDeComunicacao4='Recado', CanalDeComunicacao4='3333-4444' WHERE Codigo=" + Variant(ana_).toText());
    ASSERT_EQ(nomes(0, Variant(rex_), 3), (Nomes{"Rex"}));
    auto rs = a_->get_ResultadoDaSelecaoEmRecordset();
    auto valor = [&](const char* nome) { return (*rs)(std::string_view(nome)).toText(); };
    EXPECT_EQ(valor("EnderecoCompleto"), "Rua Augusta, 100 - Consolação - São Paulo / SP");
    EXPECT_EQ(valor("EnderecoCompletoComCEP"), "Rua Augusta, 100 - Consolação - CEP:01305-000 - São Paulo / SP");
    EXPECT_EQ(valor("TiposECanaisDeComunicacao"),
              "Email ana@exemplo.com.br Celular (11) 98765-4321 Recado 3333-4444");
    EXPECT_EQ(valor("CEP"), "01305-000");
    EXPECT_EQ(valor("VIP"), "Não");
    EXPECT_EQ(valor("Pedigree"), "Não");
    EXPECT_EQ(valor("AnimalMorto"), "Não");

    ASSERT_EQ(nomes(0, Variant(), 3, bia_), (Nomes{"O’Brien", "Zeca"}));
    rs = a_->get_ResultadoDaSelecaoEmRecordset();
    EXPECT_EQ(valor("EnderecoCompleto"), "") << "an owner without address";
    EXPECT_EQ(valor("CEP"), "");
    EXPECT_EQ(valor("TiposECanaisDeComunicacao"), "");
}

// What follows the column list, for argument sets whose only trace is the statement's text.
class TextoDaSelecao : public Selecao {
protected:
    std::string depoisDasColunas(int16_t situacao, const Variant& busca, int16_t vivoOuMorto, double dono = 0,
                                 const std::string& inicial = "", const std::string& final_ = "", int16_t tipoDeData = 0) {
        gravarOsTextos();
        EXPECT_EQ(a_->Selecionar(ListaPaginada, 10, situacao, busca, vivoOuMorto, dono, inicial, final_, tipoDeData), 0)
            << a_->get_DescricaoDoErro();
        const std::string& texto = gravacao().ultimoQueComeca("          SELECT ");
        EXPECT_EQ(texto.rfind("          SELECT    IIF(IsNull(Animais.Codigo), 0, Animais.Codigo) AS CodigoDoAnimal, ", 0), 0u);
        const std::string fimDasColunas = " AS TiposECanaisDeComunicacao ";
        const size_t fim = texto.find(fimDasColunas);
        return fim == std::string::npos ? texto : texto.substr(fim + fimDasColunas.size());
    }
    static std::string de(const std::string& onde) {
        return "FROM      ((Animais INNER JOIN Clientes ON Animais.CodigoDoCliente = Clientes.Codigo) INNER JOIN "
               "EspeciesDeAnimais ON Animais.CodigoDaEspecie = EspeciesDeAnimais.Codigo) INNER JOIN RacasDeAnimais ON "
               "Animais.CodigoDaRaca = RacasDeAnimais.Codigo WHERE " + onde;
    }
    std::string ana() const { return Variant(ana_).toText(); }
    std::string rex() const { return Variant(rex_).toText(); }
};

TEST_F(TextoDaSelecao, NameSearchOfOneOwner) {
    EXPECT_EQ(depoisDasColunas(1, Variant("Rex"), 1, ana_),
              de("   Animais.Situacao=1 AND    Animais.AnimalMorto = False  AND (Animais.Nome LIKE '%Rex%'  OR "
                 "Animais.Microchip LIKE '%Rex%')  AND Animais.CodigoDoCliente = " + ana() +
                 " ORDER BY    Animais.Nome ASC;"));
    EXPECT_EQ(a_->get_ResultadoDaSelecaoEmRecordset()->get_PageSize(), 10);
}

TEST_F(TextoDaSelecao, CodeSearchWithBirthdayArgumentsOrdersByDayAndMonth) {
    EXPECT_EQ(depoisDasColunas(0, Variant(rex_), 3, 0, "10/05/2024", "20/05/2024", 3),
              de("   (Animais.Situacao=1 OR Animais.Situacao=2) AND (Animais.AnimalMorto = False  OR "
                 "Animais.AnimalMorto = True)  AND (Animais.Codigo = " + rex() + "  OR Animais.Microchip LIKE '%" +
                 rex() + "%') ORDER BY    Day(Animais.DataDeNascimento) , Month(Animais.DataDeNascimento) ASC;"));
}

TEST_F(TextoDaSelecao, BirthdaysOfDeadInactiveAnimals) {
    EXPECT_EQ(depoisDasColunas(2, Variant(), 2, 0, "10/05/2024", "20/06/2024", 3),
              de("   Animais.Situacao=2 AND    Animais.AnimalMorto = True  AND ((Day(Animais.DataDeNascimento)>=10 AND "
                 "Day(Animais.DataDeNascimento)<= 20) AND (Month(Animais.DataDeNascimento)>= 05 AND "
                 "Month(Animais.DataDeNascimento)<=06)) ORDER BY    Day(Animais.DataDeNascimento) , "
                 "Month(Animais.DataDeNascimento) ASC;"));
    EXPECT_EQ(a_->get_DescricaoDaFalha(), MensagemNenhumAnimal);
}

TEST_F(TextoDaSelecao, InclusionPeriodOfOneOwner) {
    EXPECT_EQ(depoisDasColunas(0, Variant(0.0), 3, ana_, "01/03/2024", "31/03/2024", 2),
              de("   (Animais.Situacao=1 OR Animais.Situacao=2) AND (Animais.AnimalMorto = False  OR "
                 "Animais.AnimalMorto = True)  AND Animais.DataEHoraDaInclusao Between #03/01/2024 00:00:00# AND "
                 "#03/31/2024 23:59:59#  AND Animais.CodigoDoCliente = " + ana() + " ORDER BY    Animais.Nome ASC;"));
}

TEST_F(Selecao, NumericSearchFindsTheCodeOrMicrochipDigits) {
    sql("UPDATE Animais SET Microchip='90" + Variant(mia_).toText() + "1' WHERE Nome='Tom'");
    EXPECT_EQ(nomes(0, Variant(mia_), 3), (Nomes{"Mia", "Tom"}));
    EXPECT_EQ(nomes(0, Variant(Variant(mia_).toText()), 3), (Nomes{"Mia", "Tom"}));
}

TEST_F(Selecao, SearchByCodeNameOrMicrochip) {
    EXPECT_EQ(nomes(0, Variant(mia_), 3), (Nomes{"Mia"}));
    EXPECT_EQ(nomes(0, Variant(Variant(mia_).toText()), 3), (Nomes{"Mia"})) << "a numeric text searches the code";
    EXPECT_EQ(nomes(0, Variant("rEx"), 3), (Nomes{"Rex"}));
    EXPECT_EQ(nomes(0, Variant("77"), 3), (Nomes{"Rex"})) << "digits search the microchip too";
    EXPECT_EQ(nomes(0, Variant("e"), 3, bia_), (Nomes{"O’Brien", "Zeca"}));
    EXPECT_EQ(nomes(0, Variant("Rex"), 3, 0, "01/04/2024", "30/04/2024", 2), (Nomes{"Rex"}))
        << "a search value leaves the dates out";
}

TEST_F(Selecao, SearchWithAQuoteFindsTheTreatedName) {
    EXPECT_EQ(nomes(0, Variant("O'Brien"), 3), (Nomes{"O’Brien"}));
    EXPECT_EQ(nomes(0, Variant("'; DELETE * FROM Animais; --"), 3), Nomes{});
    EXPECT_EQ(numero("SELECT COUNT(*) FROM Animais"), 6);
}

TEST_F(Selecao, InclusionRangeTakesBothWholeDays) {
    gravarOsTextos();
    EXPECT_EQ(nomes(0, Variant(), 3, 0, "01/03/2024", "31/03/2024", 2), (Nomes{"Mia", "Rex"}));
    EXPECT_NE(gravacao().ultimoQueComeca("          SELECT ")
                  .find(" AND Animais.DataEHoraDaInclusao Between #03/01/2024 00:00:00# AND #03/31/2024 23:59:59# "),
              std::string::npos);
    EXPECT_EQ(nomes(0, Variant(""), 3, 0, "01/04/2024", "01/04/2024", 2), (Nomes{"Tom"}));
    EXPECT_EQ(nomes(0, Variant(0.0), 3, 0, "   ", "01/04/2024", 2).size(), 6u) << "no start date: no condition";
}

TEST_F(Selecao, BirthdaysBoundDayAndMonthAndOrderByDay) {
    EXPECT_EQ(nomes(0, Variant(), 3, 0, "10/05/2024", "20/05/2024", 3), (Nomes{"Zeca", "Mia", "Rex"}));
    EXPECT_EQ(nomes(0, Variant(), 3, 0, "25/05/2024", "05/06/2024", 3), Nomes{});
    EXPECT_EQ(a_->get_DescricaoDaFalha(), MensagemNenhumAnimal);
}

TEST_F(Selecao, OwnerCondition) {
    EXPECT_EQ(nomes(0, Variant(), 3, bia_), (Nomes{"O’Brien", "Zeca"}));
    EXPECT_EQ(nomes(1, Variant(), 1, ana_), (Nomes{"Mia", "Rex", "Tom"}));
}

TEST_F(Selecao, EmptyResultIsStoredWithItsMessage) {
    EXPECT_EQ(nomes(0, Variant(), 3).size(), 6u);
    EXPECT_EQ(a_->Selecionar(ListaCompleta, 0, 0, Variant("Ninguém"), 3), 0);
    auto rs = a_->get_ResultadoDaSelecaoEmRecordset();
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->get_RecordCount(), 0);
    EXPECT_EQ(a_->get_DescricaoDaFalha(), "Nenhum animal encontrado com as especificações informadas.");
}

TEST_F(Selecao, PagedListIsPagedThroughTheClass) {
    ASSERT_EQ(a_->Selecionar(ListaPaginada, 2, 0, Variant(), 3), 0);
    auto rs = a_->get_ResultadoDaSelecaoEmRecordset();
    EXPECT_EQ(rs->get_PageSize(), 2);
    rs->put_AbsolutePage(2);
    Variant pagina;
    ASSERT_EQ(a_->PaginarResultadoDaSelecaoEmRecordset(2, pagina), 0) << a_->get_DescricaoDoErro();
    auto copia = refCast<ado::Recordset>(pagina.toObject());
    EXPECT_EQ(coluna(copia, "Nome"), (Nomes{"O’Brien", "Rex"}));
    EXPECT_EQ(rs->get_AbsolutePage(), 2);
}

TEST_F(Selecao, OutOfRangeArgumentsAreRefusedBeforeTheDatabase) {
    ASSERT_EQ(nomes(0, Variant(), 3).size(), 6u);
    auto anterior = a_->get_ResultadoDaSelecaoEmRecordset();
    gravarOsTextos();
    EXPECT_EQ(a_->Selecionar(ListaCompleta, 0, 7, Variant(), 3), 1);
    EXPECT_EQ(a_->get_NumeroDoErro(), 5);
    EXPECT_EQ(a_->get_DescricaoDoErro(),
              "O argumento lintSituacaoParaFiltro recebeu 7; os valores aceitos são 0 (todas as situações), 1 (ativos) e 2 (inativos).");
    EXPECT_EQ(a_->get_LocalDoErro(), "ZELT_N_ClientAnim, clsAnimais, Selecionar, Ponto: 3");
    EXPECT_EQ(a_->Selecionar(ListaCompleta, 0, 0, Variant()), 1);
    EXPECT_EQ(a_->get_DescricaoDoErro(),
              "O argumento lintAnimalVivoOuMorto recebeu 0; os valores aceitos são 1 (vivos), 2 (mortos) e 3 (ambos).");
    EXPECT_EQ(gravacao().textos.size(), 0u);
    EXPECT_TRUE(a_->get_ResultadoDaSelecaoEmRecordset() == anterior) << "the last result stays";
}

TEST_F(Selecao, DatesThatAreNoDatesAreRefused) {
    EXPECT_EQ(a_->Selecionar(ListaCompleta, 0, 0, Variant(), 3, 0, "31/02/2024", "31/03/2024", 2), 1);
    EXPECT_EQ(a_->get_NumeroDoErro(), 13);
    EXPECT_EQ(a_->get_LocalDoErro(), "ZELT_N_ClientAnim, clsAnimais, Selecionar, Ponto: 3");
    EXPECT_EQ(a_->Selecionar(ListaCompleta, 0, 0, Variant(), 3, 0, "1) OR (1=1/05", "20/05/2024", 3), 1);
    EXPECT_EQ(a_->get_NumeroDoErro(), 13);
    EXPECT_EQ(a_->Selecionar(ListaCompleta, 0, 0, Variant(), 3, 0, "10/05/2024", "", 3), 1);
}

}  // namespace
}  // namespace teste
