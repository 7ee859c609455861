// The combined listing on the real database: clients as parents, their animals in the chapter.
#include "clients/ambiente.hpp"
#include "clientanim/frame/enumeracoes.hpp"
#include "zelt/ado/json.hpp"
#include "zelt/clientanim/clsClientAnim.hpp"

namespace zelt::clientanim::teste {
namespace {

constexpr const char* SemRegistros = "Nenhum cliente/animal encontrado com as especificações informadas.";

// Each parent row: the client's name and the names of the animals beneath it.
using Arvore = std::vector<std::pair<std::string, std::vector<std::string>>>;

class Listagem : public Ambiente {
protected:
    int cliente(const std::string& nome, int situacao, Colunas c = {}) {
        c.emplace_back("Situacao", std::to_string(situacao));
        return static_cast<int>(inserirCliente(nome, c));
    }
    int animal(int dono, const std::string& nome, int situacao, Colunas c = {}) {
        c.emplace_back("Situacao", std::to_string(situacao));
        return static_cast<int>(inserirAnimal(dono, nome, c));
    }
    Ref<clsClientAnim> listagem() {
        auto l = make<clsClientAnim>();
        l->putref_DadosDoUsuario(usuario_);
        return l;
    }
    Arvore listar(int16_t situacao, const Variant& codigoOuNome = {}, const Variant& animal = {}) {
        auto l = listagem();
        EXPECT_EQ(l->Selecionar(ListaCompleta, 0, situacao, codigoOuNome, animal), 0) << l->get_DescricaoDoErro();
        return l->get_ResultadoDaSelecaoEmRecordset() ? arvore(*l->get_ResultadoDaSelecaoEmRecordset()) : Arvore{};
    }
    static Arvore arvore(ado::Recordset& rs) {
        Arvore out;
        if (rs.get_RecordCount() == 0) return out;
        for (rs.MoveFirst(); !rs.get_EOF(); rs.MoveNext()) {
            auto filhos = refCast<ado::Recordset>(rs("Animais").toObject());
            out.emplace_back(rs("NomeOuRazaoSocialDoCliente").toText(), testing_support::coluna(filhos, "NomeDoAnimal"));
        }
        return out;
    }
};

// A text-treatment class that cannot be created: the listing neither needs nor asks for it.
TEST_F(Listagem, WhatEachStatusAndSearchValueLists) {
    ClassInfo info{"ZELT_N_TrataDados.clsTratamento", "{2B7C1D44-9E0F-4A21-8C33-5D6E7F8091A2}", "ZELT_TEST_SemTratamento",
                   "Apartment", []() -> Ref<Object> { throwError(err::CannotCreateObject); }};
    registry::offerClass(info);
    registry::registerProgId(info);
    const int ana = cliente("Ana Souza", 1, {{"CPFCNPJ", "'10203040570'"}}), bia = cliente("Bia Souza", 2), caio = cliente("Caio", 3);
    for (const auto& [dono, nome, situacao] : std::vector<std::tuple<int, const char*, int>>{
             {ana, "Rex", 1}, {ana, "Rexona", 1}, {ana, "Bidu", 2}, {bia, "Velho", 2}, {caio, "Lulu", 1}, {cliente("Davi", 4), "Fofo", 2}})
        animal(dono, nome, situacao);
    // A dog with a cat's breed: left out.
    animal(ana, "Miau", 1, {{"CodigoDaRaca", valor("SELECT MIN(Codigo) FROM RacasDeAnimais WHERE CodigoDaEspecieDeAnimal=2").toText()}});
    const int nino = animal(caio, "Nino", 2);
    animal(bia, "Tom", 1, {{"Microchip", "'900REX'"}});
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
        // A quote as the register stores it; a value meant to break out of the literal finds only itself.
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
}

TEST_F(Listagem, RecentListTakesTheHighestCodesSortedByNameWithAnimalsByCodeDescending) {
    int ultimo = 0;
    for (int i = 0; i < 30; ++i) ultimo = cliente("Cliente " + std::string(1, static_cast<char>('Z' - i % 26)) + std::to_string(i), 1);
    animal(ultimo, "Primeiro", 1);
    animal(ultimo, "Segundo", 1);
    animal(ultimo - 29, "Antigo", 1);  // its owner is not among the 20
    // The last 20 by name: "Cliente A25" to "Cliente P10", then "Cliente W29" to "Cliente Z26".
    Arvore esperada;
    for (int i = 25; i >= 10; --i) esperada.push_back({"Cliente " + std::string(1, static_cast<char>('Z' - i)) + std::to_string(i), {}});
    esperada.push_back({"Cliente W29", {"Segundo", "Primeiro"}});
    for (const char* nome : {"Cliente X28", "Cliente Y27", "Cliente Z26"}) esperada.push_back({nome, {}});
    auto l = listagem();
    ASSERT_EQ(l->Selecionar(ListaPaginada, 20, RegistroRecente, Variant(), Variant()), 0) << l->get_DescricaoDoErro();
    auto rs = l->get_ResultadoDaSelecaoEmRecordset();
    EXPECT_EQ(arvore(*rs), esperada);
    // Read whole (as zelt run prints it), each sorted row still carries its own client's animals.
    const auto json = ado::toJson(*rs);
    for (const auto& linha : json.at("rows"))
        for (const auto& filho : linha.at(4).at("rows")) EXPECT_EQ(filho.at(1), linha.at(0)) << linha.dump();
    EXPECT_EQ(json.at("rows").back().at(2), "Cliente Z26");
    EXPECT_EQ(rs->get_PageSize(), 10);  // the list kind sets no page size
}

// An empty result is stored with its message, which a later result with rows leaves as it was; a
// refusal or an error keeps the earlier result.
TEST_F(Listagem, EmptyResultsRefusalsAndErrors) {
    cliente("Ana", 1);
    auto l = listagem(), semUsuario = make<clsClientAnim>();
    ASSERT_EQ(l->Selecionar(ListaCompleta, 0, RegistroBloqueado, Variant(), Variant()), 0);
    EXPECT_EQ(l->get_ResultadoDaSelecaoEmRecordset()->get_RecordCount(), 0);
    EXPECT_EQ(l->get_ResultadoDaSelecaoEmRecordset()->fieldCount(), 5);
    EXPECT_EQ(l->get_DescricaoDaFalha(), SemRegistros);
    ASSERT_EQ(l->Selecionar(ListaCompleta, 0, RegistroAtivo, Variant(), Variant()), 0);
    EXPECT_EQ(l->get_DescricaoDaFalha(), SemRegistros);
    gravarOsTextos();
    // Statuses out of range, "TOP -1", and without a user object the statuses that need one.
    struct Caso { Ref<clsClientAnim> objeto; int16_t tamanho, situacao; int32_t numero; int ponto; size_t enviados; };
    for (const Caso& k : std::vector<Caso>{{l, 0, 6, 5, 3, 0}, {l, 0, -1, 5, 3, 0}, {l, -1, RegistroRecente, -2147217900, 4, 1},
                                           {semUsuario, 10, TodasAsSituacoes, 91, 3, 1}, {semUsuario, 10, RegistroRecente, 91, 3, 1}}) {
        SCOPED_TRACE(k.situacao);
        EXPECT_EQ(k.objeto->Selecionar(ListaPaginada, k.tamanho, k.situacao, Variant("Ana"), Variant()), 1);
        EXPECT_EQ(k.objeto->get_NumeroDoErro(), k.numero);
        EXPECT_EQ(k.objeto->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientAnim, Selecionar, Ponto: " + std::to_string(k.ponto));
        const std::string descricao = k.objeto->get_DescricaoDoErro();
        EXPECT_TRUE(k.numero != 5 || descricao.find("lintSituacaoParaFiltro recebeu " + std::to_string(k.situacao)) != std::string::npos);
        EXPECT_EQ(gravacao().textos.size(), k.enviados);
    }
    EXPECT_EQ(l->get_ResultadoDaSelecaoEmRecordset()->get_RecordCount(), 1);
    EXPECT_EQ(semUsuario->Selecionar(ListaCompleta, 0, RegistroAtivo, Variant(), Variant()), 0);
    // The data-access members in their order; a failure to close is result 1 with the component's error and
    // no new result; an opening that fails or refuses stops before the command.
    struct Dialogo { int16_t abrir, fechar, resultado; std::vector<std::string> membros; };
    for (const Dialogo& k : std::vector<Dialogo>{{0, 0, 0, {"AbrirConexao", "ReferenciaDeConexao", "ReferenciaDeRecordset",
                                                           "FecharConexao"}},
                                                 {0, 1, 1, {}}, {1, 0, 1, {}}, {3, 0, 3, {"AbrirConexao", "DescricaoDaFalha"}}}) {
        SCOPED_TRACE(std::to_string(k.abrir) + " " + std::to_string(k.fechar));
        gravarOsTextos();
        gravacao().resultadoDaAbertura = k.abrir;
        gravacao().resultadoDoFechamento = k.fechar;
        auto outra = listagem();
        EXPECT_EQ(outra->Selecionar(ListaCompleta, 0, RegistroAtivo, Variant(), Variant()), k.resultado);
        EXPECT_EQ(static_cast<bool>(outra->get_ResultadoDaSelecaoEmRecordset()), k.resultado == 0);
        if (!k.membros.empty()) { EXPECT_EQ(gravacao().membros, k.membros); }
        EXPECT_EQ(outra->get_NumeroDoErro(), k.resultado == 1 ? -2147467259 : 0);  // a refusal writes no error
        EXPECT_EQ(outra->get_LocalDoErro(), k.resultado == 1 ? DadosDeAcessoGravados::LocalDaAbertura : "");
        if (k.resultado == 1) { EXPECT_EQ(outra->get_DescricaoDoErro(), "O banco de dados não abriu."); }
        if (k.resultado == 3) { EXPECT_EQ(outra->get_DescricaoDaFalha(), DadosDeAcessoGravados::DescricaoDaFalha); }
    }
}

// The command's column texts, as the component writes them.
const std::string ColunasDosClientes =
    "        Clientes.Codigo AS CodigoDoCliente, "
    "        Clientes.ApelidoOuNomeFantasia As ApelidoOuNomeFantasiaDoCliente, "
    "        Clientes.NomeOuRazaoSocial As NomeOuRazaoSocialDoCliente, "
    "        IIF(IsNull(Clientes.Situacao), 'Ativo', SWITCH(Clientes.Situacao=1, IIF(Clientes.Sexo='M', 'Ativo', 'Ativa'), Clientes.Situacao=2, IIF(Clientes.Sexo='M', 'Inativo', 'Inativa'), Clientes.Situacao=3, IIF(Clientes.Sexo='M', 'Bloqueado', 'Bloqueada'), Clientes.Situacao=4, IIF(Clientes.Sexo='M', 'Excluído', 'Excluída'))) AS NomeDaSituacaoDoCliente ";
const std::string ColunasDosAnimais =
    "           Animais.Codigo AS CodigoDoAnimal, "
    "           Animais.CodigoDoCliente AS CodigoDoClienteDeAnimais, "
    "           Animais.Nome As NomeDoAnimal, "
    "           EspeciesDeAnimais.Nome As NomeDaEspecieDoAnimal, "
    "           RacasDeAnimais.Nome As NomeDaRacaDoAnimal, "
    "           IIF(Animais.Situacao=1, 'Ativo', 'Inativo') AS NomeDaSituacaoDoAnimal, "
    "           Format(Animais.DataEHoraDaInclusao,'DD/MM/YYYY HH:MM:SS') AS DataEHoraDaInclusao, "
    "           IIF(IsNull(Animais.UsuarioDaInclusao), '', Animais.UsuarioDaInclusao) AS UsuarioDaInclusao, "
    "           Format(Animais.DataEHoraDaAlteracao,'DD/MM/YYYY HH:MM:SS') AS DataEHoraDaAlteracao, "
    "           IIF(IsNull(Animais.UsuarioDaAlteracao), '', Animais.UsuarioDaAlteracao) AS UsuarioDaAlteracao ";

TEST_F(Listagem, TheCommandTextAsSent) {
    const auto pai = [](const std::string& cabeca, bool comAnimais) {
        return "           SHAPE      { " + cabeca + ColunasDosClientes + "     FROM " +
               (comAnimais ? "   Animais INNER JOIN Clientes ON Animais.CodigoDoCliente = Clientes.Codigo WHERE " : "   Clientes WHERE ");
    };
    const std::string filho =
        "     } AS Clientes      APPEND      (         {         SELECT " + ColunasDosAnimais +
        "        FROM            EspeciesDeAnimais INNER JOIN (RacasDeAnimais INNER JOIN Animais ON RacasDeAnimais.Codigo = "
        "Animais.CodigoDaRaca) ON (EspeciesDeAnimais.Codigo = RacasDeAnimais.CodigoDaEspecieDeAnimal) AND "
        "(EspeciesDeAnimais.Codigo = Animais.CodigoDaEspecie) WHERE ";
    const std::string relacao = "        }         RELATE            CodigoDoCliente TO CodigoDoClienteDeAnimais      ) AS Animais ";
    const std::string porNome = "     ORDER BY    Clientes.NomeOuRazaoSocial ASC" + filho;
    const std::string ambos = "   (Animais.Situacao=1 OR Animais.Situacao=2) ";
    const std::string animalRex = " AND (Animais.Nome LIKE '%Rex’s%'  OR Animais.Microchip LIKE '%Rex’s%') ";
    const std::string animal7 = " AND (Animais.Codigo = 7  OR Animais.Microchip LIKE '%7%') ";
    const std::string animaisPorNome = "        ORDER BY    Animais.Nome ASC" + relacao;
    struct Caso { bool administrador; int16_t situacao; Variant busca, animal; std::string esperado; };
    const std::vector<Caso> casos{
        {true, RegistroRecente, {}, {},
         pai(" SELECT TOP 20 ", false) + "   (Clientes.Situacao=1 OR Clientes.Situacao=2 OR Clientes.Situacao=3 OR "
         "Clientes.Situacao=4)      ORDER BY    Clientes.Codigo DESC" + filho + ambos +
         "        ORDER BY    Animais.Codigo DESC" + relacao},
        {false, TodasAsSituacoes, Variant("10203040570"), {},
         pai(" SELECT ", false) + "   (Clientes.Situacao=1 OR Clientes.Situacao=2 OR Clientes.Situacao=3)  AND "
         "(Clientes.Codigo = 10203040570  OR Clientes.CPFCNPJ LIKE '%10203040570%') " + porNome + ambos + animaisPorNome},
        // Quotes made safe.
        {true, RegistroAtivo, Variant("d'Ávila"), Variant("Rex's"),
         pai(" SELECT ", true) + "   (Clientes.Situacao=1)  AND (Clientes.ApelidoOuNomeFantasia LIKE '%d’Ávila%'  OR "
         "Clientes.NomeOuRazaoSocial LIKE '%d’Ávila%'  OR Clientes.Logradouro LIKE '%d’Ávila%') " + animalRex + porNome +
         "   Animais.Situacao=1 " + animalRex + animaisPorNome},
        {true, RegistroBloqueado, Variant(15.0), Variant(int32_t{7}),
         pai(" SELECT ", true) + "   (Clientes.Situacao=3)  AND (Clientes.Codigo = 15) " + animal7 + porNome + ambos +
         animal7 + animaisPorNome}};
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
