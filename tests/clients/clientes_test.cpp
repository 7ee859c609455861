// _clsClientes through late binding; Adicionar with the animals grid, Alterar, AlterarCodigoIBGEDoMunicipio and Excluir
// on the real database, with the texts the engine received where their exact form matters; ValidarDados and
// ValidarDadoEspecifico: every rule in its order.
#include <functional>
#include <sstream>

#include "support/clientes.hpp"
#include "support/locale_com_virgula.hpp"

namespace zelt::clientanim::teste {
namespace {

class Operacoes : public Ambiente {
protected:
    void SetUp() override {
        Ambiente::SetUp();
        auto rs = sql("SELECT Codigo, CodigoDaEspecieDeAnimal FROM RacasDeAnimais");
        raca_ = (*rs)("Codigo").toText();
        especie_ = (*rs)("CodigoDaEspecieDeAnimal").toText();
    }

    // Columns 0 to 16; 0, 1, 4 and 6 are the caller's and never read.
    std::vector<std::string> animal(const std::string& nome, const std::string& especie = "") {
        return {"x", "x", nome, especie.empty() ? especie_ : especie, "x", raca_, "x", "M", "Médio", "Caramelo",
                "10/05/2020", "RGA1", "CHIP1", "sim", "Não", "Dócil", "1"};
    }
    // A valid person with the animals grid (its heading row added) and the flag to write it.
    Ref<clsClientes> comAnimais(std::vector<std::vector<std::string>> linhas, const std::string& cpf = "10203040570") {
        linhas.insert(linhas.begin(), std::vector<std::string>(17, "cabeçalho"));
        grade_ = make<GradeEmMemoria>(std::move(linhas));
        auto c = pessoaValida(cpf);
        c->put_AdicionarClienteEAnimalNaMesmaOperacao(true);
        c->putref_GradeDeAnimais(grade_);
        return c;
    }
    std::string coluna(double codigo, const std::string& nome) {
        const Variant v = valor("SELECT " + nome + " FROM Clientes WHERE Codigo=" + Variant(codigo).toText());
        return v.isNull() ? "<null>" : v.toText();
    }
    // What every alteration's statement ends with.
    static std::string rodape(clsClientes& c, double codigo, const std::string& usuario = "maria") {
        return "DataEHoraDaAlteracao='" + c.get_DataHoraDaAtualizacao() + "', UsuarioDaAlteracao='" + usuario +
               "' WHERE Codigo=" + Variant(codigo).toText() + ";";
    }

    std::string especie_, raca_;
    Ref<GradeEmMemoria> grade_;
};

TEST_F(Operacoes, SpeciesBreedAndStatusCellsGoUnchangedAndTheDatabaseDecides) {
    gravarOsTextos();
    struct Caso { size_t coluna; std::string celula; int16_t resultado; };
    for (const Caso& k : std::vector<Caso>{{16, " 1", 0}, {16, "2.0", 0}, {16, "Null", 0}, {3, especie_ + " ", 0},
                                           {5, " " + raca_, 0}, {16, "", 1}, {3, "", 1}}) {
        SCOPED_TRACE("coluna " + std::to_string(k.coluna) + " [" + k.celula + "]");
        auto linha = animal("Rex");
        linha[k.coluna] = k.celula;
        auto c = comAnimais({linha}, "");
        c->put_TipoDeCliente("PJ");
        const int animais = contar("Animais");
        ASSERT_EQ(c->Adicionar(), k.resultado) << c->get_DescricaoDoErro();
        if (k.resultado == 0) {
            EXPECT_NE(gravacao().ultimoQueComeca("INSERT INTO Animais").find(k.celula + ", "), std::string::npos);
        } else {
            EXPECT_EQ(c->get_NumeroDoErro(), -2147217900);  // the engine's syntax error
            EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, Adicionar, Ponto: 7");
        }
        EXPECT_EQ(contar("Animais"), animais + (k.resultado == 0));
    }
}

// A rule of the database's own refuses the third animal, after the client and two animals.
TEST_F(Operacoes, ARowTheDatabaseRefusesRollsEverythingBack) {
    ASSERT_TRUE(zelt::testing_support::runDirectly(
        caminhoDoBanco(), zelt::testing_support::onTestServer()
                    ? "CREATE FUNCTION recusa() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN IF NEW.\"CodigoDaEspecie\" = "
                      "999999 THEN RAISE EXCEPTION 'espécie recusada'; END IF; RETURN NEW; END $$; CREATE TRIGGER recusa "
                      "BEFORE INSERT ON \"Animais\" FOR EACH ROW EXECUTE FUNCTION recusa()"
                    : "CREATE TRIGGER recusa BEFORE INSERT ON Animais WHEN NEW.CodigoDaEspecie = 999999 "
                      "BEGIN SELECT RAISE(ABORT, 'espécie recusada'); END"));
    auto c = comAnimais({animal("Rex"), animal("Mel"), animal("Tom", "999999")});
    EXPECT_EQ(c->Adicionar(), 1);
    EXPECT_NE(c->get_NumeroDoErro(), 0);
    EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, Adicionar, Ponto: 7");
    EXPECT_GT(c->get_CodigoGerado(), 0);  // the code the rolled-back row had
    EXPECT_EQ(contar("Clientes"), 0);
    EXPECT_EQ(contar("Animais"), 0);
}

// Each failure names its step; the ones after the transaction began undo the client.
TEST_F(Operacoes, FailuresNameTheirStep) {
    struct Caso { const char* operacao; const char* falhaNoInicio; std::function<void(clsClientes&)> ajuste; int32_t numero; const char* local; };
    const auto semUsuario = [](clsClientes& c) { c.putref_DadosDoUsuario(nullptr); };
    const auto nada = [](clsClientes&) {};
    const std::vector<Caso> casos{
        {"Adicionar", "", [](clsClientes& c) { c.put_AdicionarClienteEAnimalNaMesmaOperacao(true); }, 91, "Adicionar, Ponto: 7"},
        {"Adicionar", "", semUsuario, 91, "ValidarDados, Ponto: 5"},  // validation's own error, passed on
        {"Adicionar", " SELECT NOW", nada, 3001, "Adicionar, Ponto: 5"},
        {"Adicionar", "SELECT @@Identity", nada, 3001, "Adicionar, Ponto: 6"},
        {"Alterar", " SELECT NOW", nada, 3001, "Alterar, Ponto: 5"}, {"Alterar", "UPDATE", nada, 3001, "Alterar, Ponto: 7"},
        {"AlterarCodigoIBGEDoMunicipio", "", semUsuario, 91, "AlterarCodigoIBGEDoMunicipio, Ponto: 6"},
        {"AlterarCodigoIBGEDoMunicipio", "UPDATE", nada, 3001, "AlterarCodigoIBGEDoMunicipio, Ponto: 7"},
        // A deletion refuses only the provider's general failure; any other is an error.
        {"Excluir", " SELECT NOW", nada, 3001, "Excluir, Ponto: 5"}, {"Excluir", "UPDATE", nada, 3001, "Excluir, Ponto: 7"}};
    gravarOsTextos();
    for (const Caso& k : casos) {
        SCOPED_TRACE(std::string(k.operacao) + " " + k.local);
        gravacao().antesDeExecutar = nullptr;
        if (*k.falhaNoInicio) gravacao().falharNoInicio(k.falhaNoInicio, RuntimeError(3001, "argumentos"));
        auto c = pessoaValida();
        c->put_Codigo(1);
        k.ajuste(*c);
        const Variant r = callByName(*c, k.operacao);
        EXPECT_EQ(r.type(), VarType::I2);
        EXPECT_EQ(r.toInt16(), 1);
        EXPECT_EQ(c->get_NumeroDoErro(), k.numero);
        EXPECT_EQ(c->get_LocalDoErro(), std::string("ZELT_N_ClientAnim, clsClientes, ") + k.local);
        EXPECT_EQ(contar("Clientes"), 0);
    }
    // The same object, once the database answers; a validation failure begins nothing.
    gravacao() = {};
    auto c = pessoaValida();
    gravacao().falharNoInicio("SELECT @@Identity", RuntimeError(3022, "sem identidade"));
    EXPECT_EQ(c->Adicionar(), 1);
    EXPECT_EQ(c->get_DescricaoDoErro(), "sem identidade");
    gravacao() = {};
    EXPECT_EQ(c->Adicionar(), 0);
    EXPECT_EQ(contar("Clientes"), 1);
    gravacao().textos.clear();
    c->put_Sexo("");
    EXPECT_EQ(c->Adicionar(), 2);
    EXPECT_TRUE(gravacao().textos.empty());
}

// The statements of insertion with animals, alteration, the municipality alone and deletion, on one client;
// an alteration keeps the type and the inclusion's audit.
TEST_F(Operacoes, ExactTexts) {
    LocaleComVirgula virgula;  // where the machine can make one: the statements still write the point
    // Without the flag the grid is not read; an empty grid adds the client alone.
    auto semFlag = comAnimais({animal("Tom")}, "52998224725");
    semFlag->put_AdicionarClienteEAnimalNaMesmaOperacao(false);
    EXPECT_EQ(semFlag->Adicionar(), 0);
    EXPECT_EQ(grade_->get_Row(), 0);
    EXPECT_EQ(comAnimais({}, "")->Adicionar(), 0);
    gravarOsTextos();
    auto linha = animal("Rex");
    linha[10] = "não é data";
    linha[13] = "SIM";
    auto c = comAnimais({animal("Mel"), linha});
    const auto definir = [](clsClientes& c, const std::vector<std::pair<const char*, Variant>>& valores) {
        for (const auto& [nome, valor] : valores) putProperty(c, nome, valor);
    };
    definir(*c, {{"RGIE", Variant("123456")}, {"VIP", Variant(true)}, {"CategoriaDaCurvaABC", Variant("A")},
                 {"TipoDeCanalDeComunicacao1", Variant("Email")}, {"CanalDeComunicacao1", Variant("ze@exemplo.com")},
                 {"LimiteDeCredito", Variant(Currency::fromInt(1500))}, {"MotivoDaSituacao", Variant("Novo")},
                 {"ClienteComDesconto", Variant(true)}, {"PercentualDeDescontoEmClinicos", Variant(Currency::fromRaw(125000))}});
    ASSERT_EQ(c->Adicionar(), 0) << c->get_DescricaoDoErro();
    const double codigo = c->get_CodigoGerado();
    const std::string inclusao = "'" + c->get_DataHoraDaAtualizacao() + "', 'maria');";
    const std::string incluidoEm = coluna(codigo, "DataEHoraDaInclusao");
    // In the order of the call: lookups, clock, insertions, identity.
    ASSERT_EQ(gravacao().textos.size(), 7u);
    EXPECT_EQ(grade_->get_Row(), 2);  // left on the last row written
    EXPECT_EQ(contar("Animais WHERE Pedigree=True AND AnimalMorto=False AND CodigoDoCliente=" + Variant(codigo).toText()), 2);
    std::vector<std::pair<std::string, std::string>> textos{
        {gravacao().textos[0], " SELECT Clientes.Codigo AS Codigo, Clientes.ApelidoOuNomeFantasia AS ApelidoOuNomeFantasia, "
                               "Clientes.NomeOuRazaoSocial AS NomeOuRazaoSocial FROM Clientes WHERE CPFCNPJ = '10203040570'"},
        {gravacao().textos[1], " SELECT COUNT(*) AS NumeroDeRegistros FROM MunicipiosIBGE WHERE CodigoIBGE = '3550308'"},
        {gravacao().textos[2], " SELECT NOW AS DataHoraDoServidor "}, {gravacao().textos[4], "SELECT @@Identity"},
        {gravacao().textos[3],
         "INSERT INTO Clientes (TipoDeCliente,ApelidoOuNomeFantasia,ApelidoOuNomeFantasiaSoundex,NomeOuRazaoSocial,"
         "NomeOuRazaoSocialSoundex,Sexo,DataDeNascimento,AnoDeNascimento,CPFCNPJ,RGIE,CEP,TipoDeLogradouro,Logradouro,"
         "Numero,Complemento,Bairro,Cidade,CodigoIBGEDoMunicipio,UF,VIP,CategoriaDaCurvaABC,EndCobCEP,"
         "EndCobTipoDeLogradouro,EndCobLogradouro,EndCobNumero,EndCobComplemento,EndCobBairro,EndCobCidade,EndCobUF,"
         "TipoDeCanalDeComunicacao1,CanalDeComunicacao1,TipoDeCanalDeComunicacao2,CanalDeComunicacao2,"
         "TipoDeCanalDeComunicacao3,CanalDeComunicacao3,TipoDeCanalDeComunicacao4,CanalDeComunicacao4,Profissao,"
         "Observacao,LimiteDeCredito,MotivoDaSituacao,ClienteComDesconto,DescontoUnico,PercentualUnicoDeDescontos,"
         "PercentualDeDescontoEmClinicos,PercentualDeDescontoEmCirurgiaSimples,PercentualDeDescontoEmCirurgiaMedia,"
         "PercentualDeDescontoEmCirurgiaComplexa,PercentualDeDescontoEmBanhosTosasEEsteticas,"
         "PercentualDeDescontoEmHospedagens,PercentualDeDescontoEmAdestramentos,PercentualDeDescontoEmOutros,Situacao,"
         "DataEHoraDaInclusao,UsuarioDaInclusao) VALUES('PF','Zeca','" + coluna(codigo, "ApelidoOuNomeFantasiaSoundex") +
         "','José Carlos da Silva','" + coluna(codigo, "NomeOuRazaoSocialSoundex") +
         "','M','3112','1980','10203040570','123456','01310100','','','','','','São Paulo','3550308','SP',True, "
         "'A','','','','','','','','','Email','ze@exemplo.com','','','','','','','','',1500, 'Novo', True, False, 0, "
         "12.5, 0, 0, 0, 0, 0, 0, 0, 1, " + inclusao},
        {gravacao().textos[6],
         "INSERT INTO Animais (Nome,Sexo,CodigoDoCliente,CodigoDaEspecie,CodigoDaRaca,Porte,Cor,DataDeNascimento,"
         "RGA,Microchip,Pedigree,AnimalMorto,Observacao,Situacao,DataEHoraDaInclusao,UsuarioDaInclusao) VALUES ('Rex','M'," +
         Variant(codigo).toText() + "," + especie_ + ", " + raca_ + ", 'Médio','Caramelo',Null,'RGA1','CHIP1',True,False,'Dócil',1, " +
         inclusao}};

    usuario_->definir("NomeDeUsuario", Variant("joao"));
    c = pessoaValida();
    definir(*c, {{"Codigo", Variant(codigo)}, {"TipoDeCliente", Variant("XX")},  // neither person nor company: the type is not written
                 {"NomeOuRazaoSocial", Variant("José Carlos Souza")}, {"RGIE", Variant("MG-12")}, {"VIP", Variant(true)},
                 {"CategoriaDaCurvaABC", Variant("B")}, {"EndCobUF", Variant("RJ")}, {"CanalDeComunicacao4", Variant("9999-0000")},
                 {"Profissao", Variant("Médica")}, {"Observacao", Variant("Obs")}, {"LimiteDeCredito", Variant(Currency::fromRaw(5000))},
                 {"MotivoDaSituacao", Variant("Motivo")}, {"DescontoUnico", Variant(true)},
                 {"PercentualDeDescontoEmOutros", Variant(Currency::fromInt(7))}, {"Situacao", Variant(int16_t{3})}});
    ASSERT_EQ(c->Alterar(), 0) << c->get_DescricaoDoErro();
    textos.push_back({gravacao().ultimoQueComeca("UPDATE"),
        "UPDATE Clientes SET ApelidoOuNomeFantasia='Zeca',ApelidoOuNomeFantasiaSoundex='" +
        coluna(codigo, "ApelidoOuNomeFantasiaSoundex") + "',NomeOuRazaoSocial='José Carlos Souza',"
        "NomeOuRazaoSocialSoundex='" + coluna(codigo, "NomeOuRazaoSocialSoundex") +
        "',Sexo='M',DataDeNascimento='3112',AnoDeNascimento='1980',CPFCNPJ='10203040570',RGIE='MG-12',"
        "VIP=True, CategoriaDaCurvaABC='B',CEP='01310100',TipoDeLogradouro='',Logradouro='',Numero='',"
        "Complemento='',Bairro='',Cidade='São Paulo',CodigoIBGEDoMunicipio='3550308',UF='SP',EndCobCEP='',"
        "EndCobTipoDeLogradouro='',EndCobLogradouro='',EndCobNumero='',EndCobComplemento='',"
        "EndCobBairro='',EndCobCidade='',EndCobUF='RJ',TipoDeCanalDeComunicacao1='',"
        "CanalDeComunicacao1='',TipoDeCanalDeComunicacao2='',CanalDeComunicacao2='',"
        "TipoDeCanalDeComunicacao3='',CanalDeComunicacao3='',TipoDeCanalDeComunicacao4='',"
        "CanalDeComunicacao4='9999-0000',Profissao='Médica', Observacao='Obs', LimiteDeCredito=0.5, "
        "MotivoDaSituacao='Motivo', ClienteComDesconto=False, DescontoUnico=True, "
        "PercentualUnicoDeDescontos=0, PercentualDeDescontoEmClinicos=0, "
        "PercentualDeDescontoEmCirurgiaSimples=0, PercentualDeDescontoEmCirurgiaMedia=0, "
        "PercentualDeDescontoEmCirurgiaComplexa=0, PercentualDeDescontoEmBanhosTosasEEsteticas=0, "
        "PercentualDeDescontoEmHospedagens=0, PercentualDeDescontoEmAdestramentos=0, "
        "PercentualDeDescontoEmOutros=7, Situacao=3, " + rodape(*c, codigo, "joao")});
    for (const auto& [campo, esperado] : std::vector<std::pair<std::string, std::string>>{
             {"TipoDeCliente", "PF"}, {"UsuarioDaInclusao", "maria"}, {"DataEHoraDaInclusao", incluidoEm}})
        EXPECT_EQ(coluna(codigo, campo), esperado) << campo;

    // The municipality alone, on an object that holds nothing else; then the deletion, which validates nothing.
    gravacao().textos.clear();
    auto m = novoCliente();
    m->put_Codigo(codigo);
    m->put_CodigoIBGEDoMunicipio("3304557");
    ASSERT_EQ(m->AlterarCodigoIBGEDoMunicipio().toInt16(), 0) << m->get_DescricaoDaFalha();
    ASSERT_EQ(gravacao().textos.size(), 3u);  // the lookup, the clock, the statement
    textos.push_back({gravacao().textos[2], "UPDATE Clientes SET CodigoIBGEDoMunicipio='3304557'," + rodape(*m, codigo, "joao")});
    m->put_CodigoIBGEDoMunicipio("");
    EXPECT_EQ(m->AlterarCodigoIBGEDoMunicipio().toInt16(), 2);
    m->put_Situacao(-1);
    ASSERT_EQ(m->Excluir(), 0) << m->get_DescricaoDoErro();
    textos.push_back({gravacao().ultimoQueComeca("UPDATE"), "UPDATE Clientes SET Situacao=4, " + rodape(*m, codigo, "joao")});
    EXPECT_EQ(contar("Animais"), 2);
    for (const auto& [obtido, esperado] : textos) EXPECT_EQ(obtido, esperado);
    m->put_Codigo(987654);  // no such row: not a failure
    EXPECT_EQ(m->Excluir(), 0);

    // The provider's general failure is a refusal, whatever its help context.
    for (int32_t contexto : {err::ReferentialIntegrityHelpContext, 0}) {
        gravacao().falharNoInicio("UPDATE", RuntimeError(err::ProviderFailure, "violação", contexto));
        EXPECT_EQ(m->Excluir(), 3);
        EXPECT_EQ(m->get_DescricaoDaFalha(), "O cliente não pode ser excluído porque existe:\r\n\r\nanimais relacionados a ele\r\n\r\n"
                                             "Se não deseja mais utilizar, altere a 'Situação' do clinte para 'Inativo'.");
        EXPECT_EQ(m->get_NumeroDoErro(), 0);
        EXPECT_EQ(m->get_LocalDoErro(), "");
    }
}

using Interface = Ambiente;

// Written out whole, independently of the list the class is built from: a caller bound to the
// interface reaches every member by its position. "()" a method, "?" a get, "=" a put, "&" a put by reference.
TEST_F(Interface, All78SlotsInInterfaceOrder) {
    const std::string esperado =
        "Adicionar() Alterar() AlterarCodigoIBGEDoMunicipio() Excluir() Selecionar() SelecionarClientesAgrupadoPorAno() "
        "NumeroDeClientesAgrupadoPorMesAno() AtualizarCategoriaDaCurvaABC() PaginarResultadoDaSelecaoEmRecordset() "
        "ValidarDados() ValidarDadoEspecifico() RetornarInformacoesDoLimiteDeCredito() NomeDoCampoValidado? Situacao= "
        "Situacao? AdicionarClienteEAnimalNaMesmaOperacao= GradeDeAnimais& ResultadoDaSelecaoEmRecordset? "
        "NumeroTotalDeRegistros? Codigo= TipoDeCliente= ApelidoOuNomeFantasia= NomeOuRazaoSocial= Sexo= DataDeNascimento= "
        "AnoDeNascimento= CPFCNPJ= RGIE= VIP= CategoriaDaCurvaABC= DadosDaCurvaABC& CEP= TipoDeLogradouro= Logradouro= "
        "Numero= Complemento= Bairro= Cidade= CodigoIBGEDoMunicipio= UF= EndCobCEP= EndCobTipoDeLogradouro= EndCobLogradouro= "
        "EndCobNumero= EndCobComplemento= EndCobBairro= EndCobCidade= EndCobUF= TipoDeCanalDeComunicacao1= "
        "CanalDeComunicacao1= TipoDeCanalDeComunicacao2= CanalDeComunicacao2= TipoDeCanalDeComunicacao3= CanalDeComunicacao3= "
        "TipoDeCanalDeComunicacao4= CanalDeComunicacao4= Profissao= Observacao= LimiteDeCredito= MotivoDaSituacao= "
        "ClienteComDesconto= DescontoUnico= PercentualUnicoDeDescontos= PercentualDeDescontoEmClinicos= "
        "PercentualDeDescontoEmCirurgiaSimples= PercentualDeDescontoEmCirurgiaMedia= PercentualDeDescontoEmCirurgiaComplexa= "
        "PercentualDeDescontoEmBanhosTosasEEsteticas= PercentualDeDescontoEmHospedagens= PercentualDeDescontoEmAdestramentos= "
        "PercentualDeDescontoEmOutros= DataHoraDaAtualizacao? DadosDoUsuario& NumeroDoErro? DescricaoDoErro? CodigoGerado? "
        "LocalDoErro? DescricaoDaFalha?";
    auto c = novoCliente();
    EXPECT_EQ(c->table().interfaceName(), "_clsClientes");
    const auto& slots = c->table().slots();
    std::ostringstream obtido;
    for (const auto& s : slots) {
        const char* tipo = s.kind == InvokeKind::Method ? "()" : s.kind == InvokeKind::PropertyGet ? "?"
                         : s.kind == InvokeKind::PropertyPut ? "=" : "&";
        obtido << (obtido.tellp() ? " " : "") << s.name << tipo;
    }
    EXPECT_EQ(obtido.str(), esperado);
    // The types at the interface of a few kinds of property.
    for (const auto& [slot, tipo] : std::vector<std::pair<int, VarType>>{
             {19, VarType::R8}, {13, VarType::I2}, {28, VarType::Bool}, {58, VarType::Currency}, {70, VarType::Currency}})
        EXPECT_EQ(slots[slot].params.at(0).type, tipo) << slot;
    for (const auto& [slot, tipo] : std::vector<std::pair<int, VarType>>{
             {73, VarType::I4}, {75, VarType::R8}, {2, VarType::Variant}, {9, VarType::I2}})
        EXPECT_EQ(slots[slot].returns, tipo) << slot;
}

// Codigo is rounded half to even; what no longer fits is an overflow that keeps the old value.
TEST_F(Interface, CodigoRoundsHalfToEvenAndOverflows) {
    auto c = novoCliente();
    for (const auto& [entrada, guardado] : std::vector<std::pair<double, int32_t>>{{2.5, 2}, {3.5, 4}, {2147483646.5, 2147483646}}) {
        putProperty(*c, "Codigo", Variant(entrada));
        EXPECT_EQ(c->codigo(), guardado) << entrada;
    }
    for (double fora : {2147483647.5, -2147483649.0}) {
        c->put_Codigo(41);
        try { putProperty(*c, "Codigo", Variant(fora)); ADD_FAILURE() << fora; } catch (const RuntimeError& e) { EXPECT_EQ(e.number(), err::Overflow); }
        EXPECT_EQ(c->codigo(), 41) << fora;
    }
}

// By name from its ProgID: a put that reaches a putref as Set, and the methods' arguments and results.
TEST_F(Interface, CalledByNameFromItsProgId) {
    Ref<Object> o = CreateObject("ZELT_N_ClientAnim.clsClientes");
    putProperty(*o, "DadosDaCurvaABC", Variant(Ref<Object>(make<DadosDoUsuarioEmMemoria>())));
    EXPECT_EQ(getProperty(*o, "DataHoraDaAtualizacao").toText(), "00:00:00");
    putRefProperty(*o, "DadosDoUsuario", usuario_);
    putProperty(*o, "CodigoIBGEDoMunicipio", Variant("3550308"));
    putProperty(*o, "Codigo", Variant(1.0));
    const Variant r = callByName(*o, "AlterarCodigoIBGEDoMunicipio");
    EXPECT_EQ(r.type(), VarType::I2);
    EXPECT_EQ(r.toInt16(), 0) << getProperty(*o, "DescricaoDoErro").toText();
    EXPECT_EQ(callByName(*o, "ValidarDados", {Variant(int16_t(3)), Variant(Ref<Object>()), Variant(Ref<Object>())}).toInt16(), 0);
}

class Validacao : public Ambiente {
protected:
    int16_t validar(clsClientes& c, int16_t operacao = 1) { return c.ValidarDados(operacao, refConexao(), nullptr); }
};

const std::string ForaDoLimite = "Digite o valor do desconto menor ou igual a 100,00%.";
const std::string Aniversario = "Selecione o dia e o mês de aniversário do cliente.";
const std::string SeteDigitos = "Digite o código IBGE do município com 7 (sete) dígitos (números).";
const std::string DigiteOIBGE = "Digite o código IBGE do município.";
const std::string Email = "O formato da conta de email não esta correto. Verifique pontuação.";
const std::string CpfIncorreto = "CPF incorreto. Por favor verifique.";
const std::string CnpjIncorreto = "CNPJ incorreto. Por favor verifique.";
const std::vector<std::string> Servicos{"Clinicos", "CirurgiaSimples", "CirurgiaMedia", "CirurgiaComplexa",
                                        "BanhosTosasEEsteticas", "Hospedagens", "Adestramentos", "Outros"};

// A user whose permitted document is code 11, which makes the document and the municipality mandatory.
void exigir11(clsClientes& c, Variant codigo = Variant("11")) {
    auto u = make<DadosDoUsuarioEmMemoria>();
    u->definir("NomeDeUsuario", Variant("maria"));
    u->definir("CodigoDoDocumentoComEmissaoPermitida", codigo);
    c.putref_DadosDoUsuario(u);
}

// Each row sets properties of a valid person; a refusal names its field and message, and writes no error.
TEST_F(Validacao, EachRuleWithItsMessageAndField) {
    using V = Variant;
    using Valores = std::vector<std::pair<std::string, Variant>>;
    struct Caso { const char* nome; Valores valores; const char* campo = ""; std::string mensagem = ""; std::function<void(clsClientes&)> extra = nullptr; };
    const auto pj = [](Valores v) {
        v.insert(v.begin(), {{"TipoDeCliente", V("PJ")}, {"CPFCNPJ", V("95000000000106")}});
        return v;
    };
    const std::string hoje = Date::today().format("ddmm"), ano = Date::today().format("yyyy"), proximo = std::to_string(Date::today().year() + 1);
    const std::vector<Caso> casos{
        {"pessoa valida", {}}, {"empresa valida", pj({})},
        {"nome fantasia", pj({{"ApelidoOuNomeFantasia", V("  ")}}), "ApelidoOuNomeFantasia", "Digite o nome fantasia do cliente."},
        {"razao social", pj({{"NomeOuRazaoSocial", V(" ")}}), "NomeOuRazaoSocial", "Digite a razão social do cliente."},
        {"data inexistente", {{"DataDeNascimento", V("3102")}, {"AnoDeNascimento", V("2000")}}, "DataDeNascimento",
         "A data informada: '31/02/2000' não existe."},
        {"data futura", {{"DataDeNascimento", V("0101")}, {"AnoDeNascimento", V(proximo)}}, "DataDeNascimento",
         "A data de nascimento não pode ser maior que a data de hoje."},
        {"ano sem dia", {{"DataDeNascimento", V("")}, {"AnoDeNascimento", V("1990")}}, "DataDeNascimento", Aniversario},
        {"ano de dois caracteres", {{"DataDeNascimento", V("3102")}, {"AnoDeNascimento", V("20")}}},
        {"nascido hoje", {{"DataDeNascimento", V(hoje)}, {"AnoDeNascimento", V(ano)}}},
        {"cpf incompleto", {{"CPFCNPJ", V("1020304057")}}, "CPFCNPJ", "CPF incompleto."},
        {"cpf incorreto", {{"CPFCNPJ", V("10203040571")}}, "CPFCNPJ", CpfIncorreto},
        {"cpf de doze digitos", {{"CPFCNPJ", V("102030405701")}}}, {"cpf com pontos e hifen", {{"CPFCNPJ", V("102.030.405-70")}}},
        {"cpf em branco", {{"CPFCNPJ", V("")}}},
        {"cnpj exigido", pj({{"CPFCNPJ", V(" ")}}), "CPFCNPJ", "Digite o CNPJ.", [](clsClientes& c) { exigir11(c); }},
        {"cnpj incompleto", pj({{"CPFCNPJ", V("9500000000010")}}), "CPFCNPJ", "CNPJ incompleto."},
        {"cnpj incorreto", pj({{"CPFCNPJ", V("95000000000107")}}), "CPFCNPJ", CnpjIncorreto},
        // The type is compared exactly: not a person, so no sex, birthday or CPF rules.
        {"nem pessoa nem empresa", {{"TipoDeCliente", V("pf")}, {"Sexo", V("")}, {"DataDeNascimento", V("1")}, {"CPFCNPJ", V("12")}}},
        {"ibge curto", {{"CodigoIBGEDoMunicipio", V("355030")}}, "CodigoIBGEDoMunicipio", SeteDigitos},
        {"ibge inexistente", {{"CodigoIBGEDoMunicipio", V("9999999")}}, "CodigoIBGEDoMunicipio",
         "O código IBGE '9999999' não pode ser incluído porque não existe na tabela de 'MunicipiosIBGE'.\r\n\r\n"
         "Se deseja utilizar, faça antes a inclusão deste código IBGE do município na tabela 'MunicipiosIBGE'."},
        {"ibge em branco", {{"CodigoIBGEDoMunicipio", V("")}}},
        {"11 numerico", {{"CodigoIBGEDoMunicipio", V("")}}, "CodigoIBGEDoMunicipio", DigiteOIBGE,
         [](clsClientes& c) { exigir11(c, Variant(int16_t(11))); }},
        {"e-mail nao e Email", {{"TipoDeCanalDeComunicacao1", V("E-mail")}, {"CanalDeComunicacao1", V("x")}}},
        {"email em branco", {{"TipoDeCanalDeComunicacao2", V("EMAIL")}, {"CanalDeComunicacao2", V("  ")}}},
        {"email aparado", {{"TipoDeCanalDeComunicacao4", V("Email")}, {"CanalDeComunicacao4", V(" ana@exemplo.com.br ")}}},
        {"desconto unico", {{"ClienteComDesconto", V(true)}, {"DescontoUnico", V(true)}, {"PercentualUnicoDeDescontos", V(Currency::fromRaw(1000001))}},
         "PercentualUnicoDeDescontos", ForaDoLimite},
        {"desconto unico sem desconto", {{"DescontoUnico", V(true)}, {"PercentualUnicoDeDescontos", V(Currency::fromRaw(1000001))}}},
        // A single discount leaves the services' unchecked, and the other way round.
        {"desconto de 100", {{"ClienteComDesconto", V(true)}, {"DescontoUnico", V(true)}, {"PercentualUnicoDeDescontos", V(Currency::fromInt(100))},
                             {"PercentualDeDescontoEmOutros", V(Currency::fromInt(500))}}},
        {"desconto por servico de 100", {{"ClienteComDesconto", V(true)}, {"PercentualUnicoDeDescontos", V(Currency::fromInt(500))}}, "", "",
         [](clsClientes& c) { for (const auto& s : Servicos) putProperty(c, "PercentualDeDescontoEm" + s, Variant(Currency::fromInt(100))); }},
        {"situacao nunca atribuida", {{"Situacao", V(int16_t{0})}}}};
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        auto c = pessoaValida();
        for (const auto& [nome, valor] : caso.valores) putProperty(*c, nome, valor);
        if (caso.extra) caso.extra(*c);
        EXPECT_EQ(validar(*c), *caso.campo ? 2 : 0) << c->get_DescricaoDaFalha();
        EXPECT_EQ(c->get_NomeDoCampoValidado(), caso.campo);
        EXPECT_EQ(c->get_DescricaoDaFalha(), caso.mensagem);
        EXPECT_EQ(c->get_NumeroDoErro(), 0);
    }
}

// A record that breaks every rule: correcting one failure at a time walks the rules in their order.
TEST_F(Validacao, RulesRunInTheirOrder) {
    auto c = novoCliente();
    exigir11(*c);
    std::vector<std::pair<std::string, Variant>> valores{
        {"TipoDeCliente", Variant("PF")}, {"DataDeNascimento", Variant("31")}, {"CEP", Variant("123")}, {"EndCobCEP", Variant("4567")},
        {"TipoDeCanalDeComunicacao1", Variant("Email")}, {"TipoDeCanalDeComunicacao2", Variant("EMAIL")},
        {"TipoDeCanalDeComunicacao3", Variant("meu email")}, {"TipoDeCanalDeComunicacao4", Variant("eMaIl")},
        {"DescontoUnico", Variant(true)}, {"ClienteComDesconto", Variant(true)},
        {"PercentualUnicoDeDescontos", Variant(Currency::fromInt(101))}, {"Situacao", Variant(int16_t{-1})}};
    // Each step: the field refused, its message, and the value that corrects it (of the field itself unless named).
    struct Passo { std::string campo, mensagem; Variant correcao; std::string propriedade = ""; };
    std::vector<Passo> passos{
        {"ApelidoOuNomeFantasia", "Digite o apelido do cliente ou nome que ele é mais conhecido.", Variant("Zeca")},
        {"NomeOuRazaoSocial", "Digite o nome completo do cliente.", Variant("José")},
        {"Sexo", "Selecione o sexo do cliente.", Variant("M")}, {"DataDeNascimento", Aniversario, Variant("3112")},
        {"CPFCNPJ", "Digite o CPF.", Variant("10203040570")}, {"CEP", "CEP incompleto.", Variant("01310100")},
        {"EndCobCEP", "CEP incompleto.", Variant("")}, {"CodigoIBGEDoMunicipio", DigiteOIBGE, Variant("3550308")}};
    for (const char* n : {"1", "2", "3", "4"}) {
        valores.push_back({std::string("CanalDeComunicacao") + n, Variant("sem ponto")});
        passos.push_back({std::string("CanalDeComunicacao") + n, Email, Variant("a@exemplo.com")});
    }
    passos.push_back({"PercentualUnicoDeDescontos", ForaDoLimite, Variant(false), "DescontoUnico"});
    // Exactly 100 passes; negatives are not tested.
    for (const auto& s : Servicos) {
        valores.push_back({"PercentualDeDescontoEm" + s, Variant(Currency::fromInt(101))});
        passos.push_back({"PercentualDeDescontoEm" + s, ForaDoLimite, Variant(s == "Clinicos" ? Currency::fromInt(100) : Currency::fromRaw(-10000))});
    }
    passos.push_back({"Situacao", "Informe a situação do cliente.", Variant(int16_t{1})});
    for (const auto& [nome, valor] : valores) putProperty(*c, nome, valor);
    for (const Passo& passo : passos) {
        SCOPED_TRACE(passo.campo);
        ASSERT_EQ(validar(*c), 2);
        EXPECT_EQ(c->get_NomeDoCampoValidado(), passo.campo);
        EXPECT_EQ(c->get_DescricaoDaFalha(), passo.mensagem);
        putProperty(*c, passo.propriedade.empty() ? passo.campo : passo.propriedade, passo.correcao);
    }
    EXPECT_EQ(validar(*c), 0);
    // Passing leaves the last failure in place.
    EXPECT_EQ(c->get_NomeDoCampoValidado(), "Situacao");
    EXPECT_EQ(c->get_DescricaoDaFalha(), "Informe a situação do cliente.");
}

// A number already held by another client, for each kind of client and form of number.
TEST_F(Validacao, DuplicateMessages) {
    auto gravar = [&](std::string tipo, std::string numero) {
        return Variant(inserirCliente("Nome", {{"TipoDeCliente", "'" + tipo + "'"}, {"ApelidoOuNomeFantasia", "'Apelido'"}, {"CPFCNPJ", "'" + numero + "'"}})).toText();
    };
    const std::string comPontos = gravar("PF", "102.030.405-70");
    const std::string curto = gravar("XX", "123");

    auto p = pessoaValida("102.030.405-70");  // fourteen characters: no check digits, only the lookup
    EXPECT_EQ(validar(*p), 2);
    EXPECT_EQ(p->get_DescricaoDaFalha(),
              "Não é possível salvar o CPF '102.030.405-70', pois ele já foi informado para o cliente:\r\n\r\n"
              "Código.: " + comPontos + "\r\nApelido: Apelido\r\nNome...: Nome\r\n\r\n"
              "Informe um outro número de CPF e tente novamente.");

    // A client that is neither person nor company gets the company's message; missing digits are zeros.
    auto x = pessoaValida("123");
    x->put_TipoDeCliente("XX");
    EXPECT_EQ(validar(*x), 2);
    EXPECT_EQ(x->get_DescricaoDaFalha(),
              "Não é possível salvar o CNPJ '00.000.000/0001-23', pois ele já foi informado para a empresa:\r\n\r\n"
              "Código.......: " + curto + "\r\nNome fantasia: Apelido\r\nRazão social.: Nome\r\n\r\n"
              "Informe um outro número de CNPJ e tente novamente.");
    // In an alteration of that very client the number is its own, also when another row holds it too, as in a file
    // that held the number twice before its unique index could be made; another client's number is refused.
    x->put_Codigo(Variant(curto).toDouble());
    EXPECT_EQ(validar(*x, 2), 0);
    ASSERT_TRUE(zelt::testing_support::runDirectly(caminhoDoBanco(), "DROP INDEX \"ux_Clientes_CPFCNPJ\""));
    gravar("PF", "123");
    EXPECT_EQ(validar(*x, 2), 0);
    x->put_Codigo(Variant(comPontos).toDouble());
    EXPECT_EQ(validar(*x, 2), 2);
}

// Each call on a valid person as the row adjusts it: the result, and the error, refusal and field it leaves.
TEST_F(Validacao, ResultOfEachCall) {
    using V = Variant;
    const Ref<Object> semExecute = make<DadosDoUsuarioEmMemoria>();  // a connection without Execute: error 438
    const Ref<Object> conexao = refConexao();
    const V semUsuario{Ref<Object>()};
    using Chamada = std::function<int16_t(clsClientes&)>;
    const auto dados = [](int16_t op, Ref<Object> cx) -> Chamada { return [=](clsClientes& c) { return c.ValidarDados(op, cx, nullptr); }; };
    const auto especifico = [](int16_t op, Ref<Object> cx, V dado = V()) -> Chamada {
        return [=](clsClientes& c) { return c.ValidarDadoEspecifico(op, cx, nullptr, dado); };
    };
    struct Caso { const char* nome; std::vector<std::pair<std::string, Variant>> valores; Chamada chamar; int16_t resultado; int32_t numero = 0;
                  std::string local = "", falha = "", campo = ""; };
    const std::vector<Caso> casos{
        // A letter among the first nine characters of the CPF is the check's own error, kept beside the refusal.
        {"letra no cpf", {{"CPFCNPJ", V("1020a040570")}}, dados(1, conexao), 2, 13, "ValidarCPF, Ponto: 3", CpfIncorreto, "CPFCNPJ"},
        {"sem usuario", {{"DadosDoUsuario", semUsuario}}, dados(1, conexao), 1, 91, "ValidarDados, Ponto: 5"},
        {"regra antes do usuario", {{"DadosDoUsuario", semUsuario}, {"NomeOuRazaoSocial", V("")}}, dados(1, conexao), 2, 0, "",
         "Digite o nome completo do cliente.", "NomeOuRazaoSocial"},
        {"sem consultas nenhuma conexao", {{"CPFCNPJ", V("")}, {"CodigoIBGEDoMunicipio", V("")}}, dados(1, nullptr), 0},
        {"exclusao nada valida", {{"Sexo", V("")}, {"Situacao", V(int16_t{-1})}}, dados(3, nullptr), 0},
        {"outras nada validam", {{"Sexo", V("")}, {"Situacao", V(int16_t{-1})}}, dados(7, nullptr), 0},
        {"falha do banco", {{"CPFCNPJ", V("")}}, dados(1, semExecute), 1, 438, "ValidarDados, Ponto: 8"},
        {"a consulta do documento falha antes", {}, dados(2, semExecute), 1, 438, "ValidarDados, Ponto: 5"},
        {"falha do banco no dado especifico", {}, especifico(2, semExecute), 1, 438, "ValidarDadoEspecifico, Ponto: 2"},
        // The specific check looks at the municipality code alone, with or without "11", and needs no user.
        {"dado especifico so o ibge", {{"Sexo", V("")}, {"CodigoIBGEDoMunicipio", V("")}}, especifico(2, conexao, V("CPFCNPJ")), 2, 0, "",
         DigiteOIBGE, "CodigoIBGEDoMunicipio"},
        {"dado especifico curto", {{"CodigoIBGEDoMunicipio", V(" 355030")}}, especifico(1, conexao), 2, 0, "", SeteDigitos, "CodigoIBGEDoMunicipio"},
        {"dado especifico sem usuario", {{"DadosDoUsuario", semUsuario}}, especifico(2, conexao, V("3550308")), 0},
        {"dado especifico na exclusao", {{"CodigoIBGEDoMunicipio", V("")}}, especifico(3, nullptr), 0}};
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nome);
        auto c = pessoaValida();
        for (const auto& [nome, valor] : k.valores) putProperty(*c, nome, valor);
        EXPECT_EQ(k.chamar(*c), k.resultado);
        EXPECT_EQ(c->get_NumeroDoErro(), k.numero);
        EXPECT_EQ(c->get_LocalDoErro(), k.local.empty() ? "" : "ZELT_N_ClientAnim, clsClientes, " + k.local);
        EXPECT_EQ(c->get_DescricaoDaFalha(), k.falha);
        EXPECT_EQ(c->get_NomeDoCampoValidado(), k.campo);
    }
}

}  // namespace
}  // namespace zelt::clientanim::teste
