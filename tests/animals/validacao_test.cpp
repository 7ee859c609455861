// The rules ValidarDados tests, in their order, and the reference counts before a deletion.
#include "ambiente.hpp"

namespace teste {
namespace {

class Validacao : public Ambiente {
protected:
    void SetUp() override {
        Ambiente::SetUp();
        dono_ = inserirCliente("Ana");
        a_ = animal(dono_, "Rex");
    }
    int16_t validar(int16_t operacao = 1) { return a_->ValidarDados(operacao, nullptr, nullptr); }
    void esperarRecusa(const std::string& campo, const std::string& mensagem) {
        EXPECT_EQ(validar(1), 2);
        EXPECT_EQ(a_->get_NomeDoCampoValidado(), campo);
        EXPECT_EQ(a_->get_DescricaoDaFalha(), mensagem);
        EXPECT_EQ(validar(2), 2) << "the alteration checks the same rules";
    }
    double dono_ = 0;
    Ref<clsAnimais> a_;
};

TEST_F(Validacao, ValidRecordPassesForInsertionAndAlteration) {
    EXPECT_EQ(validar(1), 0);
    EXPECT_EQ(validar(2), 0);
    EXPECT_EQ(a_->get_NomeDoCampoValidado(), "");
}

TEST_F(Validacao, BlankNameIsRefusedFirst) {
    a_->put_Nome("   ");
    a_->put_CodigoDaEspecie(-1);
    a_->put_Sexo("");
    esperarRecusa("Nome", "Digite o nome do animal.");
}

TEST_F(Validacao, SpeciesIsReportedBeforeBreed) {
    a_->put_CodigoDaEspecie(-1);
    a_->put_CodigoDaRaca(-1);
    esperarRecusa("CodigoDaEspecie", "Informe a espécie do animal.");
    a_->put_CodigoDaEspecie(especie_);
    esperarRecusa("CodigoDaRaca", "Informe a raça do animal.");
    a_->put_CodigoDaEspecie(0);  // a field never chosen is not -1
    a_->put_CodigoDaRaca(0);
    EXPECT_EQ(validar(), 0);
}

TEST_F(Validacao, BirthDateMustBeARealDayNotAfterToday) {
    const Date hoje = Date::today();
    a_->put_DataDeNascimento(Date(hoje.serial() + 1).format("dd/mm/yyyy"));
    esperarRecusa("DataDeNascimento", "Data de nascimento inválida.");
    a_->put_DataDeNascimento("31/02/2024");
    esperarRecusa("DataDeNascimento", "Data de nascimento inválida.");
    a_->put_DataDeNascimento("ontem");
    esperarRecusa("DataDeNascimento", "Data de nascimento inválida.");
    a_->put_DataDeNascimento(hoje.format("dd/mm/yyyy"));
    EXPECT_EQ(validar(), 0);
    a_->put_DataDeNascimento("29/02/2024");
    EXPECT_EQ(validar(), 0);
    a_->put_DataDeNascimento("  ");
    EXPECT_EQ(validar(), 0) << "an empty birth date is written as Null";
}

TEST_F(Validacao, SexAndStatusComeLast) {
    a_->put_Sexo(" ");
    a_->put_Situacao(-1);
    esperarRecusa("Sexo", "Selecione o sexo do animal.");
    a_->put_Sexo("F");
    esperarRecusa("Situacao", "Informe a situação do animal.");
}

TEST_F(Validacao, OtherOperationsCheckNothingAndKeepTheLastRefusal) {
    a_->put_Nome("");
    EXPECT_EQ(validar(1), 2);
    EXPECT_EQ(validar(0), 0);
    EXPECT_EQ(validar(4), 0);
    EXPECT_EQ(a_->get_NomeDoCampoValidado(), "Nome");
    EXPECT_EQ(a_->get_DescricaoDaFalha(), "Digite o nome do animal.");
}

TEST_F(Validacao, DeletionWithoutConnectionFailsAtTheCounts) {
    EXPECT_EQ(validar(3), 1);
    EXPECT_EQ(a_->get_NumeroDoErro(), err::ObjectVariableNotSet);
    EXPECT_EQ(a_->get_LocalDoErro(), "ZELT_N_ClientAnim, clsAnimais, ValidarDados, Ponto: 8");
}

TEST_F(Validacao, DeletionCountsNameTheFirstReferringTable) {
    const double codigo = inserirAnimal(dono_, "Rex");
    a_->put_Codigo(codigo);
    EXPECT_EQ(a_->ValidarDados(3, refConexao(), nullptr), 0);

    sql("INSERT INTO Vacinacoes (CodigoDoAnimal) VALUES (" + Variant(codigo).toText() + ")");
    sql("INSERT INTO Exames (CodigoDoAnimal) VALUES (" + Variant(codigo).toText() + ")");
    EXPECT_EQ(a_->ValidarDados(3, refConexao(), nullptr), 3);
    EXPECT_EQ(a_->get_DescricaoDaFalha(),
              "O animal 'Rex' não pode ser excluído porque esta sendo utilizada na tabela de 'Exames'.\r\n\r\n"
              "Se não deseja mais utilizar, altere a 'Situação' do animal para 'Inativo'.");
}

}  // namespace
}  // namespace teste
