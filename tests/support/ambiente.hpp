#pragma once
// The fixture of the component's tests: a folder of its own, a fresh database in it (or on the
// test server), a class registry with every library registered, a user object, and a connection
// of the test's own for setting rows up and reading them back.
#include <gtest/gtest.h>

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
        ::setenv("ZELT_DATABASE", bancoDeTeste_.name().c_str(), 1);
        ::setenv("ZELT_REGISTRY", (pasta_.path() / "registry.json").c_str(), 1);
        for (auto registrar : {dataaccess::DllRegisterServer, texttreatment::DllRegisterServer, management::DllRegisterServer, ::DllRegisterServer})
            registrar();
        gravacao() = Gravacao{};
        usuario_ = usuario("maria", true);
    }

    static Ref<clientanim::DadosDoUsuarioEmMemoria> usuario(const std::string& nome, bool administrador) {
        auto u = make<clientanim::DadosDoUsuarioEmMemoria>();
        u->definir("NomeDeUsuario", Variant(nome));
        u->definir("Administrador", Variant(administrador));
        u->definir("CodigoDoDocumentoComEmissaoPermitida", Variant("55"));
        return u;
    }

    const std::string& caminhoDoBanco() const { return bancoDeTeste_.name(); }
    ado::Connection& conexaoDireta() {
        if (!conexao_) conexao_ = make<ado::Connection>(jet::openDatabase(caminhoDoBanco()));
        return *conexao_;
    }
    Ref<Object> refConexao() { return (conexaoDireta(), conexao_); }
    Ref<ado::Recordset> sql(const std::string& texto) { return conexaoDireta().Execute(texto); }
    // The first field of the first row.
    Variant valor(const std::string& texto) { return (*sql(texto))(0); }
    int contar(const std::string& tabela) { return valor("SELECT COUNT(*) FROM " + tabela).toInt32(); }

    TempDirectory pasta_;  // removed last, with what it holds; the test's connection closes first
    TestDatabase bancoDeTeste_{pasta_.path()};
    Ref<clientanim::DadosDoUsuarioEmMemoria> usuario_;

private:
    Ref<ado::Connection> conexao_;
};

// The values of one column of a recordset, row by row in its order; the cursor is kept.
inline std::vector<std::string> coluna(const Ref<ado::Recordset>& rs, const std::string& nome) {
    std::vector<std::string> valores;
    for (int i = 0; rs && i < rs->get_RecordCount(); ++i) valores.push_back(rs->valueAt(i, rs->fieldIndex(nome)).toText());
    return valores;
}

// The values of one column of the last selection of a component object.
template <class Componente>
    requires requires(Componente& c) { c.get_ResultadoDaSelecaoEmRecordset(); }
std::vector<std::string> coluna(Componente& objeto, const std::string& nome) {
    return coluna(objeto.get_ResultadoDaSelecaoEmRecordset(), nome);
}

}  // namespace zelt::testing_support
