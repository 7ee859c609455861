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
#include "support/erro_de.hpp"
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
        return rs && rs->get_RecordCount() > 0 ? rs->valueAt(0, 0) : Variant();
    }
    // An expression evaluated on the company's single row.
    Variant eval(const std::string& expression) { return scalar("SELECT " + expression + " AS V FROM Empresa"); }

    int32_t addClient(const std::string& name) {
        run("INSERT INTO Clientes (TipoDeCliente, NomeOuRazaoSocial, Situacao) VALUES ('PF', '" + name + "', 1)");
        return scalar("SELECT @@Identity").toInt32();
    }

    TempDirectory dir;
    std::unique_ptr<TestDatabase> database;
    std::string databasePath;
    std::unique_ptr<ado::Engine> engine;
};

}  // namespace zelt::testing_support
