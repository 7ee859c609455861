#pragma once
// The fixture of the component's tests: a folder of its own, a fresh database in it (or on the
// test server), a class registry with every library registered, a user object, and a connection
// of the test's own for setting rows up and reading them back.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "clientanim/frame/objetos_do_chamador.hpp"
#include "support/gravacao.hpp"
#include "test_database.hpp"
#include "zelt/clientanim/clientanim.hpp"
#include "zelt/components/dataaccess.hpp"
#include "zelt/components/management.hpp"
#include "zelt/components/texttreatment.hpp"

namespace zelt::testing_support {

class Ambiente : public ::testing::Test {
protected:
    void SetUp() override {
        static int contador = 0;
        pasta_ = std::filesystem::temp_directory_path() /
                 ("zelt-teste-" + std::to_string(::getpid()) + "-" + std::to_string(++contador));
        std::filesystem::remove_all(pasta_);
        std::filesystem::create_directories(pasta_);
        bancoDeTeste_ = std::make_unique<TestDatabase>(pasta_);
        ::setenv("ZELT_DATABASE", bancoDeTeste_->name().c_str(), 1);
        ::setenv("ZELT_REGISTRY", (pasta_ / "registry.json").c_str(), 1);
        dataaccess::DllRegisterServer();
        texttreatment::DllRegisterServer();
        management::DllRegisterServer();
        ::DllRegisterServer();
        gravacao() = Gravacao{};
        usuario_ = usuario("maria", true);
    }

    void TearDown() override {
        conexao_.reset();
        std::error_code ignorado;
        std::filesystem::remove_all(pasta_, ignorado);
    }

    static Ref<clientanim::DadosDoUsuarioEmMemoria> usuario(const std::string& nome, bool administrador) {
        auto u = make<clientanim::DadosDoUsuarioEmMemoria>();
        u->definir("NomeDeUsuario", Variant(nome));
        u->definir("Administrador", Variant(administrador));
        u->definir("CodigoDoDocumentoComEmissaoPermitida", Variant("55"));
        return u;
    }

    const std::string& caminhoDoBanco() const { return bancoDeTeste_->name(); }
    ado::Connection& conexaoDireta() {
        if (!conexao_) conexao_ = make<ado::Connection>(jet::openDatabase(caminhoDoBanco()));
        return *conexao_;
    }
    Ref<Object> refConexao() {
        conexaoDireta();
        return conexao_;
    }
    Ref<ado::Recordset> sql(const std::string& texto) { return conexaoDireta().Execute(texto); }
    // The first field of the first row.
    Variant valor(const std::string& texto) { return (*sql(texto))(0); }
    int contar(const std::string& tabela) { return valor("SELECT COUNT(*) FROM " + tabela).toInt32(); }

    std::filesystem::path pasta_;
    std::unique_ptr<TestDatabase> bancoDeTeste_;
    Ref<clientanim::DadosDoUsuarioEmMemoria> usuario_;

private:
    Ref<ado::Connection> conexao_;
};

// The values of one column of a recordset, row by row in its order; the cursor is kept.
inline std::vector<std::string> coluna(const Ref<ado::Recordset>& rs, const std::string& nome) {
    std::vector<std::string> valores;
    if (!rs) return valores;
    const int campo = rs->fieldIndex(nome);
    for (int i = 0; i < rs->get_RecordCount(); ++i) valores.push_back(rs->valueAt(i, campo).toText());
    return valores;
}

// The values of one column of the last selection of a component object.
template <class Componente>
    requires requires(Componente& c) { c.get_ResultadoDaSelecaoEmRecordset(); }
std::vector<std::string> coluna(Componente& objeto, const std::string& nome) {
    return coluna(objeto.get_ResultadoDaSelecaoEmRecordset(), nome);
}

}  // namespace zelt::testing_support
