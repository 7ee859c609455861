#pragma once
// A fresh database and registry for each test, every library registered, and the helpers the
// client tests share: a user object, a valid person, direct reading of the database, and a
// data-access stand-in that records every text sent to the real engine.
#include <gtest/gtest.h>

#include "test_database.hpp"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "clientanim/frame/objetos_do_chamador.hpp"
#include "zelt/ado/connection.hpp"
#include "zelt/automation/registry.hpp"
#include "zelt/clientanim/clientanim.hpp"
#include "zelt/clientanim/clsClientes.hpp"
#include "zelt/components/dataaccess.hpp"
#include "zelt/components/management.hpp"
#include "zelt/components/texttreatment.hpp"
#include "zelt/jet/engine.hpp"

namespace zelt::clientanim::teste {

// Every text the engine receives, in order.
inline std::vector<std::string>& textosRecebidos() {
    static std::vector<std::string> t;
    return t;
}

// An error the recording engine raises instead of running a text that begins with `inicio`
// (failures the database gives only in situations a test cannot set up cheaply).
struct Falha {
    std::string inicio;
    RuntimeError erro;
};
inline std::optional<Falha>& falhaNoTexto() {
    static std::optional<Falha> f;
    return f;
}

// What the recording data-access object's AbrirConexao answers: 0 opens, 1 is an error, 3 a refusal.
inline int16_t& resultadoDaAbertura() {
    static int16_t r = 0;
    return r;
}

class MotorGravador : public ado::Engine {
public:
    explicit MotorGravador(std::unique_ptr<ado::Engine> real) : real_(std::move(real)) {}
    Ref<ado::Recordset> execute(std::string_view text, int64_t& rows) override {
        textosRecebidos().emplace_back(text);
        if (falhaNoTexto() && text.starts_with(falhaNoTexto()->inicio)) throw falhaNoTexto()->erro;
        return real_->execute(text, rows);
    }
    void begin() override { real_->begin(); }
    void commit() override { real_->commit(); }
    void rollback() override { real_->rollback(); }
    void close() override { real_->close(); }

private:
    std::unique_ptr<ado::Engine> real_;
};

// Serves ZELT_I_ADO.clsObjetosDeDados with a connection on the recording engine.
class DadosDeAcessoGravador : public Dispatchable {
public:
    static constexpr const char* LocalDaAbertura = "ZELT_I_ADO, clsObjetosDeDados, AbrirConexao, Ponto: 2";
    int16_t AbrirConexao() {
        if (resultadoDaAbertura() == 0)
            conexao_ = make<ado::Connection>(std::make_unique<MotorGravador>(jet::openDatabase(std::getenv("ZELT_DATABASE"))));
        return resultadoDaAbertura();
    }
    const DispatchTable& table() const override {
        auto ler = [](std::string nome, std::function<Variant(DadosDeAcessoGravador&)> f) {
            return Member{std::move(nome), InvokeKind::PropertyGet, {}, VarType::Variant,
                          [f](Object& o, std::span<Variant>) { return f(static_cast<DadosDeAcessoGravador&>(o)); }};
        };
        static const DispatchTable t(
            "_clsObjetosDeDados",
            {ler("AbrirConexao", [](DadosDeAcessoGravador& d) { return Variant(d.AbrirConexao()); }),
             ler("ReferenciaDeConexao", [](DadosDeAcessoGravador& d) { return Variant(d.conexao_); }),
             ler("ReferenciaDeRecordset", [](DadosDeAcessoGravador&) { return Variant(make<ado::Recordset>()); }),
             ler("FecharConexao", [](DadosDeAcessoGravador& d) { d.conexao_.reset(); return Variant(int16_t(0)); }),
             ler("NumeroDoErro", [](DadosDeAcessoGravador&) { return Variant(int32_t(-2147467259)); }),
             ler("DescricaoDoErro", [](DadosDeAcessoGravador&) { return Variant("O banco de dados não abriu."); }),
             ler("LocalDoErro", [](DadosDeAcessoGravador&) { return Variant(LocalDaAbertura); }),
             ler("DescricaoDaFalha", [](DadosDeAcessoGravador&) { return Variant("O servidor não responde."); })});
        return t;
    }

private:
    Ref<ado::Connection> conexao_;
};

class Ambiente : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("zelt-clients-" + std::to_string(::getpid()) + "-" + std::to_string(contador()++));
        std::filesystem::create_directories(dir_);
        bancoDeTeste_ = std::make_unique<zelt::testing_support::TestDatabase>(dir_);
        banco_ = bancoDeTeste_->name();
        setenv("ZELT_DATABASE", banco_.c_str(), 1);
        setenv("ZELT_REGISTRY", (dir_ / "registry.json").string().c_str(), 1);
        zelt::dataaccess::DllRegisterServer();
        zelt::texttreatment::DllRegisterServer();
        zelt::management::DllRegisterServer();
        ::DllRegisterServer();
        textosRecebidos().clear();
        falhaNoTexto().reset();
        resultadoDaAbertura() = 0;
        usuario_ = make<DadosDoUsuarioEmMemoria>();
        usuario_->definir("NomeDeUsuario", Variant("maria"));
        usuario_->definir("Administrador", Variant(true));
        usuario_->definir("CodigoDoDocumentoComEmissaoPermitida", Variant("55"));
    }
    void TearDown() override {
        conexaoDireta_.reset();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    // The following connections go through the recording engine.
    void gravarTextos() {
        ClassInfo info{"ZELT_I_ADO.clsObjetosDeDados", "{6D1B2E0A-7C3F-4E55-9A10-0C1D2E3F4A5B}", "ZELT_TEST_Gravador",
                       "Apartment", [] { return Ref<Object>(make<DadosDeAcessoGravador>()); }};
        registry::offerClass(info);
        registry::registerProgId(info);
    }

    Ref<clsClientes> novoCliente() {
        auto c = make<clsClientes>();
        c->putref_DadosDoUsuario(usuario_);
        return c;
    }

    // A person that passes every rule.
    Ref<clsClientes> pessoaValida(const std::string& cpf = "10203040570") {
        auto c = novoCliente();
        c->put_TipoDeCliente("PF");
        c->put_ApelidoOuNomeFantasia("Zeca");
        c->put_NomeOuRazaoSocial("José Carlos da Silva");
        c->put_Sexo("M");
        c->put_DataDeNascimento("3112");
        c->put_AnoDeNascimento("1980");
        c->put_CPFCNPJ(cpf);
        c->put_CEP("01310100");
        c->put_Cidade("São Paulo");
        c->put_CodigoIBGEDoMunicipio("3550308");
        c->put_UF("SP");
        c->put_Situacao(1);
        return c;
    }

    // A connection of the test's own on the recording engine.
    Ref<Object> conexaoGravada() {
        return make<ado::Connection>(std::make_unique<MotorGravador>(jet::openDatabase(banco_)));
    }

    ado::Connection& conexaoDireta() {
        if (!conexaoDireta_) conexaoDireta_ = make<ado::Connection>(jet::openDatabase(banco_));
        return *conexaoDireta_;
    }
    Ref<Object> refConexao() {
        conexaoDireta();
        return conexaoDireta_;
    }
    Variant valor(const std::string& texto) {
        auto rs = conexaoDireta().Execute(texto);
        return (*rs)(0);
    }
    int contar(const std::string& tabela) { return static_cast<int>(valor("SELECT COUNT(*) FROM " + tabela).toDouble()); }

    Ref<DadosDoUsuarioEmMemoria> usuario_;
    std::unique_ptr<zelt::testing_support::TestDatabase> bancoDeTeste_;
    std::string banco_;

private:
    static int& contador() {
        static int n = 0;
        return n;
    }
    std::filesystem::path dir_;
    Ref<ado::Connection> conexaoDireta_;
};

}  // namespace zelt::clientanim::teste
