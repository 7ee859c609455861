#pragma once
// A fresh database per test (a file, or one on the test server), named by ZELT_DATABASE as the
// component finds it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "zelt/ado/connection.hpp"
#include "zelt/ado/recordset.hpp"
#include "zelt/automation/error.hpp"
#include "test_database.hpp"
#include "zelt/jet/engine.hpp"

namespace zelt::testing_support {

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        database = std::make_unique<TestDatabase>(dir.path());
        databasePath = database->name();
        setenv("ZELT_DATABASE", databasePath.c_str(), 1);
        engine = jet::openDatabase(databasePath);
    }

    Ref<ado::Recordset> select(const std::string& text) {
        int64_t affected = 0;
        auto rs = engine->execute(text, affected);
        EXPECT_TRUE(rs) << text;
        return rs;
    }
    int64_t run(const std::string& text) {
        int64_t affected = 0;
        EXPECT_FALSE(engine->execute(text, affected)) << text;
        return affected;
    }
    // The first field of the first row.
    Variant scalar(const std::string& text) {
        auto rs = select(text);
        if (!rs || rs->get_RecordCount() < 1) return Variant();
        return rs->valueAt(0, 0);
    }
    // The error f raises.
    template <class F>
    static RuntimeError errorOf(F&& f) {
        try {
            f();
        } catch (const RuntimeError& e) {
            return e;
        }
        ADD_FAILURE() << "no error";
        return RuntimeError(0, "");
    }
    // An expression evaluated on the company's single row.
    Variant eval(const std::string& expression) { return scalar("SELECT " + expression + " AS V FROM Empresa"); }

    int32_t addClient(const std::string& name, const std::string& sexo = "M") {
        run("INSERT INTO Clientes (TipoDeCliente, NomeOuRazaoSocial, ApelidoOuNomeFantasia, Sexo, Situacao) "
            "VALUES ('PF', '" + name + "', '" + name + "', '" + sexo + "', 1)");
        return scalar("SELECT @@Identity").toInt32();
    }
    int32_t addAnimal(int32_t client, const std::string& name, int situacao = 1) {
        run("INSERT INTO Animais (CodigoDoCliente, Nome, Sexo, CodigoDaEspecie, CodigoDaRaca, Situacao, "
            "DataEHoraDaInclusao, UsuarioDaInclusao) VALUES (" + std::to_string(client) + ", '" + name +
            "', 'M', 1, 1, " + std::to_string(situacao) + ", '05/12/2026 19:16:50', 'teste')");
        return scalar("SELECT @@Identity").toInt32();
    }

    TempDirectory dir;
    std::unique_ptr<TestDatabase> database;
    std::string databasePath;
    std::unique_ptr<ado::Engine> engine;
};

}  // namespace zelt::testing_support
