// The combined listing on the real database: clients as parents, their animals in the chapter.
#include "clients/ambiente.hpp"
#include "jet_translate/statements.hpp"
#include "clientanim/frame/enumeracoes.hpp"
#include "zelt/ado/json.hpp"
#include "zelt/automation/regional.hpp"
#include "zelt/clientanim/clsClientAnim.hpp"

namespace zelt::clientanim::teste {
namespace {

constexpr const char* SemRegistros = "Nenhum cliente/animal encontrado com as especificações informadas.";

// Each parent row: the client's name and the names of the animals beneath it.
using Arvore = std::vector<std::pair<std::string, std::vector<std::string>>>;

class Listagem : public Ambiente {
protected:
    void SetUp() override {
        Ambiente::SetUp();
        canina_ = valor("SELECT Codigo FROM EspeciesDeAnimais WHERE Nome = 'Canina'").toText();
        racaCanina_ = primeiraRaca(canina_);
        racaFelina_ = primeiraRaca(valor("SELECT Codigo FROM EspeciesDeAnimais WHERE Nome = 'Felina'").toText());
    }
    std::string primeiraRaca(const std::string& especie) {
        return valor("SELECT Codigo FROM RacasDeAnimais WHERE CodigoDaEspecieDeAnimal = " + especie + " ORDER BY Codigo").toText();
    }
    int cliente(const std::string& nome, int situacao, const std::string& sexo = "F", const std::string& cpf = "") {
        return static_cast<int>(
            inserirCliente(nome, {{"Situacao", std::to_string(situacao)}, {"Sexo", "'" + sexo + "'"}, {"CPFCNPJ", "'" + cpf + "'"}}));
    }
    int animal(int dono, const std::string& nome, int situacao, const std::string& microchip = "", const std::string& raca = "") {
        return static_cast<int>(inserirAnimal(
            dono, nome, {{"CodigoDaEspecie", canina_}, {"CodigoDaRaca", raca.empty() ? racaCanina_ : raca},
                         {"Microchip", "'" + microchip + "'"}, {"Sexo", "'M'"}, {"Pedigree", "False"}, {"AnimalMorto", "False"},
                         {"Situacao", std::to_string(situacao)}, {"DataEHoraDaInclusao", "'01/02/2024 10:00:00'"},
                         {"UsuarioDaInclusao", "'ana'"}}));
    }
    Ref<clsClientAnim> listagem() {
        auto l = make<clsClientAnim>();
        l->putref_DadosDoUsuario(usuario_);
        return l;
    }
    // Lists with the given status and search values, expecting result 0; the tree of the result.
    Arvore listar(int16_t situacao, const Variant& codigoOuNome = {}, const Variant& animal = {}) {
        auto l = listagem();
        const int16_t r = l->Selecionar(ListaCompleta, 0, situacao, codigoOuNome, animal);
        EXPECT_EQ(r, 0) << l->get_DescricaoDoErro();
        return r == 0 ? arvore(*l->get_ResultadoDaSelecaoEmRecordset()) : Arvore{};
    }
    static Arvore arvore(ado::Recordset& rs) {
        Arvore out;
        if (rs.get_RecordCount() == 0) return out;
        for (rs.MoveFirst(); !rs.get_EOF(); rs.MoveNext()) {
            auto filhos = refCast<ado::Recordset>(rs("Animais").toObject());
            if (!filhos) ADD_FAILURE() << "the Animais column holds no recordset";
            out.emplace_back(rs("NomeOuRazaoSocialDoCliente").toText(), testing_support::coluna(filhos, "NomeDoAnimal"));
        }
        return out;
    }

    std::string canina_, racaCanina_, racaFelina_;
};

TEST_F(Listagem, WhatEachStatusAndSearchValueLists) {
    const int ana = cliente("Ana Souza", 1, "F", "10203040570");
    animal(ana, "Rex", 1);
    animal(ana, "Rexona", 1);
    animal(ana, "Bidu", 2);
    animal(ana, "Miau", 1, "", racaFelina_);  // a dog with a cat's breed: left out
    const int bia = cliente("Bia Souza", 2);
    animal(bia, "Tom", 1, "900REX");
    animal(bia, "Velho", 2);
    const int caio = cliente("Caio", 3, "M");
    animal(caio, "Lulu", 1);
    const int nino = animal(caio, "Nino", 2);
    animal(cliente("Davi", 4, "M"), "Fofo", 2);
    cliente("O’Brien", 1);  // no animals: listed with an empty chapter
    const Arvore ativos{{"Ana Souza", {"Rex", "Rexona"}}, {"O’Brien", {}}};
    struct Caso { const char* nome; int16_t situacao; Variant busca, animal; Arvore esperada; };
    const std::vector<Caso> casos{
        // 1: active clients with their active animals only; 2: inactive with inactive only; 3 and 4: both.
        {"ativos", RegistroAtivo, {}, {}, ativos},
        {"inativos", RegistroInativo, {}, {}, {{"Bia Souza", {"Velho"}}}},
        {"bloqueados", RegistroBloqueado, {}, {}, {{"Caio", {"Lulu", "Nino"}}}},
        {"excluidos", RegistroExcluido, {}, {}, {{"Davi", {"Fofo"}}}},
        // 0: every status (4 only for an administrator), animals by name.
        {"todas", TodasAsSituacoes, {}, {}, {{"Ana Souza", {"Bidu", "Rex", "Rexona"}}, {"Bia Souza", {"Tom", "Velho"}},
                                             {"Caio", {"Lulu", "Nino"}}, {"Davi", {"Fofo"}}, {"O’Brien", {}}}},
        {"nome", TodasAsSituacoes, Variant("souza"), {}, {{"Ana Souza", {"Bidu", "Rex", "Rexona"}}, {"Bia Souza", {"Tom", "Velho"}}}},
        {"codigo", RegistroAtivo, Variant(static_cast<double>(ana)), {}, {{"Ana Souza", {"Rex", "Rexona"}}}},
        {"cpf", RegistroAtivo, Variant("10203040570"), {}, {{"Ana Souza", {"Rex", "Rexona"}}}},
        {"zero e vazio nao buscam", RegistroAtivo, Variant(0.0), Variant(""), ativos},
        // The client once per matching animal, with only the matching animals.
        {"animal", TodasAsSituacoes, {}, Variant("rex"),
         {{"Ana Souza", {"Rex", "Rexona"}}, {"Ana Souza", {"Rex", "Rexona"}}, {"Bia Souza", {"Tom"}}}},
        {"codigo do animal", TodasAsSituacoes, {}, Variant(static_cast<double>(nino)), {{"Caio", {"Nino"}}}},
        {"os dois valores", TodasAsSituacoes, Variant("Bia"), Variant("rex"), {{"Bia Souza", {"Tom"}}}},
        // A quote is written as the register stores it; a value written to break out of the literal only
        // searches for itself.
        {"aspas", TodasAsSituacoes, Variant("O'Brien"), {}, {{"O’Brien", {}}}},
        {"injecao", TodasAsSituacoes, Variant("x') OR (1=1"), {}, {}},
        {"injecao no animal", TodasAsSituacoes, {}, Variant("x' OR ''='"), {}},
        {"nulo", TodasAsSituacoes, Variant(std::string("Z\0'", 3)), {}, {}}};
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nome);
        EXPECT_EQ(listar(k.situacao, k.busca, k.animal), k.esperada);
    }
    usuario_->definir("Administrador", Variant(false));
    EXPECT_EQ(listar(TodasAsSituacoes).size(), 4u);
    EXPECT_EQ(listar(RegistroExcluido), (Arvore{{"Davi", {"Fofo"}}}));  // asked for by its status, shown to anyone
    EXPECT_EQ(contar("Clientes"), 5);
}

TEST_F(Listagem, TheListingHoldsNoTextTreatmentObject) {
    cliente("O’Brien", 1);
    // A text-treatment class that cannot be created: the listing neither needs nor asks for it.
    ClassInfo info{"ZELT_N_TrataDados.clsTratamento", "{2B7C1D44-9E0F-4A21-8C33-5D6E7F8091A2}", "ZELT_TEST_SemTratamento",
                   "Apartment", []() -> Ref<Object> { throwError(err::CannotCreateObject); }};
    registry::offerClass(info);
    registry::registerProgId(info);
    EXPECT_EQ(listar(TodasAsSituacoes, Variant("O'Brien")), (Arvore{{"O’Brien", {}}}));
}

TEST_F(Listagem, RecentListTakesTheHighestCodesSortedByNameWithAnimalsByCodeDescending) {
    std::vector<int> codigos;
    for (int i = 0; i < 30; ++i)
        codigos.push_back(cliente("Cliente " + std::string(1, static_cast<char>('Z' - i % 26)) + std::to_string(i), 1));
    animal(codigos.back(), "Primeiro", 1);
    animal(codigos.back(), "Segundo", 1);
    animal(codigos.front(), "Antigo", 1);  // its owner is not among the 20
    auto l = listagem();
    ASSERT_EQ(l->Selecionar(ListaPaginada, 20, RegistroRecente, Variant(), Variant()), 0) << l->get_DescricaoDoErro();
    auto rs = l->get_ResultadoDaSelecaoEmRecordset();
    ASSERT_EQ(rs->get_RecordCount(), 20);
    std::vector<std::string> nomes;
    for (const auto& [nome, animais] : arvore(*rs)) {
        nomes.push_back(nome);
        EXPECT_EQ(animais, nome == "Cliente W29" ? (std::vector<std::string>{"Segundo", "Primeiro"})
                                                 : std::vector<std::string>{}) << nome;
    }
    for (const auto& codigo : testing_support::coluna(rs, "CodigoDoCliente")) EXPECT_GE(std::stoi(codigo), codigos[10]);
    EXPECT_TRUE(std::is_sorted(nomes.begin(), nomes.end(),
                               [](const std::string& a, const std::string& b) { return regional::compareText(a, b) < 0; }));
    // Read whole (as zelt run prints it), each sorted row still carries its own client's animals.
    const auto json = ado::toJson(*rs);
    for (const auto& linha : json.at("rows"))
        for (const auto& filho : linha.at(4).at("rows")) EXPECT_EQ(filho.at(1), linha.at(0)) << linha.dump();
    EXPECT_EQ(json.at("rows").back().at(2), nomes.back());
    // The list kind has no effect.
    auto completa = listagem();
    ASSERT_EQ(completa->Selecionar(ListaCompleta, 20, RegistroRecente, Variant(), Variant()), 0);
    EXPECT_EQ(completa->get_ResultadoDaSelecaoEmRecordset()->get_PageSize(), rs->get_PageSize());
    EXPECT_EQ(arvore(*completa->get_ResultadoDaSelecaoEmRecordset()), arvore(*rs));
}

// An empty result is stored with its message, which a later result with rows leaves as it was; a
// refusal or an error keeps the earlier result.
TEST_F(Listagem, EmptyResultsRefusalsAndErrors) {
    cliente("Ana", 1);
    auto l = listagem();
    ASSERT_EQ(l->Selecionar(ListaCompleta, 0, RegistroBloqueado, Variant(), Variant()), 0);
    EXPECT_EQ(l->get_ResultadoDaSelecaoEmRecordset()->get_RecordCount(), 0);
    EXPECT_EQ(l->get_ResultadoDaSelecaoEmRecordset()->fieldCount(), 5);
    EXPECT_EQ(l->get_DescricaoDaFalha(), SemRegistros);
    ASSERT_EQ(l->Selecionar(ListaCompleta, 0, RegistroAtivo, Variant(), Variant()), 0);
    EXPECT_EQ(l->get_DescricaoDaFalha(), SemRegistros);
    gravarOsTextos();
    for (int16_t fora : {int16_t{6}, int16_t{-1}}) {
        EXPECT_EQ(l->Selecionar(ListaCompleta, 0, fora, Variant("Ana"), Variant()), 1);
        EXPECT_EQ(l->get_NumeroDoErro(), 5);
        EXPECT_NE(l->get_DescricaoDoErro().find("lintSituacaoParaFiltro recebeu " + std::to_string(fora)), std::string::npos)
            << l->get_DescricaoDoErro();
        EXPECT_EQ(l->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientAnim, Selecionar, Ponto: 3");
    }
    EXPECT_TRUE(gravacao().textos.empty());  // nothing was sent
    EXPECT_EQ(l->Selecionar(ListaPaginada, -1, RegistroRecente, Variant(), Variant()), 1);  // "TOP -1"
    EXPECT_EQ(l->get_NumeroDoErro(), -2147217900);
    EXPECT_EQ(l->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientAnim, Selecionar, Ponto: 4");
    EXPECT_EQ(l->get_ResultadoDaSelecaoEmRecordset()->get_RecordCount(), 1);
    // Without a user object only the statuses that need no user work.
    auto semUsuario = make<clsClientAnim>();
    for (int16_t situacao : {TodasAsSituacoes, RegistroRecente}) {
        EXPECT_EQ(semUsuario->Selecionar(ListaCompleta, 10, situacao, Variant(), Variant()), 1);
        EXPECT_EQ(semUsuario->get_NumeroDoErro(), 91);
        EXPECT_EQ(semUsuario->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientAnim, Selecionar, Ponto: 3");
    }
    EXPECT_EQ(semUsuario->Selecionar(ListaCompleta, 0, RegistroAtivo, Variant(), Variant()), 0);
}

// The data-access members in their order; a failure to close is result 1 with the component's error and no
// new result; an opening that fails or refuses stops before the command.
TEST_F(Listagem, TheConversationWithTheDataAccessComponent) {
    cliente("Ana", 1);
    gravarOsTextos();
    auto l = listagem();
    ASSERT_EQ(l->Selecionar(ListaCompleta, 0, RegistroAtivo, Variant(), Variant()), 0) << l->get_DescricaoDoErro();
    EXPECT_EQ(gravacao().membros,
              (std::vector<std::string>{"AbrirConexao", "ReferenciaDeConexao", "ReferenciaDeRecordset", "FecharConexao"}));
    EXPECT_EQ(l->get_ResultadoDaSelecaoEmRecordset()->get_RecordCount(), 1);
    struct Caso { int16_t abrir, fechar, resultado; std::vector<std::string> membros; };
    for (const Caso& k : std::vector<Caso>{
             {0, 1, 1, {}}, {1, 0, 1, {}}, {3, 0, 3, {"AbrirConexao", "DescricaoDaFalha"}}}) {
        SCOPED_TRACE(std::to_string(k.abrir) + " " + std::to_string(k.fechar));
        gravarOsTextos();
        gravacao().resultadoDaAbertura = k.abrir;
        gravacao().resultadoDoFechamento = k.fechar;
        auto outra = listagem();
        EXPECT_EQ(outra->Selecionar(ListaCompleta, 0, RegistroAtivo, Variant(), Variant()), k.resultado);
        EXPECT_FALSE(outra->get_ResultadoDaSelecaoEmRecordset());
        if (k.resultado == 1) {
            EXPECT_EQ(outra->get_NumeroDoErro(), -2147467259);
            EXPECT_EQ(outra->get_DescricaoDoErro(), "O banco de dados não abriu.");
            EXPECT_EQ(outra->get_LocalDoErro(), DadosDeAcessoGravados::LocalDaAbertura);
        } else {
            EXPECT_EQ(outra->get_DescricaoDaFalha(), DadosDeAcessoGravados::DescricaoDaFalha);
            EXPECT_EQ(outra->get_NumeroDoErro(), 0);  // a refusal writes no error
            EXPECT_EQ(gravacao().membros, k.membros);
        }
    }
}

// The command's column texts, as the component writes them.
const char* const ColunasDosClientes[] = {
    R"jet(        Clientes.Codigo AS CodigoDoCliente, )jet",
    R"jet(        Clientes.ApelidoOuNomeFantasia As ApelidoOuNomeFantasiaDoCliente, )jet",
    R"jet(        Clientes.NomeOuRazaoSocial As NomeOuRazaoSocialDoCliente, )jet",
    R"jet(        IIF(IsNull(Clientes.Situacao), 'Ativo', SWITCH(Clientes.Situacao=1, IIF(Clientes.Sexo='M', 'Ativo', 'Ativa'), Clientes.Situacao=2, IIF(Clientes.Sexo='M', 'Inativo', 'Inativa'), Clientes.Situacao=3, IIF(Clientes.Sexo='M', 'Bloqueado', 'Bloqueada'), Clientes.Situacao=4, IIF(Clientes.Sexo='M', 'Excluído', 'Excluída'))) AS NomeDaSituacaoDoCliente )jet",
};
const char* const ColunasDosAnimais[] = {
    R"jet(           Animais.Codigo AS CodigoDoAnimal, )jet",
    R"jet(           Animais.CodigoDoCliente AS CodigoDoClienteDeAnimais, )jet",
    R"jet(           Animais.Nome As NomeDoAnimal, )jet",
    R"jet(           EspeciesDeAnimais.Nome As NomeDaEspecieDoAnimal, )jet",
    R"jet(           RacasDeAnimais.Nome As NomeDaRacaDoAnimal, )jet",
    R"jet(           IIF(Animais.Situacao=1, 'Ativo', 'Inativo') AS NomeDaSituacaoDoAnimal, )jet",
    R"jet(           Format(Animais.DataEHoraDaInclusao,'DD/MM/YYYY HH:MM:SS') AS DataEHoraDaInclusao, )jet",
    R"jet(           IIF(IsNull(Animais.UsuarioDaInclusao), '', Animais.UsuarioDaInclusao) AS UsuarioDaInclusao, )jet",
    R"jet(           Format(Animais.DataEHoraDaAlteracao,'DD/MM/YYYY HH:MM:SS') AS DataEHoraDaAlteracao, )jet",
    R"jet(           IIF(IsNull(Animais.UsuarioDaAlteracao), '', Animais.UsuarioDaAlteracao) AS UsuarioDaAlteracao )jet",
};
template <size_t N>
std::string emSequencia(const char* const (&colunas)[N]) {
    std::string out;
    for (const char* c : colunas) out += c;
    return out;
}

TEST_F(Listagem, TheCommandTextAsSent) {
    const auto pai = [](const std::string& cabeca, bool comAnimais) {
        return "           SHAPE      { " + cabeca + emSequencia(ColunasDosClientes) + "     FROM " +
               (comAnimais ? "   Animais INNER JOIN Clientes ON Animais.CodigoDoCliente = Clientes.Codigo " : "   Clientes ") +
               "WHERE ";
    };
    const std::string filho =
        "     } AS Clientes      APPEND      (         {         SELECT " + emSequencia(ColunasDosAnimais) +
        "        FROM            EspeciesDeAnimais INNER JOIN (RacasDeAnimais INNER JOIN Animais ON RacasDeAnimais.Codigo = "
        "Animais.CodigoDaRaca) ON (EspeciesDeAnimais.Codigo = RacasDeAnimais.CodigoDaEspecieDeAnimal) AND "
        "(EspeciesDeAnimais.Codigo = Animais.CodigoDaEspecie) WHERE ";
    const std::string relacao = "        }         RELATE            CodigoDoCliente TO CodigoDoClienteDeAnimais      ) AS Animais ";
    const std::string porNome = "     ORDER BY    Clientes.NomeOuRazaoSocial ASC" + filho;
    const std::string ambos = "   (Animais.Situacao=1 OR Animais.Situacao=2) ";
    const std::string animalRex = " AND (Animais.Nome LIKE '%Rex’s%'  OR Animais.Microchip LIKE '%Rex’s%') ";
    const std::string animal7 = " AND (Animais.Codigo = 7  OR Animais.Microchip LIKE '%7%') ";
    struct Caso { bool administrador; int16_t situacao; Variant busca, animal; std::string esperado; };
    const std::vector<Caso> casos{
        {true, RegistroRecente, {}, {},
         pai(" SELECT TOP 20 ", false) + "   (Clientes.Situacao=1 OR Clientes.Situacao=2 OR Clientes.Situacao=3 OR "
         "Clientes.Situacao=4)      ORDER BY    Clientes.Codigo DESC" + filho + ambos +
         "        ORDER BY    Animais.Codigo DESC" + relacao},
        {false, TodasAsSituacoes, Variant("10203040570"), {},
         pai(" SELECT ", false) + "   (Clientes.Situacao=1 OR Clientes.Situacao=2 OR Clientes.Situacao=3)  AND "
         "(Clientes.Codigo = 10203040570  OR Clientes.CPFCNPJ LIKE '%10203040570%') " + porNome + ambos +
         "        ORDER BY    Animais.Nome ASC" + relacao},
        // Quotes made safe.
        {true, RegistroAtivo, Variant("d'Ávila"), Variant("Rex's"),
         pai(" SELECT ", true) + "   (Clientes.Situacao=1)  AND (Clientes.ApelidoOuNomeFantasia LIKE '%d’Ávila%'  OR "
         "Clientes.NomeOuRazaoSocial LIKE '%d’Ávila%'  OR Clientes.Logradouro LIKE '%d’Ávila%') " + animalRex + porNome +
         "   Animais.Situacao=1 " + animalRex + "        ORDER BY    Animais.Nome ASC" + relacao},
        {true, RegistroBloqueado, Variant(15.0), Variant(int32_t{7}),
         pai(" SELECT ", true) + "   (Clientes.Situacao=3)  AND (Clientes.Codigo = 15) " + animal7 + porNome + ambos +
         animal7 + "        ORDER BY    Animais.Nome ASC" + relacao}};
    gravarOsTextos();
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.situacao);
        usuario_->definir("Administrador", Variant(k.administrador));
        gravacao().textos.clear();
        auto l = listagem();
        EXPECT_EQ(l->Selecionar(ListaPaginada, 20, k.situacao, k.busca, k.animal), 0) << l->get_DescricaoDoErro();
        EXPECT_EQ(gravacao().textos, std::vector<std::string>{k.esperado});
    }
}

TEST_F(Listagem, ReachableByDispatchInSlotOrder) {
    auto l = CreateObject("ZELT_N_ClientAnim.clsClientAnim");
    putRefProperty(*l, "DadosDoUsuario", usuario_);
    EXPECT_EQ(callByName(*l, "Selecionar", {Variant(1.0), Variant(10.0), Variant(0.0), Variant(""), Variant("")}).toInt16(), 0);
    EXPECT_EQ(getProperty(*l, "DescricaoDaFalha").toText(), SemRegistros);
    const char* membros[] = {"Selecionar", "ResultadoDaSelecaoEmRecordset", "NumeroDoErro", "DescricaoDoErro",
                             "LocalDoErro", "DescricaoDaFalha", "DadosDoUsuario"};
    for (int32_t i = 0; i < 7; ++i) EXPECT_EQ(l->GetIDsOfNames(membros[i]), i + 1) << membros[i];
    EXPECT_THROW(callByName(*l, "Selecionar", {Variant(1.0)}), RuntimeError);  // every argument is required
}

}  // namespace
}  // namespace zelt::clientanim::teste
