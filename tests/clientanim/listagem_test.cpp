// The combined listing on the real database: clients as parents, their animals in the chapter.
#include "clients/ambiente.hpp"
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
        return valor("SELECT Codigo FROM RacasDeAnimais WHERE CodigoDaEspecieDeAnimal = " + especie + " ORDER BY Codigo")
            .toText();
    }

    int cliente(const std::string& nome, int situacao, const std::string& sexo = "F", const std::string& cpf = "") {
        conexaoDireta().Execute("INSERT INTO Clientes (TipoDeCliente, ApelidoOuNomeFantasia, NomeOuRazaoSocial, Sexo, "
                                "CPFCNPJ, Situacao, DataEHoraDaInclusao) VALUES ('PF', '" + nome + "', '" + nome + "', '" +
                                sexo + "', '" + cpf + "', " + std::to_string(situacao) + ", '01/02/2024 10:00:00')");
        return valor("SELECT @@Identity").toInt32();
    }
    int animal(int dono, const std::string& nome, int situacao, const std::string& microchip = "",
               const std::string& raca = "") {
        conexaoDireta().Execute("INSERT INTO Animais (CodigoDoCliente, Nome, Sexo, CodigoDaEspecie, CodigoDaRaca, "
                                "Microchip, Pedigree, AnimalMorto, Situacao, DataEHoraDaInclusao, UsuarioDaInclusao) "
                                "VALUES (" + std::to_string(dono) + ", '" + nome + "', 'M', " + canina_ + ", " +
                                (raca.empty() ? racaCanina_ : raca) + ", '" + microchip + "', False, False, " +
                                std::to_string(situacao) + ", '01/02/2024 10:00:00', 'ana')");
        return valor("SELECT @@Identity").toInt32();
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
            std::vector<std::string> nomes;
            auto filhos = refCast<ado::Recordset>(rs("Animais").toObject());
            if (!filhos) ADD_FAILURE() << "the Animais column holds no recordset";
            if (filhos && filhos->get_RecordCount() > 0)
                for (filhos->MoveFirst(); !filhos->get_EOF(); filhos->MoveNext())
                    nomes.push_back((*filhos)("NomeDoAnimal").toText());
            out.emplace_back(rs("NomeOuRazaoSocialDoCliente").toText(), nomes);
        }
        return out;
    }

    std::string canina_, racaCanina_, racaFelina_;
};

// --- Statuses -------------------------------------------------------------------------------

TEST_F(Listagem, EachStatusListsItsClientsWithTheAnimalsOfTheMatchingStatus) {
    const int ana = cliente("Ana", 1);
    animal(ana, "Rex", 1);
    animal(ana, "Bidu", 2);
    const int bia = cliente("Bia", 2);
    animal(bia, "Tom", 1);
    animal(bia, "Velho", 2);
    const int caio = cliente("Caio", 3, "M");
    animal(caio, "Lulu", 1);
    animal(caio, "Nino", 2);
    const int davi = cliente("Davi", 4, "M");
    animal(davi, "Fofo", 2);
    cliente("Eva", 1);  // no animals: listed with an empty chapter

    // 1: active clients with their active animals only; 2: inactive with inactive only.
    EXPECT_EQ(listar(RegistroAtivo), (Arvore{{"Ana", {"Rex"}}, {"Eva", {}}}));
    EXPECT_EQ(listar(RegistroInativo), (Arvore{{"Bia", {"Velho"}}}));
    // 3 and 4: blocked or excluded clients with their active and inactive animals.
    EXPECT_EQ(listar(RegistroBloqueado), (Arvore{{"Caio", {"Lulu", "Nino"}}}));
    EXPECT_EQ(listar(RegistroExcluido), (Arvore{{"Davi", {"Fofo"}}}));
    // 0: every status (4 only for an administrator), animals by name.
    const Arvore todos{{"Ana", {"Bidu", "Rex"}}, {"Bia", {"Tom", "Velho"}}, {"Caio", {"Lulu", "Nino"}},
                       {"Davi", {"Fofo"}}, {"Eva", {}}};
    EXPECT_EQ(listar(TodasAsSituacoes), todos);
    usuario_->definir("Administrador", Variant(false));
    EXPECT_EQ(listar(TodasAsSituacoes),
              (Arvore{{"Ana", {"Bidu", "Rex"}}, {"Bia", {"Tom", "Velho"}}, {"Caio", {"Lulu", "Nino"}}, {"Eva", {}}}));
    EXPECT_EQ(listar(RegistroExcluido), (Arvore{{"Davi", {"Fofo"}}}));  // asked for by its status, shown to anyone
}

TEST_F(Listagem, RowsCarryTheStatusNamesByTheClientsSexAndTheAnimalsColumns) {
    const int ana = cliente("Ana", 3);
    const int rex = animal(ana, "Rex", 2);
    cliente("Caio", 4, "M");

    auto l = listagem();
    ASSERT_EQ(l->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), Variant()), 0) << l->get_DescricaoDoErro();
    auto rs = l->get_ResultadoDaSelecaoEmRecordset();
    ASSERT_EQ(rs->get_RecordCount(), 2);
    rs->MoveFirst();
    EXPECT_EQ((*rs)("CodigoDoCliente").toInt32(), ana);
    EXPECT_EQ((*rs)("ApelidoOuNomeFantasiaDoCliente").toText(), "Ana");
    EXPECT_EQ((*rs)("NomeDaSituacaoDoCliente").toText(), "Bloqueada");
    auto filhos = refCast<ado::Recordset>((*rs)("Animais").toObject());
    ASSERT_EQ(filhos->get_RecordCount(), 1);
    const std::vector<std::pair<const char*, std::string>> esperado{
        {"CodigoDoAnimal", std::to_string(rex)}, {"CodigoDoClienteDeAnimais", std::to_string(ana)},
        {"NomeDoAnimal", "Rex"}, {"NomeDaEspecieDoAnimal", "Canina"},
        {"NomeDaSituacaoDoAnimal", "Inativo"}, {"DataEHoraDaInclusao", "01/02/2024 10:00:00"},
        {"UsuarioDaInclusao", "ana"}, {"UsuarioDaAlteracao", ""}};
    for (const auto& [coluna, texto] : esperado) EXPECT_EQ((*filhos)(coluna).toText(), texto) << coluna;
    EXPECT_TRUE((*filhos)("DataEHoraDaAlteracao").isNull());
    rs->MoveNext();
    EXPECT_EQ((*rs)("NomeDaSituacaoDoCliente").toText(), "Excluído");
}

TEST_F(Listagem, AnAnimalWhoseBreedIsOfAnotherSpeciesIsLeftOut) {
    const int ana = cliente("Ana", 1);
    animal(ana, "Rex", 1);
    animal(ana, "Miau", 1, "", racaFelina_);  // a dog with a cat's breed
    EXPECT_EQ(listar(RegistroAtivo), (Arvore{{"Ana", {"Rex"}}}));
}

// --- Search values --------------------------------------------------------------------------

TEST_F(Listagem, AnimalSearchListsTheClientOncePerMatchingAnimalWithOnlyTheMatchingAnimals) {
    const int ana = cliente("Ana", 1);
    animal(ana, "Rex", 1);
    animal(ana, "Rexona", 1);
    animal(ana, "Mia", 1);
    const int bia = cliente("Bia", 1);
    animal(bia, "Tom", 1, "900REX");
    cliente("Caio", 1);  // no matching animal: not listed

    EXPECT_EQ(listar(TodasAsSituacoes, {}, Variant("rex")),
              (Arvore{{"Ana", {"Rex", "Rexona"}}, {"Ana", {"Rex", "Rexona"}}, {"Bia", {"Tom"}}}));
    // A number searches the animal's code (and the microchip).
    const int mia = animal(ana, "Mia", 2);
    EXPECT_EQ(listar(TodasAsSituacoes, {}, Variant(static_cast<double>(mia))), (Arvore{{"Ana", {"Mia"}}}));
    // Both search values together.
    EXPECT_EQ(listar(TodasAsSituacoes, Variant("Bia"), Variant("rex")), (Arvore{{"Bia", {"Tom"}}}));
}

TEST_F(Listagem, GeneralSearchFindsByNameCodeAndCpf) {
    const int ana = cliente("Ana Souza", 1, "F", "10203040570");
    cliente("Bia Souza", 1);
    cliente("Caio", 1, "M");
    EXPECT_EQ(listar(TodasAsSituacoes, Variant("souza")), (Arvore{{"Ana Souza", {}}, {"Bia Souza", {}}}));
    EXPECT_EQ(listar(TodasAsSituacoes, Variant(static_cast<double>(ana))), (Arvore{{"Ana Souza", {}}}));
    EXPECT_EQ(listar(TodasAsSituacoes, Variant("10203040570")), (Arvore{{"Ana Souza", {}}}));
    // Zero and the empty text are no search value.
    EXPECT_EQ(listar(TodasAsSituacoes, Variant(0.0), Variant("")).size(), 3u);
}

TEST_F(Listagem, SearchValuesCannotEndTheirLiteral) {
    cliente("O’Brien", 1);
    cliente("Zé", 1, "M");
    // A quote is written as the register stores it: the search finds O’Brien.
    EXPECT_EQ(listar(TodasAsSituacoes, Variant("O'Brien")), (Arvore{{"O’Brien", {}}}));
    // A value written to break out of the literal only searches for itself.
    EXPECT_EQ(listar(TodasAsSituacoes, Variant("x') OR (1=1")), Arvore{});
    EXPECT_EQ(listar(TodasAsSituacoes, {}, Variant("x' OR ''='")), Arvore{});
    EXPECT_EQ(listar(TodasAsSituacoes, Variant(std::string("Z\0'", 3))), Arvore{});
    EXPECT_EQ(contar("Clientes"), 2);
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

// --- The recent list ------------------------------------------------------------------------

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
    for (rs->MoveFirst(); !rs->get_EOF(); rs->MoveNext()) {
        EXPECT_GE((*rs)("CodigoDoCliente").toInt32(), codigos[10]);
        nomes.push_back((*rs)("NomeOuRazaoSocialDoCliente").toText());
        auto filhos = refCast<ado::Recordset>((*rs)("Animais").toObject());
        if ((*rs)("CodigoDoCliente").toInt32() != codigos.back()) {
            EXPECT_EQ(filhos->get_RecordCount(), 0);
            continue;
        }
        std::vector<std::string> animais;
        for (filhos->MoveFirst(); !filhos->get_EOF(); filhos->MoveNext()) animais.push_back((*filhos)("NomeDoAnimal").toText());
        EXPECT_EQ(animais, (std::vector<std::string>{"Segundo", "Primeiro"}));
    }
    EXPECT_TRUE(std::is_sorted(nomes.begin(), nomes.end(),
                               [](const std::string& a, const std::string& b) { return regional::compareText(a, b) < 0; }));
    // Read whole (as zelt run prints it), each sorted row still carries its own client's animals.
    const auto json = ado::toJson(*rs);
    for (const auto& linha : json.at("rows"))
        for (const auto& filho : linha.at(4).at("rows")) EXPECT_EQ(filho.at(1), linha.at(0)) << linha.dump();
    EXPECT_EQ(json.at("rows").back().at(2), nomes.back());
}

TEST_F(Listagem, TheListKindHasNoEffect) {
    const int ana = cliente("Ana", 1);
    animal(ana, "Rex", 1);
    auto paginada = listagem(), completa = listagem();
    ASSERT_EQ(paginada->Selecionar(ListaPaginada, 1, RegistroAtivo, Variant(), Variant()), 0);
    ASSERT_EQ(completa->Selecionar(ListaCompleta, 1, RegistroAtivo, Variant(), Variant()), 0);
    auto a = paginada->get_ResultadoDaSelecaoEmRecordset(), b = completa->get_ResultadoDaSelecaoEmRecordset();
    EXPECT_EQ(a->get_PageSize(), b->get_PageSize());
    EXPECT_EQ(arvore(*a), arvore(*b));
}

// --- Empty results, refusals and errors -----------------------------------------------------

TEST_F(Listagem, AnEmptyResultIsStoredWithItsMessage) {
    cliente("Ana", 1);
    auto l = listagem();
    ASSERT_EQ(l->Selecionar(ListaCompleta, 0, RegistroBloqueado, Variant(), Variant()), 0);
    EXPECT_EQ(l->get_ResultadoDaSelecaoEmRecordset()->get_RecordCount(), 0);
    EXPECT_EQ(l->get_ResultadoDaSelecaoEmRecordset()->fieldCount(), 5);
    EXPECT_EQ(l->get_DescricaoDaFalha(), SemRegistros);
    // A later result with rows leaves the message as it was.
    ASSERT_EQ(l->Selecionar(ListaCompleta, 0, RegistroAtivo, Variant(), Variant()), 0);
    EXPECT_EQ(l->get_ResultadoDaSelecaoEmRecordset()->get_RecordCount(), 1);
    EXPECT_EQ(l->get_DescricaoDaFalha(), SemRegistros);
}

TEST_F(Listagem, AStatusOutOfRangeIsRefusedWhileTheCommandIsBuilt) {
    cliente("Ana", 1);
    gravarOsTextos();
    auto l = listagem();
    ASSERT_EQ(l->Selecionar(ListaCompleta, 0, RegistroAtivo, Variant(), Variant()), 0);
    for (int16_t fora : {int16_t{6}, int16_t{-1}}) {
        gravacao().textos.clear();
        EXPECT_EQ(l->Selecionar(ListaCompleta, 0, fora, Variant("Ana"), Variant()), 1);
        EXPECT_EQ(l->get_NumeroDoErro(), 5);
        EXPECT_NE(l->get_DescricaoDoErro().find("lintSituacaoParaFiltro recebeu " + std::to_string(fora)), std::string::npos)
            << l->get_DescricaoDoErro();
        EXPECT_EQ(l->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientAnim, Selecionar, Ponto: 3");
        EXPECT_TRUE(gravacao().textos.empty());                                    // nothing was sent
        EXPECT_EQ(l->get_ResultadoDaSelecaoEmRecordset()->get_RecordCount(), 1);  // the earlier result stays
    }
}

TEST_F(Listagem, WithoutAUserObjectOnlyTheStatusesThatNeedNoUserWork) {
    auto l = make<clsClientAnim>();
    for (int16_t situacao : {TodasAsSituacoes, RegistroRecente}) {
        EXPECT_EQ(l->Selecionar(ListaCompleta, 10, situacao, Variant(), Variant()), 1);
        EXPECT_EQ(l->get_NumeroDoErro(), 91);
        EXPECT_EQ(l->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientAnim, Selecionar, Ponto: 3");
    }
    EXPECT_EQ(l->Selecionar(ListaCompleta, 0, RegistroAtivo, Variant(), Variant()), 0);
}

TEST_F(Listagem, ACommandTheDatabaseRejectsFailsAtPoint4AndKeepsTheEarlierResult) {
    cliente("Ana", 1);
    auto l = listagem();
    ASSERT_EQ(l->Selecionar(ListaCompleta, 0, RegistroAtivo, Variant(), Variant()), 0);
    EXPECT_EQ(l->Selecionar(ListaPaginada, -1, RegistroRecente, Variant(), Variant()), 1);  // "TOP -1"
    EXPECT_EQ(l->get_NumeroDoErro(), -2147217900);
    EXPECT_EQ(l->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientAnim, Selecionar, Ponto: 4");
    EXPECT_EQ(l->get_ResultadoDaSelecaoEmRecordset()->get_RecordCount(), 1);
}

// --- The data-access component ------------------------------------------------------------

// A data-access stand-in on the real database that records the members called and answers
// AbrirConexao and FecharConexao as the test says.
struct Roteiro {
    int16_t abrir = 0, fechar = 0;
    std::vector<std::string> chamadas;
};
Roteiro& roteiro() {
    static Roteiro r;
    return r;
}

class DadosDeAcessoRoteirizado : public Dispatchable {
public:
    const DispatchTable& table() const override {
        using D = DadosDeAcessoRoteirizado;
        auto membro = [](std::string nome, std::function<Variant(D&)> f) {
            return Member{nome, InvokeKind::PropertyGet, {}, VarType::Variant, [nome, f](Object& o, std::span<Variant>) {
                              roteiro().chamadas.push_back(nome);
                              return f(static_cast<D&>(o));
                          }};
        };
        static const DispatchTable t(
            "_clsObjetosDeDados",
            {membro("AbrirConexao",
                    [](D& d) {
                        d.conexao_ = make<ado::Connection>(jet::openDatabase(std::getenv("ZELT_DATABASE")));
                        return Variant(roteiro().abrir);
                    }),
             membro("ReferenciaDeConexao", [](D& d) { return Variant(d.conexao_); }),
             membro("ReferenciaDeRecordset", [](D&) { return Variant(make<ado::Recordset>()); }),
             membro("FecharConexao", [](D&) { return Variant(roteiro().fechar); }),
             membro("NumeroDoErro", [](D&) { return Variant(int32_t{-77}); }),
             membro("DescricaoDoErro", [](D&) { return Variant("falha dos dados"); }),
             membro("LocalDoErro", [](D&) { return Variant("ZELT_I_ADO, clsObjetosDeDados"); }),
             membro("DescricaoDaFalha", [](D&) { return Variant("banco indisponível"); })});
        return t;
    }

private:
    Ref<ado::Connection> conexao_;
};

class ConversaComOsDadosDeAcesso : public Listagem {
protected:
    void SetUp() override {
        Listagem::SetUp();
        roteiro() = Roteiro{};
        ClassInfo info{"ZELT_I_ADO.clsObjetosDeDados", "{5A0E3C71-2D4B-4F86-9B17-3E2F1A0C9D64}", "ZELT_TEST_Roteirizado",
                       "Apartment", [] { return Ref<Object>(make<DadosDeAcessoRoteirizado>()); }};
        registry::offerClass(info);
        registry::registerProgId(info);
        cliente("Ana", 1);
    }
};

TEST_F(ConversaComOsDadosDeAcesso, TheMembersAreCalledInOrder) {
    auto l = listagem();
    ASSERT_EQ(l->Selecionar(ListaCompleta, 0, RegistroAtivo, Variant(), Variant()), 0) << l->get_DescricaoDoErro();
    EXPECT_EQ(roteiro().chamadas,
              (std::vector<std::string>{"AbrirConexao", "ReferenciaDeConexao", "ReferenciaDeRecordset", "FecharConexao"}));
    EXPECT_EQ(l->get_ResultadoDaSelecaoEmRecordset()->get_RecordCount(), 1);
}

TEST_F(ConversaComOsDadosDeAcesso, AFailureToCloseIsResult1WithTheComponentsErrorAndNoNewResult) {
    auto l = listagem();
    roteiro().fechar = 1;
    EXPECT_EQ(l->Selecionar(ListaCompleta, 0, RegistroAtivo, Variant(), Variant()), 1);
    EXPECT_EQ(l->get_NumeroDoErro(), -77);
    EXPECT_EQ(l->get_DescricaoDoErro(), "falha dos dados");
    EXPECT_EQ(l->get_LocalDoErro(), "ZELT_I_ADO, clsObjetosDeDados");
    EXPECT_FALSE(l->get_ResultadoDaSelecaoEmRecordset());
}

TEST_F(ConversaComOsDadosDeAcesso, AnOpeningThatFailsStopsBeforeTheCommand) {
    auto l = listagem();
    roteiro().abrir = 1;
    EXPECT_EQ(l->Selecionar(ListaCompleta, 0, RegistroAtivo, Variant(), Variant()), 1);
    EXPECT_EQ(l->get_LocalDoErro(), "ZELT_I_ADO, clsObjetosDeDados");
    roteiro().abrir = 3;
    roteiro().chamadas.clear();
    EXPECT_EQ(l->Selecionar(ListaCompleta, 0, RegistroAtivo, Variant(), Variant()), 3);
    EXPECT_EQ(l->get_DescricaoDaFalha(), "banco indisponível");
    EXPECT_EQ(l->get_NumeroDoErro(), -77);  // from the first call: a refusal writes no error
    EXPECT_EQ(roteiro().chamadas, (std::vector<std::string>{"AbrirConexao", "DescricaoDaFalha"}));
    EXPECT_FALSE(l->get_ResultadoDaSelecaoEmRecordset());
}

// --- The command text -----------------------------------------------------------------------

class TextoDaListagem : public Listagem {
protected:
    std::string enviado(int16_t tamanho, int16_t situacao, const Variant& codigoOuNome, const Variant& animal) {
        gravarOsTextos();
        auto l = listagem();
        EXPECT_EQ(l->Selecionar(ListaPaginada, tamanho, situacao, codigoOuNome, animal), 0) << l->get_DescricaoDoErro();
        EXPECT_EQ(gravacao().textos.size(), 1u);
        return gravacao().textos.empty() ? std::string() : gravacao().textos.back();
    }

    static std::string pai(const std::string& cabeca, const std::string& deOnde) {
        return "           SHAPE      { " + cabeca +
               "        Clientes.Codigo AS CodigoDoCliente,         Clientes.ApelidoOuNomeFantasia As "
               "ApelidoOuNomeFantasiaDoCliente,         Clientes.NomeOuRazaoSocial As NomeOuRazaoSocialDoCliente,  "
               "       IIF(IsNull(Clientes.Situacao), 'Ativo', SWITCH(Clientes.Situacao=1, IIF(Clientes.Sexo='M', "
               "'Ativo', 'Ativa'), Clientes.Situacao=2, IIF(Clientes.Sexo='M', 'Inativo', 'Inativa'), "
               "Clientes.Situacao=3, IIF(Clientes.Sexo='M', 'Bloqueado', 'Bloqueada'), Clientes.Situacao=4, "
               "IIF(Clientes.Sexo='M', 'Excluído', 'Excluída'))) AS NomeDaSituacaoDoCliente      FROM " + deOnde + "WHERE ";
    }
    static std::string filho() {
        return "     } AS Clientes      APPEND      (         {         SELECT            Animais.Codigo AS "
               "CodigoDoAnimal,            Animais.CodigoDoCliente AS CodigoDoClienteDeAnimais,            "
               "Animais.Nome As NomeDoAnimal,            EspeciesDeAnimais.Nome As NomeDaEspecieDoAnimal,           "
               " RacasDeAnimais.Nome As NomeDaRacaDoAnimal,            IIF(Animais.Situacao=1, 'Ativo', 'Inativo') AS "
               "NomeDaSituacaoDoAnimal,            Format(Animais.DataEHoraDaInclusao,'DD/MM/YYYY HH:MM:SS') AS "
               "DataEHoraDaInclusao,            IIF(IsNull(Animais.UsuarioDaInclusao), '', Animais.UsuarioDaInclusao) "
               "AS UsuarioDaInclusao,            Format(Animais.DataEHoraDaAlteracao,'DD/MM/YYYY HH:MM:SS') AS "
               "DataEHoraDaAlteracao,            IIF(IsNull(Animais.UsuarioDaAlteracao), '', "
               "Animais.UsuarioDaAlteracao) AS UsuarioDaAlteracao         FROM            EspeciesDeAnimais INNER "
               "JOIN (RacasDeAnimais INNER JOIN Animais ON RacasDeAnimais.Codigo = Animais.CodigoDaRaca) ON "
               "(EspeciesDeAnimais.Codigo = RacasDeAnimais.CodigoDaEspecieDeAnimal) AND (EspeciesDeAnimais.Codigo = "
               "Animais.CodigoDaEspecie) WHERE ";
    }
    static constexpr const char* Relacao =
        "        }         RELATE            CodigoDoCliente TO CodigoDoClienteDeAnimais      ) AS Animais ";
    static constexpr const char* SoClientes = "   Clientes ";
    static constexpr const char* ComAnimais = "   Animais INNER JOIN Clientes ON Animais.CodigoDoCliente = Clientes.Codigo ";
};

TEST_F(TextoDaListagem, RecentClientsOfEveryStatusForAnAdministrator) {
    EXPECT_EQ(enviado(20, RegistroRecente, Variant(), Variant()),
              pai(" SELECT TOP 20 ", SoClientes) +
                  "   (Clientes.Situacao=1 OR Clientes.Situacao=2 OR Clientes.Situacao=3 OR Clientes.Situacao=4)      "
                  "ORDER BY    Clientes.Codigo DESC" + filho() +
                  "   (Animais.Situacao=1 OR Animais.Situacao=2)         ORDER BY    Animais.Codigo DESC" + Relacao);
}

TEST_F(TextoDaListagem, EveryStatusForAnotherUserWithANumericSearchOfElevenCharacters) {
    usuario_->definir("Administrador", Variant(false));
    EXPECT_EQ(enviado(20, TodasAsSituacoes, Variant("10203040570"), Variant()),
              pai(" SELECT ", SoClientes) +
                  "   (Clientes.Situacao=1 OR Clientes.Situacao=2 OR Clientes.Situacao=3)  AND (Clientes.Codigo = "
                  "10203040570  OR Clientes.CPFCNPJ LIKE '%10203040570%')      ORDER BY    "
                  "Clientes.NomeOuRazaoSocial ASC" + filho() +
                  "   (Animais.Situacao=1 OR Animais.Situacao=2)         ORDER BY    Animais.Nome ASC" + Relacao);
}

TEST_F(TextoDaListagem, ActiveClientsByNameAndAnimalWithQuotesMadeSafe) {
    const std::string animal = " AND (Animais.Nome LIKE '%Rex’s%'  OR Animais.Microchip LIKE '%Rex’s%') ";
    EXPECT_EQ(enviado(20, RegistroAtivo, Variant("d'Ávila"), Variant("Rex's")),
              pai(" SELECT ", ComAnimais) +
                  "   (Clientes.Situacao=1)  AND (Clientes.ApelidoOuNomeFantasia LIKE '%d’Ávila%'  OR "
                  "Clientes.NomeOuRazaoSocial LIKE '%d’Ávila%'  OR Clientes.Logradouro LIKE '%d’Ávila%') " + animal +
                  "     ORDER BY    Clientes.NomeOuRazaoSocial ASC" + filho() + "   Animais.Situacao=1 " + animal +
                  "        ORDER BY    Animais.Nome ASC" + Relacao);
}

TEST_F(TextoDaListagem, BlockedClientsByCodeWithAnAnimalCode) {
    const std::string animal = " AND (Animais.Codigo = 7  OR Animais.Microchip LIKE '%7%') ";
    EXPECT_EQ(enviado(20, RegistroBloqueado, Variant(15.0), Variant(int32_t{7})),
              pai(" SELECT ", ComAnimais) + "   (Clientes.Situacao=3)  AND (Clientes.Codigo = 15) " + animal +
                  "     ORDER BY    Clientes.NomeOuRazaoSocial ASC" + filho() +
                  "   (Animais.Situacao=1 OR Animais.Situacao=2) " + animal + "        ORDER BY    Animais.Nome ASC" +
                  Relacao);
}

// --- Dispatch -------------------------------------------------------------------------------

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
