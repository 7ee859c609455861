// Selecionar: which rows each search argument finds, and the status filters.
#include "ambiente_de_selecao.hpp"
#include "jet_translate/statements.hpp"

namespace zelt::clientanim::teste {
namespace {

using Linhas = std::vector<std::string>;
const std::string Todas = "WHERE    (Clientes.Situacao=1 OR Clientes.Situacao=2 OR Clientes.Situacao=3 OR Clientes.Situacao=4) ";

class BuscaDeClientes : public AmbienteDeSelecao {
protected:
    void SetUp() override {
        AmbienteDeSelecao::SetUp();
        c = novoCliente();
        ana = inserirCliente("Ana Souza", {{"ApelidoOuNomeFantasia", "'Aninha'"}, {"CPFCNPJ", "'12345678901'"},
                                           {"Logradouro", "'Rua das Flores'"}, {"Sexo", "'F'"}});
        bruno = inserirCliente("Bruno Lima", {{"CPFCNPJ", "'12345678900'"}, {"Logradouro", "'Avenida Brasil'"}});
        inserirCliente("Pet Shop Ltda", {{"TipoDeCliente", "'PJ'"}, {"CPFCNPJ", "'91234567890155'"}});
        inserirCliente("Comercial Ltda", {{"TipoDeCliente", "'PJ'"}, {"CPFCNPJ", "'11222333000181'"}});
        inserirCliente("Patrick O’Brien");
        rex = inserirAnimal(ana, "Rex");
        inserirAnimal(ana, "Rex Junior", {{"Microchip", "'9850004'"}});
        inserirAnimal(bruno, "Mimi", {{"Microchip", "'9850005'"}});
    }
    Ref<clsClientes> c;
    double ana = 0, bruno = 0, rex = 0;
};

TEST_F(BuscaDeClientes, WhatEachSearchArgumentFinds) {
    struct Caso {
        const char* nome;
        Variant geral;
        std::string nomeDoCliente;
        double codigo;
        std::string logradouro;
        Variant animal;
        Linhas esperados;
        std::string condicao = "";  // what the statement ends with after the status, when it shows there
    };
    const std::vector<Caso> casos{
        {"onze digitos: o codigo e todo documento que os contem", Variant("12345678901"), "", 0, "", Variant(),
         {"Ana Souza", "Pet Shop Ltda"}, " AND (Clientes.Codigo = 12345678901  OR Clientes.CPFCNPJ LIKE '%12345678901%') "},
        {"quatorze digitos como numero", Variant(11222333000181.0), "", 0, "", Variant(), {"Comercial Ltda"}},
        // Every document above holds the digit of Bruno's code: only the code counts.
        {"numero curto so o codigo", Variant(static_cast<int32_t>(bruno)), "", 0, "", Variant(), {"Bruno Lima"}},
        {"codigo em texto", Variant(sql::numero(ana)), "", 0, "", Variant(), {"Ana Souza"}},
        {"codigo inexistente", Variant(123.0), "", 0, "", Variant(), {}, " AND (Clientes.Codigo = 123) "},
        {"texto no logradouro", Variant("Flores"), "", 0, "", Variant(), {"Ana Souza"},
         " AND (Clientes.ApelidoOuNomeFantasia LIKE '%Flores%'  OR Clientes.NomeOuRazaoSocial LIKE '%Flores%'  OR "
         "Clientes.Logradouro LIKE '%Flores%') "},
        {"texto no apelido", Variant("aninha"), "", 0, "", Variant(), {"Ana Souza"}},
        {"texto no nome", Variant("Ltda"), "", 0, "", Variant(), {"Comercial Ltda", "Pet Shop Ltda"}},
        {"aspas", Variant("O'Brien"), "", 0, "", Variant(), {"Patrick O’Brien"}},
        {"ninguem", Variant("Ninguém"), "", 0, "", Variant(), {}},
        {"o valor geral exclui os outros", Variant("Bruno"), "Ana", ana, "Flores", Variant(), {"Bruno Lima"}},
        {"o nome antes do codigo", Variant(), "Bruno", ana, "Flores", Variant(), {"Bruno Lima"}},
        {"so o nome", Variant(), "Ana", 7, "", Variant(), {"Ana Souza"},
         " AND (Clientes.ApelidoOuNomeFantasia LIKE '%Ana%'  OR Clientes.NomeOuRazaoSocial LIKE '%Ana%') "},
        {"o codigo antes do logradouro", Variant(""), "  ", ana, "Brasil", Variant(), {"Ana Souza"}},
        {"so o codigo", Variant(), "", 7, "Flores", Variant(), {}, " AND (Clientes.Codigo = 7) "},
        {"so o logradouro", Variant(0.0), "", 0, "Brasil", Variant(), {"Bruno Lima"}},
        {"o logradouro como enviado", Variant(), "", 0, "Flores", Variant(), {"Ana Souza"},
         " AND (Clientes.Logradouro LIKE '%Flores%') "},
        {"injecao no nome", Variant(), "x' OR 'a'='a", 0, "", Variant(), {}},
        {"um cliente por animal", Variant(), "", 0, "", Variant("Rex"), {"Ana Souza", "Ana Souza"}},
        {"codigo do animal", Variant(), "", 0, "", Variant(rex), {"Ana Souza"}},
        {"microchip", Variant(), "", 0, "", Variant("0005"), {"Bruno Lima"}},
        {"o animal soma-se ao valor geral", Variant("a"), "", 0, "", Variant("Mimi"), {"Bruno Lima"}},
        // The name applies, so the animal condition is left out; clients without animals drop out.
        {"o nome deixa o animal", Variant(), "a", 0, "", Variant("Mimi"), {"Ana Souza", "Ana Souza", "Bruno Lima"}},
    };
    gravarOsTextos();
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nome);
        ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, k.geral, k.nomeDoCliente, k.codigo, k.logradouro,
                                "", "", 0, k.animal), Concluido) << c->get_DescricaoDoErro();
        EXPECT_EQ(coluna(*c, "NomeOuRazaoSocial"), k.esperados);
        if (k.esperados.empty()) {
            EXPECT_EQ(c->get_DescricaoDaFalha(), "Nenhum cliente encontrado com as especificações informadas.");
        }
        if (!k.condicao.empty()) {
            EXPECT_TRUE(gravacao().textos.back().ends_with("FROM     Clientes " + Todas + k.condicao +
                                                           "ORDER BY    Clientes.NomeOuRazaoSocial ASC;"))
                << gravacao().textos.back();
        }
    }
    EXPECT_EQ(c->get_NumeroTotalDeRegistros(), 0);  // no operation assigns it
}

TEST_F(BuscaDeClientes, EveryRowCarriesTheDisplayTexts) {
    sql("UPDATE Clientes SET CEP='01310100', TipoDeLogradouro='Rua', Numero='10', Bairro='Centro', "
        "Cidade='São Paulo', UF='SP', DataDeNascimento='3112', AnoDeNascimento='1980', LimiteDeCredito=1234.5, "
        "TipoDeCanalDeComunicacao1='Email', CanalDeComunicacao1='ana@exemplo.com.br' WHERE Codigo=" + sql::numero(ana));
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), "", ana), Concluido) << c->get_DescricaoDoErro();
    auto rs = c->get_ResultadoDaSelecaoEmRecordset();
    ASSERT_EQ(rs->fieldCount(), 64);
    EXPECT_EQ(rs->fieldDef(0).name, "CodigoDoCliente");
    EXPECT_EQ(rs->fieldDef(63).name, "TiposECanaisDeComunicacao");
    for (const auto& [campo, esperado] : std::vector<std::pair<std::string, std::string>>{
             {"CPFCNPJ", "123.456.789-01"}, {"DataDeNascimento", "31/12/1980"}, {"CEP", "01310-100"},
             {"LimiteDeCredito", "1.234,50"}, {"Credito", "0,00"}, {"VIP", "Não"}, {"NomeDaSituacao", "Ativa"},
             {"EnderecoCompletoComCEP", "Rua Rua das Flores, 10 - Centro - CEP:01310-100 - São Paulo / SP"},
             {"TiposECanaisDeComunicacao", "Email ana@exemplo.com.br "}})
        EXPECT_EQ((*rs)(campo).toText(), esperado) << campo;
    ASSERT_EQ(c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(11222333000181.0)), Concluido);
    EXPECT_EQ(coluna(*c, "CPFCNPJ"), (Linhas{"11.222.333/0001-81"}));
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
    for (const Caso& k : std::vector<Caso>{
             {Variant(true), todas}, {Variant(false), semExcluidos}, {Variant(int16_t{-1}), todas}, {Variant(-1.0), todas},
             {Variant(Currency::fromInt(-1)), todas}, {Variant(int32_t{1}), semExcluidos}, {Variant(" verdadeiro"), todas},
             {Variant("TRUE"), todas}, {Variant("-1"), todas}, {Variant("1"), semExcluidos},
             {Variant("Falso"), semExcluidos}, {Variant::null(), semExcluidos}, {Variant(), semExcluidos},
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
    // An explicit filter shows its status to everybody.
    for (int16_t s = 1; s <= 4; ++s) {
        ASSERT_EQ(c->Selecionar(ListaCompleta, 0, s, Variant()), Concluido);
        EXPECT_EQ(coluna(*c, "Situacao"), (Linhas{std::to_string(s)}));
    }
}

TEST_F(SituacaoDosClientes, RefusedFiltersAndTheMissingUserObject) {
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
    // The all-statuses list needs the user object; a single status does not.
    auto semUsuario = make<clsClientes>();
    EXPECT_EQ(semUsuario->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant()), Erro);
    EXPECT_EQ(semUsuario->get_NumeroDoErro(), 91);
    EXPECT_EQ(semUsuario->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, Selecionar, Ponto: 3");
    EXPECT_EQ(semUsuario->Selecionar(ListaCompleta, 0, RegistroAtivo, Variant()), Concluido);
}

TEST_F(AmbienteDeSelecao, TheRecentListTakesTheHighestCodesAndShowsThemByName) {
    // Codes rise as the names fall, so the two orders differ.
    for (int i = 30; i >= 1; --i) inserirCliente((i < 10 ? "Nome 0" : "Nome ") + std::to_string(i));
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

    // The statement joins its pieces in order.
    gravarOsTextos();
    ASSERT_EQ(c->Selecionar(ListaCompleta, 20, RegistroRecente, Variant(), "", 0, "", "", "", 0, Variant("Rex")), Concluido)
        << c->get_DescricaoDoErro();
    ASSERT_EQ(gravacao().textos.size(), 1u);
    EXPECT_EQ(gravacao().textos[0], statements::clientSelection({5, true, 20, "", "", "0", "", "", "", "Rex", 0}));
}

}  // namespace
}  // namespace zelt::clientanim::teste
