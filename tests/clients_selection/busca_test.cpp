// Selecionar: which rows each search argument finds, and the status filters.
#include "ambiente_de_selecao.hpp"

namespace zelt::clientanim::teste {
namespace {

using Linhas = std::vector<std::string>;

class BuscaDeClientes : public AmbienteDeSelecao {
protected:
    void SetUp() override {
        AmbienteDeSelecao::SetUp();
        c = novoCliente();
        ana = inserirCliente("Ana Souza", {{"ApelidoOuNomeFantasia", "'Aninha'"}, {"CPFCNPJ", "'12345678901'"},
                                           {"Logradouro", "'Rua das Flores'"}, {"Sexo", "'F'"}});
        bruno = inserirCliente("Bruno Lima", {{"CPFCNPJ", "'12345678900'"}, {"Logradouro", "'Avenida Brasil'"}});
        empresa = inserirCliente("Pet Shop Ltda", {{"TipoDeCliente", "'PJ'"}, {"CPFCNPJ", "'91234567890155'"}});
        outra = inserirCliente("Comercial Ltda", {{"TipoDeCliente", "'PJ'"}, {"CPFCNPJ", "'11222333000181'"}});
    }

    int16_t buscar(const Variant& valor) { return c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, valor); }

    Ref<clsClientes> c;
    double ana = 0, bruno = 0, empresa = 0, outra = 0;
};

TEST_F(BuscaDeClientes, ElevenDigitsFindTheCodeAndEveryDocumentThatContainsThem) {
    ASSERT_EQ(buscar(Variant("12345678901")), Concluido) << c->get_DescricaoDoErro();
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), (Linhas{"Ana Souza", "Pet Shop Ltda"}));
    EXPECT_EQ(c->get_NumeroTotalDeRegistros(), 0);  // no operation assigns it
}

TEST_F(BuscaDeClientes, FourteenDigitsAsANumberFindTheCompany) {
    ASSERT_EQ(buscar(Variant(11222333000181.0)), Concluido) << c->get_DescricaoDoErro();
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), (Linhas{"Comercial Ltda"}));
    EXPECT_EQ(coluna(*c, "CPFCNPJ"), (Linhas{"11.222.333/0001-81"}));
}

TEST_F(BuscaDeClientes, AShortNumberFindsOnlyThatCode) {
    // Every document above holds the digit of Bruno's code: only the code counts.
    ASSERT_EQ(buscar(Variant(static_cast<int32_t>(bruno))), Concluido);
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), (Linhas{"Bruno Lima"}));
    ASSERT_EQ(buscar(Variant(sql::numero(ana))), Concluido);
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), (Linhas{"Ana Souza"}));
}

TEST_F(BuscaDeClientes, ATextSearchesBothNamesAndTheStreet) {
    ASSERT_EQ(buscar(Variant("Flores")), Concluido);
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), (Linhas{"Ana Souza"}));
    ASSERT_EQ(buscar(Variant("aninha")), Concluido);
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), (Linhas{"Ana Souza"}));
    ASSERT_EQ(buscar(Variant("Ltda")), Concluido);
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), (Linhas{"Comercial Ltda", "Pet Shop Ltda"}));
}

TEST_F(BuscaDeClientes, TheGeneralValueExcludesTheOtherArguments) {
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant("Bruno"), "Ana", ana, "Flores"), Concluido);
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), (Linhas{"Bruno Lima"}));
}

TEST_F(BuscaDeClientes, WithoutItTheNameComesBeforeTheCodeAndTheCodeBeforeTheStreet) {
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), "Bruno", ana, "Flores"), Concluido);
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), (Linhas{"Bruno Lima"}));
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(""), "  ", ana, "Brasil"), Concluido);
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), (Linhas{"Ana Souza"}));
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(0.0), "", 0, "Brasil"), Concluido);
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), (Linhas{"Bruno Lima"}));
}

TEST_F(BuscaDeClientes, EachSearchConditionAsSent) {
    gravarOsTextos();
    const std::string situacao =
        "WHERE    (Clientes.Situacao=1 OR Clientes.Situacao=2 OR Clientes.Situacao=3 OR Clientes.Situacao=4) ";
    const std::string ordem = "ORDER BY    Clientes.NomeOuRazaoSocial ASC;";
    const std::vector<std::pair<std::function<int16_t()>, std::string>> casos{
        {[&] { return buscar(Variant("12345678901")); },
         " AND (Clientes.Codigo = 12345678901  OR Clientes.CPFCNPJ LIKE '%12345678901%') "},
        {[&] { return buscar(Variant(123.0)); }, " AND (Clientes.Codigo = 123) "},
        {[&] { return buscar(Variant("Flores")); },
         " AND (Clientes.ApelidoOuNomeFantasia LIKE '%Flores%'  OR Clientes.NomeOuRazaoSocial LIKE '%Flores%'  OR "
         "Clientes.Logradouro LIKE '%Flores%') "},
        {[&] { return c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), "Ana", 7); },
         " AND (Clientes.ApelidoOuNomeFantasia LIKE '%Ana%'  OR Clientes.NomeOuRazaoSocial LIKE '%Ana%') "},
        {[&] { return c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), "", 7, "Flores"); },
         " AND (Clientes.Codigo = 7) "},
        {[&] { return c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), "", 0, "Flores"); },
         " AND (Clientes.Logradouro LIKE '%Flores%') "},
    };
    for (const auto& [selecionar, condicao] : casos) {
        ASSERT_EQ(selecionar(), Concluido) << c->get_DescricaoDoErro();
        EXPECT_TRUE(gravacao().textos.back().ends_with("FROM     Clientes " + situacao + condicao + ordem))
            << gravacao().textos.back();
    }
}

TEST_F(BuscaDeClientes, NothingFoundIsAnEmptyListWithItsMessage) {
    ASSERT_EQ(buscar(Variant("Ninguém")), Concluido);
    EXPECT_EQ(c->get_ResultadoDaSelecaoEmRecordset()->get_RecordCount(), 0);
    EXPECT_EQ(c->get_DescricaoDaFalha(), "Nenhum cliente encontrado com as especificações informadas.");
}

TEST_F(BuscaDeClientes, EveryRowCarriesTheDisplayTexts) {
    conexaoDireta().Execute(
        "UPDATE Clientes SET CEP='01310100', TipoDeLogradouro='Rua', Numero='10', Bairro='Centro', "
        "Cidade='São Paulo', UF='SP', DataDeNascimento='3112', AnoDeNascimento='1980', LimiteDeCredito=1234.5, "
        "TipoDeCanalDeComunicacao1='Email', CanalDeComunicacao1='ana@exemplo.com.br' WHERE Codigo=" +
        sql::numero(ana));
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), "", ana), Concluido)
        << c->get_DescricaoDoErro();
    auto rs = c->get_ResultadoDaSelecaoEmRecordset();
    ASSERT_EQ(rs->fieldCount(), 64);
    EXPECT_EQ(rs->fieldDef(0).name, "CodigoDoCliente");
    EXPECT_EQ(rs->fieldDef(63).name, "TiposECanaisDeComunicacao");
    EXPECT_EQ((*rs)("CPFCNPJ").toText(), "123.456.789-01");
    EXPECT_EQ((*rs)("DataDeNascimento").toText(), "31/12/1980");
    EXPECT_EQ((*rs)("CEP").toText(), "01310-100");
    EXPECT_EQ((*rs)("LimiteDeCredito").toText(), "1.234,50");
    EXPECT_EQ((*rs)("Credito").toText(), "0,00");
    EXPECT_EQ((*rs)("VIP").toText(), "Não");
    EXPECT_EQ((*rs)("NomeDaSituacao").toText(), "Ativa");
    EXPECT_EQ((*rs)("EnderecoCompletoComCEP").toText(),
              "Rua Rua das Flores, 10 - Centro - CEP:01310-100 - São Paulo / SP");
    EXPECT_EQ((*rs)("TiposECanaisDeComunicacao").toText(), "Email ana@exemplo.com.br ");
}

TEST_F(BuscaDeClientes, AQuoteInASearchValueDoesNotBreakTheStatement) {
    inserirCliente("Patrick O’Brien");
    ASSERT_EQ(buscar(Variant("O'Brien")), Concluido) << c->get_DescricaoDoErro();
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), (Linhas{"Patrick O’Brien"}));
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), "x' OR 'a'='a"), Concluido)
        << c->get_DescricaoDoErro();
    EXPECT_EQ(c->get_ResultadoDaSelecaoEmRecordset()->get_RecordCount(), 0);
}

class BuscaPorAnimal : public BuscaDeClientes {
protected:
    void SetUp() override {
        BuscaDeClientes::SetUp();
        rex = inserirAnimal(ana, "Rex");
        inserirAnimal(ana, "Rex Junior", "9850004");
        inserirAnimal(bruno, "Mimi", "9850005");
    }
    double rex = 0;
};

TEST_F(BuscaPorAnimal, AClientIsListedOncePerMatchingAnimal) {
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), "", 0, "", "", "", 0, Variant("Rex")),
              Concluido)
        << c->get_DescricaoDoErro();
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), (Linhas{"Ana Souza", "Ana Souza"}));
}

TEST_F(BuscaPorAnimal, ANumberSearchesTheAnimalCodeAndTheMicrochip) {
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), "", 0, "", "", "", 0, Variant(rex)),
              Concluido);
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), (Linhas{"Ana Souza"}));
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), "", 0, "", "", "", 0, Variant("0005")),
              Concluido);
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), (Linhas{"Bruno Lima"}));
}

TEST_F(BuscaPorAnimal, TheAnimalAddsToTheGeneralValue) {
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant("a"), "", 0, "", "", "", 0, Variant("Mimi")),
              Concluido);
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), (Linhas{"Bruno Lima"}));
}

TEST_F(BuscaPorAnimal, AnEarlierConditionStillJoinsEveryAnimalOfTheClient) {
    // The name applies, so the animal condition is left out; clients without animals drop out.
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), "a", 0, "", "", "", 0, Variant("Mimi")),
              Concluido);
    EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), (Linhas{"Ana Souza", "Ana Souza", "Bruno Lima"}));
}

class SituacaoDosClientes : public AmbienteDeSelecao {
protected:
    void SetUp() override {
        AmbienteDeSelecao::SetUp();
        c = novoCliente();
        for (int s = 1; s <= 4; ++s) inserirCliente("Situação " + std::to_string(s), {{"Situacao", std::to_string(s)}});
    }
    Ref<clsClientes> c;
};

TEST_F(SituacaoDosClientes, AllStatusesShowExcludedClientsOnlyToAUserWhoseAdministradorEqualsTrue) {
    const Linhas todas{"1", "2", "3", "4"}, semExcluidos{"1", "2", "3"};
    // No rows: a text that is neither a Boolean nor a number cannot be compared (error 13).
    struct Caso { Variant administrador; Linhas situacoes; };
    for (const Caso& k : std::vector<Caso>{{Variant(true), todas},
                                           {Variant(false), semExcluidos},
                                           {Variant(int16_t{-1}), todas},
                                           {Variant(-1.0), todas},
                                           {Variant(Currency::fromInt(-1)), todas},
                                           {Variant(int32_t{1}), semExcluidos},
                                           {Variant(" verdadeiro"), todas},
                                           {Variant("TRUE"), todas},
                                           {Variant("-1"), todas},
                                           {Variant("1"), semExcluidos},
                                           {Variant("Falso"), semExcluidos},
                                           {Variant::null(), semExcluidos},
                                           {Variant(), semExcluidos},
                                           {Variant("sim"), {}}}) {
        SCOPED_TRACE(k.administrador.isNull() ? "Null" : k.administrador.toText());
        usuario_->definir("Administrador", k.administrador);
        const int16_t r = c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant());
        if (k.situacoes.empty()) {
            EXPECT_EQ(r, Erro);
            EXPECT_EQ(c->get_NumeroDoErro(), 13);
        } else {
            ASSERT_EQ(r, Concluido) << c->get_DescricaoDoErro();
            EXPECT_EQ(coluna(*c, "Situacao"), k.situacoes);
        }
    }
    usuario_->definir("Administrador", Variant(false));
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant()), Concluido);
    EXPECT_EQ(coluna(*c, "NomeDaSituacao"), (Linhas{"Ativo", "Inativo", "Bloqueado"}));
}

TEST_F(SituacaoDosClientes, AnExplicitFilterShowsItsStatusToEverybody) {
    usuario_->definir("Administrador", Variant(false));
    for (int16_t s = 1; s <= 4; ++s) {
        ASSERT_EQ(c->Selecionar(ListaCompleta, 0, s, Variant()), Concluido);
        EXPECT_EQ(coluna(*c, "Situacao"), (Linhas{std::to_string(s)}));
    }
}

TEST_F(SituacaoDosClientes, AFilterOutsideItsRangeIsRefusedWhereTheDatabaseWouldRefuseIt) {
    gravarOsTextos();
    for (int16_t filtro : {int16_t(6), int16_t(-1)}) {
        EXPECT_EQ(c->Selecionar(ListaCompleta, 0, filtro, Variant("Ana")), Erro);
        EXPECT_EQ(c->get_NumeroDoErro(), 5);
        EXPECT_EQ(c->get_DescricaoDoErro(),
                  "O argumento lintSituacaoParaFiltro recebeu " + std::to_string(filtro) +
                      "; os valores aceitos são 0 (todas as situações), 1 (ativos), 2 (inativos), 3 (bloqueados), "
                      "4 (excluídos) e 5 (recentes).");
        EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, Selecionar, Ponto: 4");
    }
    EXPECT_TRUE(gravacao().textos.empty());
    EXPECT_FALSE(c->get_ResultadoDaSelecaoEmRecordset());
}

TEST_F(SituacaoDosClientes, TheAllStatusesListNeedsTheUserObject) {
    auto semUsuario = make<clsClientes>();
    EXPECT_EQ(semUsuario->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant()), Erro);
    EXPECT_EQ(semUsuario->get_NumeroDoErro(), 91);
    EXPECT_EQ(semUsuario->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, Selecionar, Ponto: 3");
    EXPECT_EQ(semUsuario->Selecionar(ListaCompleta, 0, RegistroAtivo, Variant()), Concluido);
}

TEST_F(AmbienteDeSelecao, TheRecentListTakesTheHighestCodesAndShowsThemByName) {
    // Codes rise as the names fall, so the two orders differ.
    for (int i = 1; i <= 30; ++i) {
        char nome[16];
        std::snprintf(nome, sizeof nome, "Nome %02d", 31 - i);
        inserirCliente(nome);
    }
    auto c = novoCliente();
    ASSERT_EQ(c->Selecionar(ListaPaginada, 20, RegistroRecente, Variant()), Concluido) << c->get_DescricaoDoErro();
    auto rs = c->get_ResultadoDaSelecaoEmRecordset();
    EXPECT_EQ(rs->get_RecordCount(), 20);
    EXPECT_EQ(rs->get_PageSize(), 20);
    const auto nomes = coluna(*c, "NomeOuRazaoSocial");
    EXPECT_EQ(nomes.front(), "Nome 01");
    EXPECT_EQ(nomes.back(), "Nome 20");
    EXPECT_TRUE(std::is_sorted(nomes.begin(), nomes.end()));
    const double maior = valor("SELECT MAX(Codigo) FROM Clientes").toDouble();
    const auto codigos = coluna(*c, "CodigoDoCliente");
    EXPECT_EQ(codigos.front(), sql::numero(maior));
    for (const auto& codigo : codigos) EXPECT_GT(std::stod(codigo), maior - 20);
}

TEST_F(AmbienteDeSelecao, TheStatementJoinsItsPiecesInOrder) {
    gravarOsTextos();
    auto c = novoCliente();
    ASSERT_EQ(c->Selecionar(ListaCompleta, 20, RegistroRecente, Variant(), "", 0, "", "", "", 0, Variant("Rex")),
              Concluido)
        << c->get_DescricaoDoErro();
    ASSERT_EQ(gravacao().textos.size(), 1u);
    const std::string& texto = gravacao().textos[0];
    EXPECT_TRUE(texto.starts_with("SELECT TOP 20    IIF(IsNull(Clientes.Codigo), 0, Clientes.Codigo) AS CodigoDoCliente, "))
        << texto;
    EXPECT_TRUE(texto.ends_with(
        "AS TiposECanaisDeComunicacao FROM     Animais INNER JOIN Clientes ON Animais.CodigoDoCliente = Clientes.Codigo "
        "WHERE    (Clientes.Situacao=1 OR Clientes.Situacao=2 OR Clientes.Situacao=3 OR Clientes.Situacao=4)  AND "
        "(Animais.Nome LIKE '%Rex%'  OR Animais.Microchip LIKE '%Rex%') ORDER BY    Clientes.Codigo DESC;"))
        << texto;
}

}  // namespace
}  // namespace zelt::clientanim::teste
