#pragma once
// The component's fixture with what the animal tests share: a breed and its species read from the
// reference data, and animals written through the class.
#include "support/cadastro.hpp"
#include "zelt/clientanim/clsAnimais.hpp"

namespace teste {

using namespace zelt;
using namespace zelt::clientanim;
using namespace zelt::testing_support;

class Ambiente : public testing_support::Cadastro {
protected:
    void SetUp() override {
        testing_support::Cadastro::SetUp();
        auto raca = sql("SELECT TOP 1 Codigo, CodigoDaEspecieDeAnimal FROM RacasDeAnimais ORDER BY Codigo");
        raca_ = (*raca)(0).toDouble();
        especie_ = (*raca)(1).toDouble();
    }
    double inserirCliente(const std::string& nome) {
        return Cadastro::inserirCliente(nome, {{"NomeOuRazaoSocial", "'" + nome + " da Silva'"}, {"Sexo", "'F'"}, {"VIP", "False"}});
    }

    // A clsAnimais created by its ProgID, with a user object and a valid record of the given owner.
    Ref<clsAnimais> animal(double dono, const std::string& nome) {
        auto a = refCast<clsAnimais>(CreateObject("ZELT_N_ClientAnim.clsAnimais"));
        EXPECT_TRUE(a);
        a->putref_DadosDoUsuario(usuario("maria", false));
        a->put_CodigoDoCliente(dono);
        a->put_Nome(nome);
        a->put_Sexo("M");
        a->put_CodigoDaEspecie(especie_);
        a->put_CodigoDaRaca(raca_);
        a->put_Situacao(1);
        return a;
    }
    // Inserts through the class; the code the database gave.
    double inserirAnimal(double dono, const std::string& nome, bool morto = false, int16_t situacao = 1,
                         const std::string& nascimento = "", const std::string& microchip = "") {
        auto a = animal(dono, nome);
        a->put_AnimalMorto(morto);
        a->put_Situacao(situacao);
        a->put_DataDeNascimento(nascimento);
        a->put_Microchip(microchip);
        EXPECT_EQ(a->Adicionar(), 0) << a->get_DescricaoDoErro() << " " << a->get_LocalDoErro();
        return a->get_CodigoGerado();
    }

    double especie_ = 0, raca_ = 0;
};

}  // namespace teste
