// Adicionar with the animals grid, Alterar, AlterarCodigoIBGEDoMunicipio and Excluir on the real
// database, with the texts the engine received where their exact form matters.

#include "ambiente.hpp"
#include "locale_com_virgula.hpp"

namespace zelt::clientanim::teste {
namespace {

class Operacoes : public Ambiente {
protected:
    void SetUp() override {
        Ambiente::SetUp();
        auto rs = conexaoDireta().Execute("SELECT Codigo, CodigoDaEspecieDeAnimal FROM RacasDeAnimais");
        raca_ = (*rs)("Codigo").toText();
        especie_ = (*rs)("CodigoDaEspecieDeAnimal").toText();
    }

    // Columns 0 to 16; 0, 1, 4 and 6 are the caller's and never read.
    std::vector<std::string> animal(const std::string& nome, const std::string& especie = "",
                                    const std::string& situacao = "1") {
        return {"x", "x", nome, especie.empty() ? especie_ : especie, "x", raca_, "x", "M", "Médio", "Caramelo",
                "10/05/2020", "RGA1", "CHIP1", "sim", "Não", "Dócil", situacao};
    }
    Ref<GradeEmMemoria> grade(std::vector<std::vector<std::string>> linhas) {
        linhas.insert(linhas.begin(), std::vector<std::string>(17, "cabeçalho"));
        return make<GradeEmMemoria>(std::move(linhas));
    }
    std::string recebido(std::string_view inicio) {
        for (const auto& t : gravacao().textos)
            if (t.starts_with(inicio)) return t;
        return {};
    }
    std::string coluna(double codigo, const std::string& nome) {
        const Variant v = valor("SELECT " + nome + " FROM Clientes WHERE Codigo=" + Variant(codigo).toText());
        return v.isNull() ? "<null>" : v.toText();
    }

    std::string especie_, raca_;
};

TEST_F(Operacoes, ClientWithTwoAnimalsInOneTransaction) {
    auto c = pessoaValida();
    c->put_AdicionarClienteEAnimalNaMesmaOperacao(true);
    auto g = grade({animal("Rex"), animal("Mel")});
    c->putref_GradeDeAnimais(g);
    ASSERT_EQ(c->Adicionar(), 0) << c->get_DescricaoDoErro() << " " << c->get_LocalDoErro();
    const double codigo = c->get_CodigoGerado();
    EXPECT_GT(codigo, 0);
    EXPECT_EQ(contar("Clientes"), 1);
    EXPECT_EQ(contar("Animais WHERE CodigoDoCliente=" + Variant(codigo).toText()), 2);
    EXPECT_EQ(valor("SELECT COUNT(*) FROM Animais WHERE Pedigree=True AND AnimalMorto=False").toDouble(), 2);
    EXPECT_EQ(g->get_Row(), 2);  // left on the last row written
    EXPECT_EQ(coluna(codigo, "UsuarioDaInclusao"), "maria");
}

TEST_F(Operacoes, ABadThirdRowRollsEverythingBack) {
    auto antes = pessoaValida("52998224725");
    ASSERT_EQ(antes->Adicionar(), 0);
    const int clientes = contar("Clientes"), animais = contar("Animais");

    auto c = pessoaValida();
    c->put_AdicionarClienteEAnimalNaMesmaOperacao(true);
    c->putref_GradeDeAnimais(grade({animal("Rex"), animal("Mel"), animal("Tom", "abc")}));
    EXPECT_EQ(c->Adicionar(), 1);
    EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, Adicionar, Ponto: 7");
    EXPECT_GT(c->get_CodigoGerado(), 0);  // the code the rolled-back row had
    EXPECT_EQ(contar("Clientes"), clientes);
    EXPECT_EQ(contar("Animais"), animais);
}

TEST_F(Operacoes, SpeciesBreedAndStatusCellsGoUnchangedAndTheDatabaseDecides) {
    gravarOsTextos();
    constexpr int32_t ErroDeSintaxe = -2147217900;
    struct Caso { size_t coluna; std::string celula; int16_t resultado; };
    for (const Caso& k : std::vector<Caso>{{16, " 1", 0}, {16, "2.0", 0}, {16, "Null", 0}, {3, especie_ + " ", 0},
                                           {5, " " + raca_, 0}, {16, "", 1}, {3, "", 1}}) {
        SCOPED_TRACE("coluna " + std::to_string(k.coluna) + " [" + k.celula + "]");
        gravacao().textos.clear();
        auto linha = animal("Rex");
        linha[k.coluna] = k.celula;
        auto c = pessoaValida("");
        c->put_TipoDeCliente("PJ");
        c->put_AdicionarClienteEAnimalNaMesmaOperacao(true);
        c->putref_GradeDeAnimais(grade({linha}));
        const int animais = contar("Animais");
        ASSERT_EQ(c->Adicionar(), k.resultado) << c->get_DescricaoDoErro();
        if (k.resultado == 0) {
            EXPECT_NE(recebido("INSERT INTO Animais").find(k.celula + ", "), std::string::npos);
            EXPECT_EQ(contar("Animais"), animais + 1);
        } else {
            EXPECT_EQ(c->get_NumeroDoErro(), ErroDeSintaxe);
            EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, Adicionar, Ponto: 7");
            EXPECT_EQ(contar("Animais"), animais);
        }
    }
}

TEST_F(Operacoes, FlagWithoutGridIsErrorAtPointSeven) {
    auto c = pessoaValida();
    c->put_AdicionarClienteEAnimalNaMesmaOperacao(true);
    EXPECT_EQ(c->Adicionar(), 1);
    EXPECT_EQ(c->get_NumeroDoErro(), 91);
    EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, Adicionar, Ponto: 7");
    EXPECT_GT(c->get_CodigoGerado(), 0);
    EXPECT_EQ(contar("Clientes"), 0);
}

TEST_F(Operacoes, GridUntouchedWithoutTheFlagAndHeadingNeverInserted) {
    auto c = pessoaValida();
    auto g = grade({animal("Rex")});
    c->putref_GradeDeAnimais(g);
    EXPECT_EQ(c->Adicionar(), 0);
    EXPECT_EQ(g->get_Row(), 0);
    EXPECT_EQ(contar("Animais"), 0);

    auto s = pessoaValida("52998224725");
    s->put_AdicionarClienteEAnimalNaMesmaOperacao(true);
    s->putref_GradeDeAnimais(grade({}));
    EXPECT_EQ(s->Adicionar(), 0);
    EXPECT_EQ(contar("Clientes"), 2);
    EXPECT_EQ(contar("Animais"), 0);
}

TEST_F(Operacoes, AValidationFailureBeginsNothing) {
    gravarOsTextos();
    auto c = pessoaValida();
    c->put_Sexo("");
    EXPECT_EQ(c->Adicionar(), 2);
    EXPECT_TRUE(gravacao().textos.empty());
    EXPECT_EQ(contar("Clientes"), 0);
}

TEST_F(Operacoes, WithoutUserObjectFailsAtTheValidationStepOfAdicionar) {
    auto c = pessoaValida();
    c->putref_DadosDoUsuario(nullptr);
    EXPECT_EQ(c->Adicionar(), 1);  // validation's own error, passed on
    EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, ValidarDados, Ponto: 5");
}

TEST_F(Operacoes, ExactClientInsertionText) {
    gravarOsTextos();
    auto c = pessoaValida();
    c->put_RGIE("123456");
    c->put_VIP(true);
    c->put_CategoriaDaCurvaABC("A");
    c->put_TipoDeCanalDeComunicacao1("Email");
    c->put_CanalDeComunicacao1("ze@exemplo.com");
    c->put_LimiteDeCredito(Currency::fromInt(1500));
    c->put_MotivoDaSituacao("Novo");
    c->put_ClienteComDesconto(true);
    c->put_PercentualDeDescontoEmClinicos(Currency::fromRaw(125000));
    ASSERT_EQ(c->Adicionar(), 0) << c->get_DescricaoDoErro();
    const double codigo = c->get_CodigoGerado();
    const std::string esperado =
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
        "DataEHoraDaInclusao,UsuarioDaInclusao) VALUES('PF','Zeca','" +
        coluna(codigo, "ApelidoOuNomeFantasiaSoundex") + "','José Carlos da Silva','" +
        coluna(codigo, "NomeOuRazaoSocialSoundex") +
        "','M','3112','1980','10203040570','123456','01310100','','','','','','São Paulo','3550308','SP',True, "
        "'A','','','','','','','','','Email','ze@exemplo.com','','','','','','','','',1500, 'Novo', True, False, 0, "
        "12.5, 0, 0, 0, 0, 0, 0, 0, 1, '" +
        c->get_DataHoraDaAtualizacao() + "', 'maria');";
    EXPECT_EQ(recebido("INSERT INTO Clientes"), esperado);

    // The order of the call: lookups, clock, insertion, identity.
    std::vector<std::string> inicios;
    for (const auto& t : gravacao().textos) inicios.push_back(t.substr(0, 20));
    ASSERT_EQ(inicios.size(), 5u);
    EXPECT_EQ(inicios[0], " SELECT Clientes.Cod");
    EXPECT_EQ(inicios[1], " SELECT COUNT(*) AS ");
    EXPECT_EQ(gravacao().textos[2], " SELECT NOW AS DataHoraDoServidor ");
    EXPECT_EQ(gravacao().textos[4], "SELECT @@Identity");
}

TEST_F(Operacoes, ExactAnimalInsertionText) {
    gravarOsTextos();
    auto c = pessoaValida();
    c->put_AdicionarClienteEAnimalNaMesmaOperacao(true);
    auto linha = animal("Rex");
    linha[10] = "não é data";
    linha[13] = "SIM";
    c->putref_GradeDeAnimais(grade({linha}));
    ASSERT_EQ(c->Adicionar(), 0) << c->get_DescricaoDoErro();
    EXPECT_EQ(recebido("INSERT INTO Animais"),
              "INSERT INTO Animais (Nome,Sexo,CodigoDoCliente,CodigoDaEspecie,CodigoDaRaca,Porte,Cor,DataDeNascimento,"
              "RGA,Microchip,Pedigree,AnimalMorto,Observacao,Situacao,DataEHoraDaInclusao,UsuarioDaInclusao) VALUES ('Rex','M'," +
                  Variant(c->get_CodigoGerado()).toText() + "," + especie_ + ", " + raca_ +
                  ", 'Médio','Caramelo',Null,'RGA1','CHIP1',True,False,'Dócil',1, '" + c->get_DataHoraDaAtualizacao() +
                  "', 'maria');");
}

TEST_F(Operacoes, TwelveAndAHalfUnderACommaLocale) {
    gravarOsTextos();
    auto c = pessoaValida();
    c->put_ClienteComDesconto(true);
    c->put_DescontoUnico(true);
    c->put_PercentualUnicoDeDescontos(Currency::fromRaw(125000));
    c->put_LimiteDeCredito(Currency::fromRaw(12345678));
    int16_t adicionado = -1, alterado = -1;
    {
        LocaleComVirgula virgula;
        if (!virgula.ativo()) GTEST_SKIP() << "no locale with a decimal comma can be made here";
        adicionado = c->Adicionar();
        c->put_Codigo(c->get_CodigoGerado());
        alterado = c->Alterar();
    }
    ASSERT_EQ(adicionado, 0) << c->get_DescricaoDoErro();
    ASSERT_EQ(alterado, 0) << c->get_DescricaoDoErro();
    EXPECT_NE(recebido("INSERT INTO Clientes").find(",1234.5678, '', True, True, 12.5, 0,"), std::string::npos);
    EXPECT_NE(recebido("UPDATE Clientes").find("LimiteDeCredito=1234.5678, "), std::string::npos);
    EXPECT_NE(recebido("UPDATE Clientes").find("PercentualUnicoDeDescontos=12.5, "), std::string::npos);
    EXPECT_EQ(valor("SELECT PercentualUnicoDeDescontos FROM Clientes").toCurrency(), Currency::fromRaw(125000));
}

TEST_F(Operacoes, DuplicateDocumentOnInsertionAndAlteration) {
    auto a = pessoaValida();
    ASSERT_EQ(a->Adicionar(), 0);
    const std::string codigoA = Variant(a->get_CodigoGerado()).toText();

    auto outro = pessoaValida();
    EXPECT_EQ(outro->Adicionar(), 2);
    EXPECT_EQ(outro->get_NomeDoCampoValidado(), "CPFCNPJ");
    EXPECT_EQ(outro->get_DescricaoDaFalha(),
              "Não é possível salvar o CPF '102.030.405-70', pois ele já foi informado para o cliente:\r\n\r\n"
              "Código.: " + codigoA + "\r\nApelido: Zeca\r\nNome...: José Carlos da Silva\r\n\r\n"
              "Informe um outro número de CPF e tente novamente.");

    // The client's own number passes its alteration, also when another row holds it too.
    a->put_Codigo(a->get_CodigoGerado());
    EXPECT_EQ(a->Alterar(), 0);
    // As in a file that held the number twice before its unique index could be made.
    ASSERT_TRUE(zelt::testing_support::runDirectly(caminhoDoBanco(), "DROP INDEX \"ux_Clientes_CPFCNPJ\""));
    conexaoDireta().Execute("INSERT INTO Clientes (TipoDeCliente, ApelidoOuNomeFantasia, NomeOuRazaoSocial, CPFCNPJ) "
                            "VALUES ('PF', 'Gêmeo', 'Outro', '10203040570')");
    EXPECT_EQ(a->Alterar(), 0);

    auto b = pessoaValida("52998224725");
    ASSERT_EQ(b->Adicionar(), 0);
    b->put_Codigo(b->get_CodigoGerado());
    b->put_CPFCNPJ("10203040570");
    EXPECT_EQ(b->Alterar(), 2);
    EXPECT_NE(b->get_DescricaoDaFalha().find("Código.: " + codigoA + "\r\n"), std::string::npos);
}

TEST_F(Operacoes, DuplicateCompanyMessage) {
    auto e = pessoaValida();
    e->put_TipoDeCliente("PJ");
    e->put_CPFCNPJ("95000000000106");
    e->put_ApelidoOuNomeFantasia("Pet Feliz");
    e->put_NomeOuRazaoSocial("Pet Feliz Ltda");
    ASSERT_EQ(e->Adicionar(), 0);
    auto f = pessoaValida();
    f->put_TipoDeCliente("PJ");
    f->put_CPFCNPJ("95000000000106");
    EXPECT_EQ(f->Adicionar(), 2);
    EXPECT_EQ(f->get_DescricaoDaFalha(),
              "Não é possível salvar o CNPJ '95.000.000/0001-06', pois ele já foi informado para a empresa:\r\n\r\n"
              "Código.......: " + Variant(e->get_CodigoGerado()).toText() +
                  "\r\nNome fantasia: Pet Feliz\r\nRazão social.: Pet Feliz Ltda\r\n\r\n"
                  "Informe um outro número de CNPJ e tente novamente.");
}

TEST_F(Operacoes, AlterarKeepsTypeAndInclusionAudit) {
    auto c = pessoaValida();
    ASSERT_EQ(c->Adicionar(), 0);
    const double codigo = c->get_CodigoGerado();
    const std::string incluidoEm = coluna(codigo, "DataEHoraDaInclusao");

    usuario_->definir("NomeDeUsuario", Variant("joao"));
    c->put_Codigo(codigo);
    c->put_TipoDeCliente("XX");  // neither person nor company: no operation here writes the type
    c->put_NomeOuRazaoSocial("José Carlos Souza");
    c->put_Situacao(2);
    ASSERT_EQ(c->Alterar(), 0) << c->get_DescricaoDoErro() << c->get_DescricaoDaFalha();
    EXPECT_EQ(coluna(codigo, "TipoDeCliente"), "PF");
    EXPECT_EQ(coluna(codigo, "UsuarioDaInclusao"), "maria");
    EXPECT_EQ(coluna(codigo, "DataEHoraDaInclusao"), incluidoEm);
    EXPECT_EQ(coluna(codigo, "NomeOuRazaoSocial"), "José Carlos Souza");
    EXPECT_EQ(coluna(codigo, "Situacao"), "2");
    EXPECT_EQ(coluna(codigo, "UsuarioDaAlteracao"), "joao");
    EXPECT_NE(coluna(codigo, "DataEHoraDaAlteracao"), "<null>");
}

TEST_F(Operacoes, AlterarText) {
    auto c = pessoaValida();
    ASSERT_EQ(c->Adicionar(), 0);
    gravarOsTextos();
    c->put_Codigo(c->get_CodigoGerado());
    ASSERT_EQ(c->Alterar(), 0);
    const std::string t = recebido("UPDATE");
    EXPECT_TRUE(t.starts_with("UPDATE Clientes SET ApelidoOuNomeFantasia='Zeca',ApelidoOuNomeFantasiaSoundex='"));
    EXPECT_NE(t.find("RGIE='',VIP=False, CategoriaDaCurvaABC='',CEP='01310100',"), std::string::npos);
    EXPECT_NE(t.find("CanalDeComunicacao4='',Profissao='', Observacao='', LimiteDeCredito=0, MotivoDaSituacao='', "
                     "ClienteComDesconto=False, DescontoUnico=False, PercentualUnicoDeDescontos=0, "),
              std::string::npos);
    EXPECT_TRUE(t.ends_with("Situacao=1, DataEHoraDaAlteracao='" + c->get_DataHoraDaAtualizacao() +
                            "', UsuarioDaAlteracao='maria' WHERE Codigo=" + Variant(c->get_CodigoGerado()).toText() + ";"));
    EXPECT_EQ(t.find("TipoDeCliente"), std::string::npos);
}

TEST_F(Operacoes, ExcluirMarksStatusFour) {
    auto c = pessoaValida();
    c->put_AdicionarClienteEAnimalNaMesmaOperacao(true);
    c->putref_GradeDeAnimais(grade({animal("Rex")}));
    ASSERT_EQ(c->Adicionar(), 0);
    const double codigo = c->get_CodigoGerado();
    gravarOsTextos();
    auto x = novoCliente();
    x->put_Situacao(-1);  // deletion validates nothing
    x->put_Codigo(codigo);
    ASSERT_EQ(x->Excluir(), 0) << x->get_DescricaoDoErro();
    EXPECT_EQ(recebido("UPDATE"), "UPDATE Clientes SET Situacao=4, DataEHoraDaAlteracao='" +
                                      x->get_DataHoraDaAtualizacao() +
                                      "', UsuarioDaAlteracao='maria' WHERE Codigo=" + Variant(codigo).toText() + ";");
    EXPECT_EQ(coluna(codigo, "Situacao"), "4");
    EXPECT_EQ(coluna(codigo, "UsuarioDaAlteracao"), "maria");
    EXPECT_NE(coluna(codigo, "DataEHoraDaAlteracao"), "<null>");
    EXPECT_EQ(contar("Animais"), 1);

    x->put_Codigo(987654);  // no such row: not a failure
    EXPECT_EQ(x->Excluir(), 0);
}

TEST_F(Operacoes, ExcluirRefusals) {
    gravarOsTextos();
    auto x = novoCliente();
    x->put_Codigo(1);
    gravacao().falharNoInicio("UPDATE", RuntimeError(err::ProviderFailure, "violação", err::ReferentialIntegrityHelpContext));
    EXPECT_EQ(x->Excluir(), 3);
    EXPECT_EQ(x->get_DescricaoDaFalha(),
              "O cliente não pode ser excluído porque existe:\r\n\r\nanimais relacionados a ele\r\n\r\n"
              "Se não deseja mais utilizar, altere a 'Situação' do clinte para 'Inativo'.");
    EXPECT_EQ(x->get_NumeroDoErro(), 0);
    EXPECT_EQ(x->get_LocalDoErro(), "");

    gravacao().falharNoInicio("UPDATE", RuntimeError(err::ProviderFailure, "outra", 0));
    EXPECT_EQ(x->Excluir(), 3);
    EXPECT_NE(x->get_DescricaoDaFalha().find("animais relacionados"), std::string::npos);
    EXPECT_EQ(x->get_NumeroDoErro(), 0);

    gravacao().falharNoInicio("UPDATE", RuntimeError(3001, "argumentos"));
    EXPECT_EQ(x->Excluir(), 1);
    EXPECT_EQ(x->get_NumeroDoErro(), 3001);
    EXPECT_EQ(x->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, Excluir, Ponto: 7");
}

TEST_F(Operacoes, AlterationFailuresNameTheirStep) {
    gravarOsTextos();
    auto c = pessoaValida();
    c->put_Codigo(1);
    gravacao().falharNoInicio("UPDATE", RuntimeError(3001, "argumentos"));
    EXPECT_EQ(c->Alterar(), 1);
    EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, Alterar, Ponto: 7");
    EXPECT_EQ(c->AlterarCodigoIBGEDoMunicipio().toInt16(), 1);
    EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, AlterarCodigoIBGEDoMunicipio, Ponto: 7");
    gravacao().falharNoInicio(" SELECT NOW", RuntimeError(3021, "sem relógio"));
    EXPECT_EQ(c->Alterar(), 1);
    EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, Alterar, Ponto: 5");
    // A deletion refuses only the provider's general failure; any other is an error.
    EXPECT_EQ(c->Excluir(), 1);
    EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, Excluir, Ponto: 5");
}

TEST_F(Operacoes, AlterarCodigoIBGEInsideAVariant) {
    auto c = pessoaValida();
    ASSERT_EQ(c->Adicionar(), 0);
    const double codigo = c->get_CodigoGerado();
    auto m = novoCliente();
    m->put_Codigo(codigo);
    m->put_CodigoIBGEDoMunicipio("3304557");
    const Variant r = m->AlterarCodigoIBGEDoMunicipio();
    EXPECT_EQ(r.type(), VarType::I2);
    EXPECT_EQ(r.toInt16(), 0) << m->get_DescricaoDaFalha();
    EXPECT_EQ(coluna(codigo, "CodigoIBGEDoMunicipio"), "3304557");
    EXPECT_EQ(coluna(codigo, "NomeOuRazaoSocial"), "José Carlos da Silva");

    m->put_CodigoIBGEDoMunicipio("");
    EXPECT_EQ(m->AlterarCodigoIBGEDoMunicipio().toInt16(), 2);
    m->put_CodigoIBGEDoMunicipio("3550308");
    m->putref_DadosDoUsuario(nullptr);
    const Variant semUsuario = m->AlterarCodigoIBGEDoMunicipio();
    EXPECT_EQ(semUsuario.type(), VarType::I2);
    EXPECT_EQ(semUsuario.toInt16(), 1);
    EXPECT_EQ(m->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, AlterarCodigoIBGEDoMunicipio, Ponto: 6");
}

TEST_F(Operacoes, ARowTheDatabaseRefusesRollsEverythingBack) {
    auto c = pessoaValida();
    c->put_AdicionarClienteEAnimalNaMesmaOperacao(true);
    // A rule of the database's own refuses the third animal, after the client and two animals.
    ASSERT_TRUE(zelt::testing_support::runDirectly(
        caminhoDoBanco(), zelt::testing_support::onTestServer()
                    ? "CREATE FUNCTION recusa() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN IF NEW.\"CodigoDaEspecie\" = "
                      "999999 THEN RAISE EXCEPTION 'espécie recusada'; END IF; RETURN NEW; END $$; CREATE TRIGGER recusa "
                      "BEFORE INSERT ON \"Animais\" FOR EACH ROW EXECUTE FUNCTION recusa()"
                    : "CREATE TRIGGER recusa BEFORE INSERT ON Animais WHEN NEW.CodigoDaEspecie = 999999 "
                      "BEGIN SELECT RAISE(ABORT, 'espécie recusada'); END"));
    c->putref_GradeDeAnimais(grade({animal("Rex"), animal("Mel"), animal("Tom", "999999")}));
    EXPECT_EQ(c->Adicionar(), 1);
    EXPECT_NE(c->get_NumeroDoErro(), 0);
    EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, Adicionar, Ponto: 7");
    EXPECT_EQ(contar("Clientes"), 0);
    EXPECT_EQ(contar("Animais"), 0);
}

// Failures before the transaction begins keep their own error; the ones after it undo the client.
TEST_F(Operacoes, FailuresAroundTheTransaction) {
    gravarOsTextos();
    auto c = pessoaValida();
    gravacao().falharNoInicio(" SELECT NOW", RuntimeError(3021, "sem relógio"));
    EXPECT_EQ(c->Adicionar(), 1);
    EXPECT_EQ(c->get_NumeroDoErro(), 3021);
    EXPECT_EQ(c->get_DescricaoDoErro(), "sem relógio");
    EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, Adicionar, Ponto: 5");

    gravacao().falharNoInicio("SELECT @@Identity", RuntimeError(3022, "sem identidade"));
    EXPECT_EQ(c->Adicionar(), 1);
    EXPECT_EQ(c->get_NumeroDoErro(), 3022);
    EXPECT_EQ(c->get_LocalDoErro(), "ZELT_N_ClientAnim, clsClientes, Adicionar, Ponto: 6");
    EXPECT_EQ(contar("Clientes"), 0);

    gravacao().antesDeExecutar = nullptr;
    EXPECT_EQ(c->Adicionar(), 0);  // the same object, once the database answers
    EXPECT_EQ(contar("Clientes"), 1);
}

TEST_F(Operacoes, OpeningErrorsAndRefusalsOfTheDataAccessComponent) {
    gravarOsTextos();
    const std::vector<std::pair<const char*, std::function<int16_t(clsClientes&)>>> operacoes{
        {"Adicionar", [](clsClientes& c) { return c.Adicionar(); }},
        {"Alterar", [](clsClientes& c) { return c.Alterar(); }},
        {"AlterarCodigoIBGEDoMunicipio", [](clsClientes& c) { return c.AlterarCodigoIBGEDoMunicipio().toInt16(); }},
        {"Excluir", [](clsClientes& c) { return c.Excluir(); }}};
    for (const auto& [nome, operar] : operacoes) {
        SCOPED_TRACE(nome);
        auto c = pessoaValida();
        c->put_Codigo(1);
        gravacao().resultadoDaAbertura = 3;
        EXPECT_EQ(operar(*c), 3);
        EXPECT_EQ(c->get_DescricaoDaFalha(), DadosDeAcessoGravados::DescricaoDaFalha);
        EXPECT_EQ(c->get_NumeroDoErro(), 0);
        gravacao().resultadoDaAbertura = 1;
        EXPECT_EQ(operar(*c), 1);
        EXPECT_EQ(c->get_NumeroDoErro(), -2147467259);
        EXPECT_EQ(c->get_DescricaoDoErro(), "O banco de dados não abriu.");
        EXPECT_EQ(c->get_LocalDoErro(), DadosDeAcessoGravados::LocalDaAbertura);  // the component's own, unchanged
    }
    EXPECT_TRUE(gravacao().textos.empty());
}

TEST_F(Operacoes, ExactAlterationTexts) {
    auto c = pessoaValida();
    ASSERT_EQ(c->Adicionar(), 0);
    const std::string codigo = Variant(c->get_CodigoGerado()).toText();
    gravarOsTextos();
    c->put_Codigo(c->get_CodigoGerado());
    c->put_RGIE("MG-12");
    c->put_VIP(true);
    c->put_CategoriaDaCurvaABC("B");
    c->put_EndCobUF("RJ");
    c->put_CanalDeComunicacao4("9999-0000");
    c->put_Profissao("Médica");
    c->put_Observacao("Obs");
    c->put_LimiteDeCredito(Currency::fromRaw(5000));
    c->put_MotivoDaSituacao("Motivo");
    c->put_DescontoUnico(true);
    c->put_PercentualDeDescontoEmOutros(Currency::fromInt(7));
    c->put_Situacao(3);
    ASSERT_EQ(c->Alterar(), 0) << c->get_DescricaoDoErro();
    const std::string rodape = "DataEHoraDaAlteracao='" + c->get_DataHoraDaAtualizacao() +
                               "', UsuarioDaAlteracao='maria' WHERE Codigo=" + codigo + ";";
    EXPECT_EQ(recebido("UPDATE"),
              "UPDATE Clientes SET ApelidoOuNomeFantasia='Zeca',ApelidoOuNomeFantasiaSoundex='" +
                  coluna(c->get_CodigoGerado(), "ApelidoOuNomeFantasiaSoundex") +
                  "',NomeOuRazaoSocial='José Carlos da Silva',NomeOuRazaoSocialSoundex='" +
                  coluna(c->get_CodigoGerado(), "NomeOuRazaoSocialSoundex") +
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
                  "PercentualDeDescontoEmOutros=7, Situacao=3, " +
                  rodape);
    EXPECT_EQ(coluna(c->get_CodigoGerado(), "CategoriaDaCurvaABC"), "B");

    gravacao().textos.clear();
    c->put_CodigoIBGEDoMunicipio("3304557");
    ASSERT_EQ(c->AlterarCodigoIBGEDoMunicipio().toInt16(), 0) << c->get_DescricaoDaFalha();
    ASSERT_EQ(gravacao().textos.size(), 3u);  // the lookup, the clock, the statement
    EXPECT_EQ(gravacao().textos[2], "UPDATE Clientes SET CodigoIBGEDoMunicipio='3304557'," +
                                        std::string("DataEHoraDaAlteracao='") + c->get_DataHoraDaAtualizacao() +
                                        "', UsuarioDaAlteracao='maria' WHERE Codigo=" + codigo + ";");
}

}  // namespace
}  // namespace zelt::clientanim::teste
