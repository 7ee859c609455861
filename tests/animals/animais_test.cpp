// clsAnimais as a late-bound caller sees it, its rules, Adicionar, Alterar and Excluir on the real database; Selecionar
// and the auxiliary lists against rows written through the class.
#include <functional>

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

using Escrita = Ambiente;

TEST_F(Escrita, SlotOrderAndCallsByName) {
    auto a = CreateObject("ZELT_N_ClientAnim.clsAnimais");
    const auto& t = refCast<clsAnimais>(a)->table();
    EXPECT_EQ(t.interfaceName(), "_clsAnimais");
    std::string nomes;
    for (const auto& m : t.slots())
        if (!nomes.ends_with(" " + m.name)) nomes += " " + m.name;
    EXPECT_EQ(nomes,
              " Adicionar Alterar Excluir Selecionar SelecionarParaComboBoxFiltradoPorCliente "
              "SelecionarParaImpressaoEExportacao PaginarResultadoDaSelecaoEmRecordset ValidarDados NomeDoCampoValidado "
              "Situacao AdicionarClienteEAnimalNaMesmaOperacao CodigoDoCliente ResultadoDaSelecaoEmRecordset "
              "NumeroTotalDeRegistros Codigo Nome Sexo DataDeNascimento CodigoDaEspecie CodigoDaRaca Porte Cor RGA "
              "Microchip Pedigree AnimalMorto Observacao DataHoraDaAtualizacao DadosDoUsuario CodigoGerado NumeroDoErro "
              "DescricaoDoErro LocalDoErro DescricaoDaFalha SelecionarAnimaisEmUmUnicoRegistro");
    EXPECT_EQ(t.slots()[9].kind, InvokeKind::PropertyPut);
    EXPECT_EQ(t.slots()[10].kind, InvokeKind::PropertyGet);

    const double dono = inserirCliente("Ana");
    putRefProperty(*a, "DadosDoUsuario", usuario_);
    for (const auto& [nome, valor] : std::vector<std::pair<const char*, Variant>>{
             {"CodigoDoCliente", Variant(dono)}, {"Nome", Variant("Rex")}, {"Sexo", Variant("M")},
             {"CodigoDaEspecie", Variant(especie_)}, {"CodigoDaRaca", Variant(raca_)}, {"Situacao", Variant(int16_t{1})}})
        putProperty(*a, nome, valor);
    ASSERT_EQ(callByName(*a, "Adicionar").toInt16(), 0) << getProperty(*a, "DescricaoDoErro").toText();
    EXPECT_EQ(callByName(*a, "Selecionar", {Variant(int16_t{2}), Variant(int16_t{0}), Variant(int16_t{0}),
                                            Variant("Rex"), Variant(int16_t{3})}).toInt16(), 0);
    std::vector<Variant> args{Variant(dono), Variant("")};
    EXPECT_EQ(callByNameRef(*a, "SelecionarAnimaisEmUmUnicoRegistro", args).toInt16(), 0);
    EXPECT_EQ(args[1].toText(), "Rex");
    std::vector<Variant> pagina{Variant(int16_t{5}), Variant(Ref<Object>())};
    EXPECT_EQ(callByNameRef(*a, "PaginarResultadoDaSelecaoEmRecordset", pagina).toInt16(), 0);
    EXPECT_TRUE(refCast<ado::Recordset>(pagina[1].toObject()));
}

// Insertion and alteration alike; other operations check nothing and keep the last refusal.
TEST_F(Escrita, EachRuleInItsOrder) {
    const std::string Invalida = "Data de nascimento inválida.";
    const std::string amanha = Date(Date::today().serial() + 1).format("dd/mm/yyyy");
    struct Caso { const char* nome; std::function<void(clsAnimais&)> ajuste; const char* campo = ""; std::string mensagem = ""; };
    const std::vector<Caso> casos{
        {"valido", [](clsAnimais&) {}},
        {"nome antes de tudo", [](clsAnimais& a) { a.put_Nome("   "); a.put_CodigoDaEspecie(-1); a.put_Sexo(""); }, "Nome", "Digite o nome do animal."},
        {"especie antes da raca", [](clsAnimais& a) { a.put_CodigoDaEspecie(-1); a.put_CodigoDaRaca(-1); }, "CodigoDaEspecie", "Informe a espécie do animal."},
        {"raca", [](clsAnimais& a) { a.put_CodigoDaRaca(-1); }, "CodigoDaRaca", "Informe a raça do animal."},
        {"nunca escolhidas nao sao -1", [](clsAnimais& a) { a.put_CodigoDaEspecie(0); a.put_CodigoDaRaca(0); }},
        {"nascimento amanha", [&](clsAnimais& a) { a.put_DataDeNascimento(amanha); }, "DataDeNascimento", Invalida},
        {"dia inexistente", [](clsAnimais& a) { a.put_DataDeNascimento("31/02/2024"); }, "DataDeNascimento", Invalida},
        {"nao e data", [](clsAnimais& a) { a.put_DataDeNascimento("ontem"); }, "DataDeNascimento", Invalida},
        {"nascido hoje", [](clsAnimais& a) { a.put_DataDeNascimento(Date::today().format("dd/mm/yyyy")); }},
        {"29 de fevereiro", [](clsAnimais& a) { a.put_DataDeNascimento("29/02/2024"); }},
        {"nascimento em branco e Null", [](clsAnimais& a) { a.put_DataDeNascimento("  "); }},
        {"sexo antes da situacao", [](clsAnimais& a) { a.put_Sexo(" "); a.put_Situacao(-1); }, "Sexo", "Selecione o sexo do animal."},
        {"situacao", [](clsAnimais& a) { a.put_Situacao(-1); }, "Situacao", "Informe a situação do animal."}};
    for (const Caso& k : casos)
        for (int16_t operacao : {1, 2, 0, 4}) {
            SCOPED_TRACE(std::string(k.nome) + " " + std::to_string(operacao));
            auto a = animal(0, "Rex");
            k.ajuste(*a);
            const bool recusa = *k.campo && (operacao == 1 || operacao == 2);
            EXPECT_EQ(a->ValidarDados(operacao, nullptr, nullptr), recusa ? 2 : 0);
            EXPECT_EQ(a->ValidarDados(0, nullptr, nullptr), 0);
            EXPECT_EQ(a->get_NomeDoCampoValidado(), recusa ? k.campo : "");
            EXPECT_EQ(a->get_DescricaoDaFalha(), recusa ? k.mensagem : "");
        }
}

TEST_F(Escrita, InsertionAndAlterationStatements) {
    const double dono = inserirCliente("Ana");
    auto a = animal(dono, "Rex");
    for (const auto& [nome, valor] : std::vector<std::pair<const char*, Variant>>{
             {"Porte", Variant("Médio")}, {"DataDeNascimento", Variant("15/03/2020")}, {"Cor", Variant("Caramelo")},
             {"RGA", Variant("123")}, {"Microchip", Variant("98765")}, {"Pedigree", Variant(true)}, {"Observacao", Variant("Dócil")}})
        putProperty(*a, nome, valor);
    gravarOsTextos();
    ASSERT_EQ(a->Adicionar(), 0) << a->get_DescricaoDoErro();
    const double primeiro = a->get_CodigoGerado();
    const std::string inclusao = a->get_DataHoraDaAtualizacao();
    ASSERT_EQ(a->Adicionar(), 0);
    EXPECT_EQ(a->get_CodigoGerado(), primeiro + 1);
    a->put_Codigo(primeiro);
    a->put_DataDeNascimento("");
    a->put_Situacao(2);
    ASSERT_EQ(a->Alterar(), 0) << a->get_DescricaoDoErro();
    EXPECT_EQ(contar("Animais WHERE Situacao = 2 AND DataDeNascimento Is Null"), 1);
    const std::string d = Variant(dono).toText(), e = Variant(especie_).toText(), r = Variant(raca_).toText();
    const std::vector<std::string> esperados{
        " SELECT NOW AS DataHoraDoServidor ",
        "INSERT INTO Animais (CodigoDoCliente,Nome,Sexo,CodigoDaEspecie,CodigoDaRaca,Porte,DataDeNascimento,Cor,RGA,Microchip,"
        "Pedigree,AnimalMorto,Observacao,Situacao,DataEHoraDaInclusao,UsuarioDaInclusao) VALUES(" + d + ",'Rex','M'," + e + "," +
            r + ",'Médio','15/03/2020','Caramelo','123','98765',True,False,'Dócil',1, '" + inclusao + "','maria');",
        "SELECT @@Identity",
        "UPDATE Animais SET Nome='Rex',Sexo='M',CodigoDoCliente=" + d + ",CodigoDaEspecie=" + e + ",CodigoDaRaca=" + r +
            ",Porte='Médio',Cor='Caramelo',DataDeNascimento=Null,RGA='123',Microchip='98765',Pedigree=True,AnimalMorto=False,"
            "Observacao='Dócil',Situacao=2, DataEHoraDaAlteracao='" + a->get_DataHoraDaAtualizacao() +
            "', UsuarioDaAlteracao='maria' WHERE Codigo=" + Variant(primeiro).toText() + ";"};
    for (size_t i : {0, 1, 2}) EXPECT_EQ(gravacao().textos.at(i), esperados[i]);
    EXPECT_EQ(gravacao().textos.back(), esperados[3]);
}

// The flag only validates; a refused connection comes before validation; each failure names its point.
TEST_F(Escrita, FlagAndFailures) {
    const double dono = inserirCliente("Ana");
    struct Caso { const char* operacao; std::function<void(clsAnimais&)> ajuste; int16_t resultado; int32_t numero = 0; std::string local = "", falha = ""; };
    const std::vector<Caso> casos{
        {"Adicionar", [](clsAnimais& a) { a.put_AdicionarClienteEAnimalNaMesmaOperacao(true); }, 0},
        {"Alterar", [](clsAnimais& a) { a.put_AdicionarClienteEAnimalNaMesmaOperacao(true); }, 0},
        {"Adicionar", [](clsAnimais& a) { a.put_AdicionarClienteEAnimalNaMesmaOperacao(true); a.put_Nome(""); }, 2, 0, "",
         "Digite o nome do animal."},
        {"Alterar", [](clsAnimais& a) { a.put_Nome(""); }, 2, 0, "", "Digite o nome do animal."},
        {"Adicionar", [](clsAnimais& a) { a.putref_DadosDoUsuario(nullptr); }, 1, err::ObjectVariableNotSet, "clsAnimais, Adicionar, Ponto: 6"},
        {"Alterar", [](clsAnimais& a) { a.putref_DadosDoUsuario(nullptr); }, 1, err::ObjectVariableNotSet, "clsAnimais, Alterar, Ponto: 6"},
        {"Alterar", [](clsAnimais&) { gravacao().falharNoInicio("UPDATE", RuntimeError(-2147217900, "Erro de sintaxe.")); }, 1,
         -2147217900, "clsAnimais, Alterar, Ponto: 7"},
        {"Adicionar", [](clsAnimais& a) { gravacao().resultadoDaAbertura = 3; a.put_Nome(""); }, 3, 0, "",
         "O servidor de banco de dados não responde."},
        {"Alterar", [](clsAnimais&) { gravacao().resultadoDaAbertura = 1; }, 1, -2147467259, "ZELT_I_ADO, clsObjetosDeDados, AbrirConexao, Ponto: 2"}};
    for (const Caso& k : casos) {
        SCOPED_TRACE(std::string(k.operacao) + " " + k.local + k.falha);
        gravarOsTextos();
        auto a = animal(dono, "Rex");
        k.ajuste(*a);
        EXPECT_EQ(callByName(*a, k.operacao).toInt16(), k.resultado);
        EXPECT_EQ(a->get_NumeroDoErro(), k.numero);
        EXPECT_EQ(a->get_LocalDoErro(), k.local.starts_with("cls") ? "ZELT_N_ClientAnim, " + k.local : k.local);
        EXPECT_EQ(a->get_DescricaoDaFalha(), k.falha);
        EXPECT_EQ(a->get_CodigoGerado(), 0);
        if (k.resultado != 1) { EXPECT_TRUE(gravacao().textos.empty()); }
    }
    EXPECT_EQ(contar("Animais"), 0);
}

const std::string MensagemDoBanco = "O animal não pode ser excluído porque existe:\r\n\r\nregistros relacionados a ele\r\n\r\n"
                                    "Se não deseja mais utilizar, altere a 'Situação' do animal para 'Inativo'.";

// Eleven counts, then the deletion; a referring row, the engine's refusal or a failure leaves the animal.
TEST_F(Escrita, Exclusion) {
    const double codigo = inserirAnimal(inserirCliente("Ana"), "Rex");
    const std::string cod = Variant(codigo).toText();
    auto a = animal(0, "Rex");
    a->put_Codigo(codigo);
    const auto restantes = [&] { return contar("Animais WHERE Codigo = " + cod); };

    for (const char* tabela : {"Exames", "Vacinacoes"}) sql(std::string("INSERT INTO ") + tabela + " (CodigoDoAnimal) VALUES (" + cod + ")");
    gravarOsTextos();
    EXPECT_EQ(a->Excluir(), 3);
    const std::string anterior = a->get_DescricaoDaFalha();
    EXPECT_EQ(anterior, "O animal 'Rex' não pode ser excluído porque esta sendo utilizada na tabela de 'Exames'.\r\n\r\n"
                        "Se não deseja mais utilizar, altere a 'Situação' do animal para 'Inativo'.");
    EXPECT_EQ(gravacao().textos.size(), 3u) << "the counts stop at the first table with rows";
    for (const char* tabela : {"Exames", "Vacinacoes"}) sql(std::string("DELETE * FROM ") + tabela);

    struct Caso { const char* trecho; int32_t numero, contexto; int16_t resultado; std::string falha, local; };
    for (const Caso& k : std::vector<Caso>{
             // The provider's general failure with another help context keeps the previous message.
             {"DELETE", -2147467259, 5003218, 3, anterior, ""}, {"DELETE", -2147467259, 5003000, 3, MensagemDoBanco, ""},
             {"DELETE", -2147217865, 0, 1, MensagemDoBanco, "ZELT_N_ClientAnim, clsAnimais, Excluir, Ponto: 5"},
             {"FROM Medicacoes", -2147217865, 0, 1, MensagemDoBanco, "ZELT_N_ClientAnim, clsAnimais, ValidarDados, Ponto: 8"}}) {
        SCOPED_TRACE(k.local);
        gravarOsTextos();
        gravacao().falharNoTrecho(k.trecho, RuntimeError(k.numero, "Falha.", k.contexto));
        EXPECT_EQ(a->Excluir(), k.resultado);
        EXPECT_EQ(a->get_DescricaoDaFalha(), k.falha);
        EXPECT_EQ(a->get_NumeroDoErro(), k.resultado == 1 ? k.numero : 0);
        EXPECT_EQ(a->get_LocalDoErro(), k.local);
        EXPECT_EQ(restantes(), 1);
    }

    gravacao().antesDeExecutar = nullptr;
    // A table outside the eleven that the counts do not know, with the engine's foreign key.
    auto b = animal(0, "Rex");
    b->put_Codigo(codigo);
    ASSERT_TRUE(testing_support::runDirectly(caminhoDoBanco(),
        "CREATE TABLE \"Internacoes\" (\"Codigo\" INTEGER PRIMARY KEY, \"CodigoDoAnimal\" INTEGER REFERENCES "
        "\"Animais\" (\"Codigo\")); INSERT INTO \"Internacoes\" VALUES (1, " + cod + ");"));
    EXPECT_EQ(b->Excluir(), 3) << b->get_NumeroDoErro() << " " << b->get_DescricaoDoErro();
    EXPECT_EQ(b->get_DescricaoDaFalha(), MensagemDoBanco);
    EXPECT_EQ(restantes(), 1);
    ASSERT_TRUE(testing_support::runDirectly(caminhoDoBanco(), "DELETE FROM \"Internacoes\""));

    gravarOsTextos();
    EXPECT_EQ(a->Excluir(), 0) << a->get_DescricaoDoErro();
    std::vector<std::string> esperados;
    for (const char* tabela : {"Agendamentos", "ContratosPSA", "Exames", "FichasClinicas", "ItensDeVendas", "ItensDoOrcamento",
                               "Medicacoes", "Orcamentos", "Receitas", "ServicosEfetuados", "Vacinacoes"})
        esperados.push_back(std::string(" SELECT COUNT(*) AS NumeroDeRegistros FROM ") + tabela + " WHERE CodigoDoAnimal = " + cod);
    esperados.push_back("DELETE * FROM Animais WHERE Codigo=" + cod + ";");
    EXPECT_EQ(gravacao().textos, esperados);
    EXPECT_EQ(restantes(), 0);
    // An unknown or unset code deletes nothing and is no failure.
    EXPECT_EQ(a->Excluir(), 0);
    EXPECT_EQ(animal(0, "Tom")->Excluir(), 0);
}

}  // namespace
}  // namespace teste
