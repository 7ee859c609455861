// Selecionar and the auxiliary lists against rows written through the class: each filter, the order,
// the empty result, the statement texts, and refused arguments.
#include "ambiente.hpp"
#include "jet_translate/statements.hpp"

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
        inserirAnimal(ana_, "Tom", false, 1, "20/06/2018", "90" + Variant(mia_).toText() + "1");
        inserirAnimal(ana_, "Bob", true, 1);
        inserirAnimal(bia_, "Zeca", false, 2, "10/05/2015");
        inserirAnimal(bia_, "O'Brien", false, 1);
        for (const auto& [nome, quando] : std::vector<std::pair<std::string, std::string>>{
                 {"Rex", "10/03/2024 08:00:00"}, {"Mia", "31/03/2024 23:30:00"}, {"Tom", "01/04/2024 00:00:00"}})
            sql("UPDATE Animais SET DataEHoraDaInclusao='" + quando + "' WHERE Nome='" + nome + "'");
        a_ = animal(0, "");
    }
    // The names that a complete list with these arguments finds.
    Nomes nomes(int16_t situacao, const Variant& busca, int16_t vivoOuMorto, double dono = 0,
                const std::string& inicial = "", const std::string& final_ = "", int16_t tipoDeData = 0) {
        const int16_t r = a_->Selecionar(ListaCompleta, 0, situacao, busca, vivoOuMorto, dono, inicial, final_, tipoDeData);
        EXPECT_EQ(r, 0) << a_->get_DescricaoDoErro() << " / " << a_->get_LocalDoErro();
        return coluna(*a_, "Nome");
    }
    std::string valor(const char* coluna) { return (*a_->get_ResultadoDaSelecaoEmRecordset())(std::string_view(coluna)).toText(); }

    double ana_ = 0, bia_ = 0, rex_ = 0, mia_ = 0;
    Ref<clsAnimais> a_;
};

TEST_F(Selecao, WhatEachFilterFinds) {
    struct Caso { const char* nome; int16_t situacao; Variant busca; int16_t vivoOuMorto; double dono; std::string inicial, final_; int16_t tipoDeData; Nomes esperados; };
    const std::vector<Caso> casos{
        {"ativos", 1, Variant(), 3, 0, "", "", 0, {"Bob", "Mia", "O’Brien", "Rex", "Tom"}},
        {"inativos", 2, Variant(), 3, 0, "", "", 0, {"Zeca"}},
        {"vivos", 0, Variant(), 1, 0, "", "", 0, {"Mia", "O’Brien", "Rex", "Tom", "Zeca"}},
        {"mortos", 0, Variant(), 2, 0, "", "", 0, {"Bob"}},
        {"vivos ativos do dono", 1, Variant(), 1, ana_, "", "", 0, {"Mia", "Rex", "Tom"}},
        {"codigo ou microchip", 0, Variant(mia_), 3, 0, "", "", 0, {"Mia", "Tom"}},
        {"texto numerico busca o codigo", 0, Variant(Variant(mia_).toText()), 3, 0, "", "", 0, {"Mia", "Tom"}},
        {"nome sem caixa", 0, Variant("rEx"), 3, 0, "", "", 0, {"Rex"}},
        {"digitos do microchip", 0, Variant("77"), 3, 0, "", "", 0, {"Rex"}},
        {"busca no dono", 0, Variant("e"), 3, bia_, "", "", 0, {"O’Brien", "Zeca"}},
        {"busca deixa as datas", 0, Variant("Rex"), 3, 0, "01/04/2024", "30/04/2024", 2, {"Rex"}},
        {"aspas tratadas", 0, Variant("O'Brien"), 3, 0, "", "", 0, {"O’Brien"}},
        {"injecao", 0, Variant("'; DELETE * FROM Animais; --"), 3, 0, "", "", 0, {}},
        {"inclusao com os dois dias inteiros", 0, Variant(), 3, 0, "01/03/2024", "31/03/2024", 2, {"Mia", "Rex"}},
        {"inclusao de um dia", 0, Variant(""), 3, 0, "01/04/2024", "01/04/2024", 2, {"Tom"}},
        {"sem data inicial", 0, Variant(0.0), 3, 0, "   ", "01/04/2024", 2, {"Bob", "Mia", "O’Brien", "Rex", "Tom", "Zeca"}},
        {"aniversarios por dia", 0, Variant(), 3, 0, "10/05/2024", "20/05/2024", 3, {"Zeca", "Mia", "Rex"}},
        {"aniversarios fora", 0, Variant(), 3, 0, "25/05/2024", "05/06/2024", 3, {}}};
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nome);
        EXPECT_EQ(nomes(k.situacao, k.busca, k.vivoOuMorto, k.dono, k.inicial, k.final_, k.tipoDeData), k.esperados);
        if (k.esperados.empty()) { EXPECT_EQ(a_->get_DescricaoDaFalha(), MensagemNenhumAnimal); }
    }
    EXPECT_EQ(contar("Animais"), 6);
}

TEST_F(Selecao, RowsCarryTheAnimalAndItsOwnersComposedAddress) {
    sql("UPDATE Clientes SET TipoDeLogradouro='Rua', Logradouro='Augusta', Numero='100', Complemento='   ', "
        "Bairro='Consolação', CEP='01305000', Cidade='São Paulo', UF='SP', "
        "TipoDeCanalDeComunicacao1='Email', CanalDeComunicacao1='ana@exemplo.com.br', "
        "TipoDeCanalDeComunicacao2='Fixo', CanalDeComunicacao2=' ', "
        "TipoDeCanalDeComunicacao3='Celular', CanalDeComunicacao3='(11) 98765-4321', "
        "TipoDeCanalDeComunicacao4='Recado', CanalDeComunicacao4='3333-4444' WHERE Codigo=" + Variant(ana_).toText());
    ASSERT_EQ(nomes(0, Variant("Rex"), 3), (Nomes{"Rex"}));
    auto rs = a_->get_ResultadoDaSelecaoEmRecordset();
    Nomes colunas, esperadas;
    for (int i = 0; i < rs->fieldCount(); ++i) colunas.push_back(rs->fieldDef(i).name);
    for (std::string_view c : animais::colunasDaSelecao()) {  // "   expression AS Name, "
        c = c.substr(c.rfind(" AS ") + 4);
        esperadas.emplace_back(c.substr(0, c.find_first_of(", ")));
    }
    EXPECT_EQ(colunas, esperadas);
    for (const auto& [coluna, esperado] : std::vector<std::pair<const char*, std::string>>{
             {"Sexo", "Macho"}, {"DataDeNascimento", "15/05/2019"}, {"NomeDaSituacao", "Ativo"},
             {"NomeOuRazaoSocial", "Ana da Silva"}, {"UsuarioDaInclusao", "maria"}, {"CEP", "01305-000"},
             {"VIP", "Não"}, {"Pedigree", "Não"}, {"AnimalMorto", "Não"},
             {"EnderecoCompleto", "Rua Augusta, 100 - Consolação - São Paulo / SP"},
             {"EnderecoCompletoComCEP", "Rua Augusta, 100 - Consolação - CEP:01305-000 - São Paulo / SP"},
             {"TiposECanaisDeComunicacao", "Email ana@exemplo.com.br Celular (11) 98765-4321 Recado 3333-4444"}})
        EXPECT_EQ(valor(coluna), esperado) << coluna;
    // An owner without address or contacts.
    ASSERT_EQ(nomes(0, Variant(), 3, bia_), (Nomes{"O’Brien", "Zeca"}));
    for (const char* coluna : {"EnderecoCompleto", "CEP", "TiposECanaisDeComunicacao"}) EXPECT_EQ(valor(coluna), "") << coluna;
}

// The whole statement, for argument sets whose only trace is its text.
TEST_F(Selecao, StatementTexts) {
    const std::string ana = Variant(ana_).toText(), rex = Variant(rex_).toText();
    gravarOsTextos();
    for (const statements::AnimalSearch& k : std::vector<statements::AnimalSearch>{
             {1, 1, "Rex", ana, "", "", 0}, {0, 3, rex, "0", "10/05/2024", "20/05/2024", 3},
             {2, 2, "", "0", "10/05/2024", "20/06/2024", 3}, {0, 3, "", ana, "01/03/2024", "31/03/2024", 2}}) {
        SCOPED_TRACE(k.valor + " " + k.dataInicial);
        const Variant busca = k.valor.empty() ? Variant() : statements::numeric(k.valor) ? Variant(std::stod(k.valor)) : Variant(k.valor);
        ASSERT_EQ(a_->Selecionar(ListaPaginada, 7, k.situacao, busca, k.vivoOuMorto, std::stod(k.codigoDoCliente),
                                 k.dataInicial, k.dataFinal, k.tipoDeData), 0) << a_->get_DescricaoDoErro();
        EXPECT_EQ(gravacao().ultimoQueComeca("          SELECT "), statements::animalSelection(k));
        EXPECT_EQ(a_->get_ResultadoDaSelecaoEmRecordset()->get_PageSize(), 7);  // not the default 10
    }
}

// Refused before the database is asked, or by it; the last result stays, and the one-line list the caller's text.
TEST_F(Selecao, RefusedArguments) {
    ASSERT_EQ(nomes(0, Variant(), 3).size(), 6u);
    auto anterior = a_->get_ResultadoDaSelecaoEmRecordset();
    gravarOsTextos();
    gravacao().antesDeExecutar = [](const std::string&) { throwError(-2147467259, "Banco ocupado.", 5003218); };
    struct Caso { std::function<int16_t(clsAnimais&)> chamar; int32_t numero; std::string local, descricao = ""; };
    const auto selecionar = [](int16_t situacao, int16_t vivoOuMorto, std::string de, std::string ate, int16_t tipo) {
        return [=](clsAnimais& a) { return a.Selecionar(ListaCompleta, 0, situacao, Variant(), vivoOuMorto, 0, de, ate, tipo); };
    };
    for (const Caso& k : std::vector<Caso>{
             {selecionar(7, 3, "", "", 0), 5, "Selecionar, Ponto: 3", "O argumento lintSituacaoParaFiltro recebeu 7; os "
                                                                    "valores aceitos são 0 (todas as situações), 1 (ativos) e 2 (inativos)."},
             {selecionar(0, 0, "", "", 0), 5, "Selecionar, Ponto: 3", "O argumento lintAnimalVivoOuMorto recebeu 0; os "
                                                                    "valores aceitos são 1 (vivos), 2 (mortos) e 3 (ambos)."},
             {selecionar(0, 3, "31/02/2024", "31/03/2024", 2), 13, "Selecionar, Ponto: 3"},
             {selecionar(0, 3, "1) OR (1=1/05", "20/05/2024", 3), 13, "Selecionar, Ponto: 3"},
             {selecionar(0, 3, "10/05/2024", "", 3), 13, "Selecionar, Ponto: 3"},
             {[&](clsAnimais& a) { return a.SelecionarParaComboBoxFiltradoPorCliente(ana_); }, 5,  // living or dead omitted
              "SelecionarParaComboBoxFiltradoPorCliente, Ponto: 3"},
             {[](clsAnimais& a) { return a.SelecionarParaImpressaoEExportacao(0, 2, "", "", ""); }, 13,
              "SelecionarParaImpressaoEExportacao, Ponto: 3"},
             {[&](clsAnimais& a) {  // a failure keeps the caller's text
                  std::string lista = "antes";
                  const int16_t r = a.SelecionarAnimaisEmUmUnicoRegistro(ana_, lista);
                  EXPECT_EQ(lista, "antes");
                  return r;
              }, -2147467259, "SelecionarAnimaisEmUmUnicoRegistro, Ponto: 4"}}) {
        SCOPED_TRACE(k.local + " " + std::to_string(k.numero));
        EXPECT_EQ(k.chamar(*a_), 1);
        EXPECT_EQ(a_->get_NumeroDoErro(), k.numero);
        if (!k.descricao.empty()) { EXPECT_EQ(a_->get_DescricaoDoErro(), k.descricao); }
        EXPECT_EQ(a_->get_LocalDoErro(), "ZELT_N_ClientAnim, clsAnimais, " + k.local);
    }
    EXPECT_EQ(gravacao().textos.size(), 1u);  // only the one-line list reached the database
    EXPECT_TRUE(a_->get_ResultadoDaSelecaoEmRecordset() == anterior);
}

TEST_F(Selecao, DropDownListsActiveAnimalsByName) {
    const std::string inicio = "          SELECT    Animais.Codigo,    Animais.Nome FROM    Animais WHERE    Animais.Situacao = 1 AND ";
    const std::string fim = " ORDER BY    Animais.Nome ASC;";
    struct Caso { double dono; int16_t vivoOuMorto; Nomes nomes; std::string texto; };
    gravarOsTextos();
    for (const Caso& k : std::vector<Caso>{
             {0, 1, {"Mia", "O’Brien", "Rex", "Tom"}, ""}, {ana_, 2, {"Bob"}, ""}, {bia_, 2, {}, ""},
             {ana_, 1, {"Mia", "Rex", "Tom"}, inicio + "   Animais.AnimalMorto = False AND    Animais.CodigoDoCliente = " + Variant(ana_).toText() + fim},
             {0, 3, {"Bob", "Mia", "O’Brien", "Rex", "Tom"}, inicio + "(Animais.AnimalMorto = False  OR Animais.AnimalMorto = True)" + fim}}) {
        SCOPED_TRACE(std::to_string(k.dono) + " " + std::to_string(k.vivoOuMorto));
        ASSERT_EQ(a_->SelecionarParaComboBoxFiltradoPorCliente(k.dono, k.vivoOuMorto), 0);
        EXPECT_EQ(coluna(*a_, "Nome"), k.nomes);
        EXPECT_EQ(a_->get_ResultadoDaSelecaoEmRecordset()->fieldCount(), 2);
        if (k.nomes.empty()) { EXPECT_EQ(a_->get_DescricaoDaFalha(), MensagemNenhumAnimal); }
        if (!k.texto.empty()) { EXPECT_EQ(gravacao().ultimoQueComeca("          SELECT "), k.texto); }
    }
}

TEST_F(Selecao, PrintListColumnsStatementTextAndPeriod) {
    ASSERT_EQ(a_->SelecionarParaImpressaoEExportacao(0), 0) << a_->get_DescricaoDoErro();
    EXPECT_EQ(coluna(*a_, "Nome"), (Nomes{"Bob", "Mia", "O’Brien", "Rex", "Tom", "Zeca"}));
    EXPECT_EQ(coluna(*a_, "AnimalMorto").front(), "Sim");
    ASSERT_EQ(a_->SelecionarParaImpressaoEExportacao(0, 1, "", "01/04/2024", "30/04/2024"), 0);
    EXPECT_EQ(coluna(*a_, "Nome").size(), 6u) << "only option 2 limits the period";

    gravarOsTextos();
    ASSERT_EQ(a_->SelecionarParaImpressaoEExportacao(0, 2, "", "01/04/2024", "30/04/2024"), 0);
    EXPECT_EQ(coluna(*a_, "Nome"), (Nomes{"Tom"}));
    const std::string& texto = gravacao().ultimoQueComeca("SELECT ");
    EXPECT_TRUE(texto.starts_with("SELECT Animais.Codigo, Animais.Nome, Animais.Sexo, Clientes.Codigo AS CodigoDoCliente, "));
    const std::string fimDasColunas = " AS DataEHoraDaAlteracao ";
    EXPECT_EQ(texto.substr(texto.find(fimDasColunas) + fimDasColunas.size()),
              "FROM ((Animais INNER JOIN Clientes ON Animais.CodigoDoCliente = Clientes.Codigo) INNER JOIN "
              "EspeciesDeAnimais ON Animais.CodigoDaEspecie = EspeciesDeAnimais.Codigo) INNER JOIN RacasDeAnimais ON "
              "Animais.CodigoDaRaca = RacasDeAnimais.Codigo  WHERE Animais.DataEHoraDaInclusao Between "
              "#04/01/2024 00:00:00# AND #04/30/2024 23:59:59# ORDER BY Animais.Nome ASC;");
    auto rs = a_->get_ResultadoDaSelecaoEmRecordset();
    Nomes colunas;
    for (int i = 0; i < rs->fieldCount(); ++i) colunas.push_back(rs->fieldDef(i).name);
    EXPECT_EQ(colunas, (Nomes{"Codigo", "Nome", "Sexo", "CodigoDoCliente", "Cliente", "CodigoDaEspecie", "Especie",
                              "CodigoDaRaca", "Raca", "Porte", "DataDeNascimento", "Cor", "RGA", "Microchip", "Pedigree",
                              "AnimalMorto", "Observacao", "DataEHoraDaInclusao", "DataEHoraDaAlteracao"}));
    EXPECT_EQ(valor("Cliente"), "Ana da Silva");
    EXPECT_EQ(valor("DataEHoraDaInclusao"), "01/04/2024 00:00:00");
    ASSERT_EQ(a_->SelecionarParaImpressaoEExportacao(0, 2, "", "01/01/2020", "31/01/2020"), 0);
    EXPECT_EQ(a_->get_DescricaoDaFalha(), MensagemNenhumAnimal);
}

// The order text goes into the statement unchanged; the database refuses a bad one, and nothing else happens.
TEST_F(Selecao, PrintListOrderText) {
    gravarOsTextos();
    struct Caso { std::string ordem; Nomes nomes; };  // no names: refused
    for (const Caso& k : std::vector<Caso>{
             {"Clientes.NomeOuRazaoSocial, Animais.Nome", {"Bob", "Mia", "Rex", "Tom", "O’Brien", "Zeca"}},
             {"Animais.Situacao DESC, Animais.Nome", {"Zeca", "Bob", "Mia", "O’Brien", "Rex", "Tom"}},
             {"Cliente DESC, [Animais].[Nome]", {"O’Brien", "Zeca", "Bob", "Mia", "Rex", "Tom"}},
             {"Nome; DELETE * FROM Animais", {}}, {"NaoExiste", {}}, {"   ", {}}, {"Animais.Nome,", {}}}) {
        SCOPED_TRACE(k.ordem);
        const int16_t r = a_->SelecionarParaImpressaoEExportacao(0, 0, k.ordem);
        EXPECT_TRUE(gravacao().textos.back().ends_with("ORDER BY " + k.ordem + " ASC;")) << gravacao().textos.back();
        if (k.nomes.empty()) {
            EXPECT_EQ(r, 1);
            EXPECT_EQ(a_->get_LocalDoErro(), "ZELT_N_ClientAnim, clsAnimais, SelecionarParaImpressaoEExportacao, Ponto: 4");
        } else {
            ASSERT_EQ(r, 0) << a_->get_DescricaoDoErro();
            EXPECT_EQ(coluna(*a_, "Nome"), k.nomes);
        }
    }
    EXPECT_EQ(contar("Animais"), 6);
}

TEST_F(Selecao, OneLineListOfLivingActiveAnimals) {
    const double caio = inserirCliente("Caio");
    gravarOsTextos();
    for (const auto& [dono, esperado] : std::vector<std::pair<double, std::string>>{
             {ana_, "Mia, Rex e Tom"}, {bia_, "O’Brien"}, {caio, ""}}) {
        std::string lista = "antes";
        ASSERT_EQ(a_->SelecionarAnimaisEmUmUnicoRegistro(dono, lista), 0);
        EXPECT_EQ(lista, esperado);
    }
    EXPECT_EQ(gravacao().textos.front(),
              "SELECT   IIF(IsNull(Animais.Nome), '', Animais.Nome) AS Nome FROM    Animais WHERE    "
              "Animais.CodigoDoCliente =  " + Variant(ana_).toText() +
                  " AND     Animais.AnimalMorto = False AND     Animais.Situacao = 1 ORDER BY    Animais.Nome ASC;");
}

}  // namespace
}  // namespace teste
