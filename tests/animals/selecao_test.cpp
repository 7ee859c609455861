// Selecionar against rows written through the class: each filter, the order, the empty result,
// paging, refused arguments and a search value with a quote.
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
        return coluna(a_->get_ResultadoDaSelecaoEmRecordset(), "Nome");
    }
    std::string valor(const char* coluna) { return (*a_->get_ResultadoDaSelecaoEmRecordset())(std::string_view(coluna)).toText(); }

    double ana_ = 0, bia_ = 0, rex_ = 0, mia_ = 0;
    Ref<clsAnimais> a_;
};

TEST_F(Selecao, WhatEachFilterFinds) {
    struct Caso {
        const char* nome;
        int16_t situacao;
        Variant busca;
        int16_t vivoOuMorto;
        double dono;
        std::string inicial, final_;
        int16_t tipoDeData;
        Nomes esperados;
    };
    const std::string mia = Variant(mia_).toText();
    const std::vector<Caso> casos{
        {"ativos", 1, Variant(), 3, 0, "", "", 0, {"Bob", "Mia", "O’Brien", "Rex", "Tom"}},
        {"inativos", 2, Variant(), 3, 0, "", "", 0, {"Zeca"}},
        {"todos", 0, Variant(), 3, 0, "", "", 0, {"Bob", "Mia", "O’Brien", "Rex", "Tom", "Zeca"}},
        {"vivos", 0, Variant(), 1, 0, "", "", 0, {"Mia", "O’Brien", "Rex", "Tom", "Zeca"}},
        {"mortos", 0, Variant(), 2, 0, "", "", 0, {"Bob"}},
        {"dono", 0, Variant(), 3, bia_, "", "", 0, {"O’Brien", "Zeca"}},
        {"vivos ativos do dono", 1, Variant(), 1, ana_, "", "", 0, {"Mia", "Rex", "Tom"}},
        {"codigo ou microchip", 0, Variant(mia_), 3, 0, "", "", 0, {"Mia", "Tom"}},
        {"texto numerico busca o codigo", 0, Variant(mia), 3, 0, "", "", 0, {"Mia", "Tom"}},
        {"nome sem caixa", 0, Variant("rEx"), 3, 0, "", "", 0, {"Rex"}},
        {"digitos do microchip", 0, Variant("77"), 3, 0, "", "", 0, {"Rex"}},
        {"busca no dono", 0, Variant("e"), 3, bia_, "", "", 0, {"O’Brien", "Zeca"}},
        {"busca deixa as datas", 0, Variant("Rex"), 3, 0, "01/04/2024", "30/04/2024", 2, {"Rex"}},
        {"aspas tratadas", 0, Variant("O'Brien"), 3, 0, "", "", 0, {"O’Brien"}},
        {"injecao", 0, Variant("'; DELETE * FROM Animais; --"), 3, 0, "", "", 0, {}},
        {"ninguem", 0, Variant("Ninguém"), 3, 0, "", "", 0, {}},
        {"inclusao com os dois dias inteiros", 0, Variant(), 3, 0, "01/03/2024", "31/03/2024", 2, {"Mia", "Rex"}},
        {"inclusao de um dia", 0, Variant(""), 3, 0, "01/04/2024", "01/04/2024", 2, {"Tom"}},
        {"sem data inicial", 0, Variant(0.0), 3, 0, "   ", "01/04/2024", 2,
         {"Bob", "Mia", "O’Brien", "Rex", "Tom", "Zeca"}},
        {"aniversarios por dia", 0, Variant(), 3, 0, "10/05/2024", "20/05/2024", 3, {"Zeca", "Mia", "Rex"}},
        {"aniversarios fora", 0, Variant(), 3, 0, "25/05/2024", "05/06/2024", 3, {}},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nome);
        EXPECT_EQ(nomes(k.situacao, k.busca, k.vivoOuMorto, k.dono, k.inicial, k.final_, k.tipoDeData), k.esperados);
        if (k.esperados.empty()) {
            EXPECT_EQ(a_->get_DescricaoDaFalha(), "Nenhum animal encontrado com as especificações informadas.");
        }
    }
    EXPECT_EQ(numero("SELECT COUNT(*) FROM Animais"), 6);
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

// Refused before the database is asked; the last result stays.
TEST_F(Selecao, RefusedArguments) {
    ASSERT_EQ(nomes(0, Variant(), 3).size(), 6u);
    auto anterior = a_->get_ResultadoDaSelecaoEmRecordset();
    gravarOsTextos();
    struct Caso { int16_t situacao, vivoOuMorto; std::string inicial, final_; int16_t tipoDeData; int32_t numero; std::string descricao; };
    for (const Caso& k : std::vector<Caso>{
             {7, 3, "", "", 0, 5, "O argumento lintSituacaoParaFiltro recebeu 7; os valores aceitos são 0 (todas as "
                                  "situações), 1 (ativos) e 2 (inativos)."},
             {0, 0, "", "", 0, 5, "O argumento lintAnimalVivoOuMorto recebeu 0; os valores aceitos são 1 (vivos), 2 "
                                  "(mortos) e 3 (ambos)."},
             {0, 3, "31/02/2024", "31/03/2024", 2, 13, ""},
             {0, 3, "1) OR (1=1/05", "20/05/2024", 3, 13, ""},
             {0, 3, "10/05/2024", "", 3, 13, ""}}) {
        SCOPED_TRACE(k.inicial + " " + std::to_string(k.situacao));
        EXPECT_EQ(a_->Selecionar(ListaCompleta, 0, k.situacao, Variant(), k.vivoOuMorto, 0, k.inicial, k.final_, k.tipoDeData), 1);
        EXPECT_EQ(a_->get_NumeroDoErro(), k.numero);
        if (!k.descricao.empty()) {
            EXPECT_EQ(a_->get_DescricaoDoErro(), k.descricao);
        }
        EXPECT_EQ(a_->get_LocalDoErro(), "ZELT_N_ClientAnim, clsAnimais, Selecionar, Ponto: 3");
    }
    EXPECT_TRUE(gravacao().textos.empty());
    EXPECT_TRUE(a_->get_ResultadoDaSelecaoEmRecordset() == anterior);
}

}  // namespace
}  // namespace teste
