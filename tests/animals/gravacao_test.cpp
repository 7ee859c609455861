// Adicionar and Alterar: the exact statements, the codes, the validate-only flag and the failures.
#include "ambiente.hpp"

namespace teste {
namespace {

class Gravacao_ : public Ambiente {
protected:
    void SetUp() override {
        Ambiente::SetUp();
        dono_ = inserirCliente("Ana");
        a_ = animal(dono_, "Rex");
        a_->put_Porte("Médio");
        a_->put_DataDeNascimento("15/03/2020");
        a_->put_Cor("Caramelo");
        a_->put_RGA("123");
        a_->put_Microchip("98765");
        a_->put_Pedigree(true);
        a_->put_AnimalMorto(false);
        a_->put_Observacao("Dócil");
    }
    double dono_ = 0;
    Ref<clsAnimais> a_;
};

TEST_F(Gravacao_, InsertionAndAlterationStatements) {
    gravarOsTextos();
    ASSERT_EQ(a_->Adicionar(), 0) << a_->get_DescricaoDoErro();
    const std::string dono = Variant(dono_).toText(), especie = Variant(especie_).toText(), raca = Variant(raca_).toText();
    EXPECT_EQ(gravacao().ultimoQueComeca("INSERT"),
              "INSERT INTO Animais (CodigoDoCliente,Nome,Sexo,CodigoDaEspecie,CodigoDaRaca,Porte,DataDeNascimento,Cor,"
              "RGA,Microchip,Pedigree,AnimalMorto,Observacao,Situacao,DataEHoraDaInclusao,UsuarioDaInclusao) VALUES(" +
                  dono + ",'Rex','M'," + especie + "," + raca + ",'Médio','15/03/2020','Caramelo','123','98765',True,"
                  "False,'Dócil',1, '" + a_->get_DataHoraDaAtualizacao() + "','maria');");
    EXPECT_EQ(gravacao().contar(" SELECT NOW AS DataHoraDoServidor "), 1u);
    EXPECT_EQ(gravacao().contar("SELECT @@Identity"), 1u);
    const double primeiro = a_->get_CodigoGerado();
    EXPECT_EQ(numero("SELECT COUNT(*) FROM Animais WHERE UsuarioDaInclusao = 'maria' AND Codigo = " +
                     Variant(primeiro).toText()), 1);
    ASSERT_EQ(a_->Adicionar(), 0);
    EXPECT_NE(a_->get_CodigoGerado(), primeiro);
    EXPECT_EQ(numero("SELECT MAX(Codigo) FROM Animais"), a_->get_CodigoGerado());

    a_->put_Codigo(primeiro);
    a_->put_DataDeNascimento("");
    a_->put_Situacao(2);
    ASSERT_EQ(a_->Alterar(), 0) << a_->get_DescricaoDoErro();
    EXPECT_EQ(gravacao().ultimoQueComeca("UPDATE"),
              "UPDATE Animais SET Nome='Rex',Sexo='M',CodigoDoCliente=" + dono + ",CodigoDaEspecie=" + especie +
                  ",CodigoDaRaca=" + raca + ",Porte='Médio',Cor='Caramelo',DataDeNascimento=Null,RGA='123',"
                  "Microchip='98765',Pedigree=True,AnimalMorto=False,Observacao='Dócil',Situacao=2, DataEHoraDaAlteracao='" +
                  a_->get_DataHoraDaAtualizacao() + "', UsuarioDaAlteracao='maria' WHERE Codigo=" +
                  Variant(primeiro).toText() + ";");
    EXPECT_EQ(numero("SELECT COUNT(*) FROM Animais WHERE Situacao = 2 AND DataDeNascimento Is Null"), 1);
}

TEST_F(Gravacao_, TheFlagOnlyValidatesAndARefusalWritesNothing) {
    gravarOsTextos();
    a_->put_AdicionarClienteEAnimalNaMesmaOperacao(true);
    EXPECT_EQ(a_->Adicionar(), 0);
    EXPECT_EQ(a_->Alterar(), 0);
    EXPECT_TRUE(gravacao().textos.empty());
    EXPECT_EQ(a_->get_CodigoGerado(), 0);
    EXPECT_EQ(a_->get_DataHoraDaAtualizacao(), "00:00:00");
    a_->put_Nome("");
    EXPECT_EQ(a_->Adicionar(), 2) << "validation still runs";
    a_->put_AdicionarClienteEAnimalNaMesmaOperacao(false);
    EXPECT_EQ(a_->Adicionar(), 2);
    EXPECT_EQ(a_->Alterar(), 2);
    EXPECT_EQ(a_->get_NomeDoCampoValidado(), "Nome");
    EXPECT_EQ(numero("SELECT COUNT(*) FROM Animais"), 0);
}

TEST_F(Gravacao_, FailuresNameTheirPoint) {
    auto semUsuario = refCast<clsAnimais>(CreateObject("ZELT_N_ClientAnim.clsAnimais"));
    semUsuario->put_Nome("Rex");
    semUsuario->put_Sexo("M");
    semUsuario->put_CodigoDoCliente(dono_);
    EXPECT_EQ(semUsuario->Adicionar(), 1);
    EXPECT_EQ(semUsuario->get_NumeroDoErro(), err::ObjectVariableNotSet);
    EXPECT_EQ(semUsuario->get_LocalDoErro(), "ZELT_N_ClientAnim, clsAnimais, Adicionar, Ponto: 6");
    EXPECT_EQ(semUsuario->Alterar(), 1);
    EXPECT_EQ(semUsuario->get_LocalDoErro(), "ZELT_N_ClientAnim, clsAnimais, Alterar, Ponto: 6");
    EXPECT_EQ(numero("SELECT COUNT(*) FROM Animais"), 0);

    gravarOsTextos();
    gravacao().falharNoInicio("UPDATE", RuntimeError(-2147217900, "Erro de sintaxe na instrução UPDATE."));
    EXPECT_EQ(a_->Alterar(), 1);
    EXPECT_EQ(a_->get_NumeroDoErro(), -2147217900);
    EXPECT_EQ(a_->get_DescricaoDoErro(), "Erro de sintaxe na instrução UPDATE.");
    EXPECT_EQ(a_->get_LocalDoErro(), "ZELT_N_ClientAnim, clsAnimais, Alterar, Ponto: 7");

    // A refused connection comes before validation.
    gravacao().resultadoDaAbertura = 3;
    a_->put_Nome("");
    EXPECT_EQ(a_->Adicionar(), 3);
    EXPECT_EQ(a_->get_DescricaoDaFalha(), "O servidor de banco de dados não responde.");
    gravacao().resultadoDaAbertura = 1;
    EXPECT_EQ(a_->Alterar(), 1);
    EXPECT_EQ(a_->get_LocalDoErro(), "ZELT_I_ADO, clsObjetosDeDados, AbrirConexao, Ponto: 2");
}

}  // namespace
}  // namespace teste
