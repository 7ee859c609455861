#pragma once
// A fresh database and registry for each test, with every library registered, and the few rows
// the animal tests need (clients, a species and a breed) written through the Jet engine.
#include <gtest/gtest.h>

#include "test_database.hpp"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "clientanim/frame/objetos_do_chamador.hpp"
#include "zelt/ado/connection.hpp"
#include "zelt/automation/registry.hpp"
#include "zelt/clientanim/clientanim.hpp"
#include "zelt/clientanim/clsAnimais.hpp"
#include "zelt/components/dataaccess.hpp"
#include "zelt/components/management.hpp"
#include "zelt/components/texttreatment.hpp"
#include "zelt/jet/engine.hpp"

namespace teste {

using namespace zelt;
using namespace zelt::clientanim;

class Ambiente : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        pasta_ = std::filesystem::temp_directory_path() /
                 ("zelt-animais-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(pasta_);
        std::filesystem::create_directories(pasta_);
        bancoDeTeste_ = std::make_unique<zelt::testing_support::TestDatabase>(pasta_);
        ::setenv("ZELT_DATABASE", bancoDeTeste_->name().c_str(), 1);
        ::setenv("ZELT_REGISTRY", (pasta_ / "registry.json").c_str(), 1);
        zelt::dataaccess::DllRegisterServer();
        zelt::texttreatment::DllRegisterServer();
        zelt::management::DllRegisterServer();
        ::DllRegisterServer();
        banco_ = make<ado::Connection>(jet::openDatabase(caminhoDoBanco()));
        auto raca = banco_->Execute("SELECT TOP 1 Codigo, CodigoDaEspecieDeAnimal FROM RacasDeAnimais ORDER BY Codigo");
        raca_ = (*raca)(0).toDouble();
        especie_ = (*raca)(1).toDouble();
    }

    void TearDown() override {
        banco_.reset();
        std::error_code ignorado;
        std::filesystem::remove_all(pasta_, ignorado);
    }

    std::string caminhoDoBanco() const { return bancoDeTeste_->name(); }

    Ref<ado::Recordset> sql(const std::string& texto) { return banco_->Execute(texto); }
    double numero(const std::string& selecao) { return (*sql(selecao))(0).toDouble(); }

    double inserirCliente(const std::string& nome) {
        sql("INSERT INTO Clientes (TipoDeCliente, ApelidoOuNomeFantasia, NomeOuRazaoSocial, Sexo, Situacao, VIP) "
            "VALUES ('PF', '" + nome + "', '" + nome + " da Silva', 'F', 1, False)");
        return numero("SELECT @@Identity");
    }

    Ref<DadosDoUsuarioEmMemoria> usuario(const std::string& nome = "maria") {
        auto u = make<DadosDoUsuarioEmMemoria>();
        u->definir("NomeDeUsuario", Variant(nome));
        u->definir("Administrador", Variant(false));
        return u;
    }

    // A clsAnimais created by its ProgID, with a user object and a valid record of the given owner.
    Ref<clsAnimais> animal(double dono, const std::string& nome) {
        auto a = refCast<clsAnimais>(CreateObject("ZELT_N_ClientAnim.clsAnimais"));
        EXPECT_TRUE(a);
        a->putref_DadosDoUsuario(usuario());
        a->put_CodigoDoCliente(dono);
        a->put_Nome(nome);
        a->put_Sexo("M");
        a->put_CodigoDaEspecie(especie_);
        a->put_CodigoDaRaca(raca_);
        a->put_Situacao(1);
        return a;
    }

    // Inserts through the class; returns the code the database gave.
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

    std::filesystem::path pasta_;
    std::unique_ptr<zelt::testing_support::TestDatabase> bancoDeTeste_;
    Ref<ado::Connection> banco_;
    double especie_ = 0, raca_ = 0;
};

// The values of one column of a recordset, from its first row, in its order.
inline std::vector<std::string> coluna(const Ref<ado::Recordset>& rs, const std::string& nome) {
    std::vector<std::string> valores;
    if (!rs || rs->get_RecordCount() <= 0) return valores;
    rs->MoveFirst();
    for (; !rs->get_EOF(); rs->MoveNext()) valores.push_back(rs->get_Fields().Item(std::string_view(nome))->get_Value().toText());
    rs->MoveFirst();
    return valores;
}

}  // namespace teste
