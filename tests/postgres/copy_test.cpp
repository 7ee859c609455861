// zelt copiar: a register goes from a file to a server and back with every value, code and
// counter as it was; a target that holds clients is refused.
#include <filesystem>

#include "test_database.hpp"
#include "zelt/ado/connection.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/jet/catalogue.hpp"
#include "zelt/jet/copy.hpp"
#include "zelt/jet/engine.hpp"

namespace zelt {
namespace {

using testing_support::ServerDatabase;

Ref<ado::Recordset> rowsOf(const std::string& db, const jet::TableDef& t) {
    int64_t n = 0;
    std::string order;
    for (const auto& c : t.columns)
        if (c.kind == jet::ColumnKind::Counter) order = " ORDER BY " + c.name;
    return jet::openDatabase(db)->execute("SELECT * FROM " + t.name + order, n);
}

int32_t nextClient(const std::string& db) {
    auto e = jet::openDatabase(db);
    int64_t n = 0;
    e->execute("INSERT INTO Clientes (NomeOuRazaoSocial) VALUES ('Novo')", n);
    return e->execute("SELECT @@Identity", n)->valueAt(0, 0).toInt32();
}

TEST(PostgresCopy, ARegisterGoesToTheServerAndBackAsItWas) {
    ZELT_REQUIRE_TEST_SERVER();
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("zelt-copia-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string file = (dir / "origem.db").string(), back = (dir / "volta.db").string();
    {
        auto e = jet::openDatabase(file);
        int64_t n = 0;
        for (const char* sql :
             {"INSERT INTO Clientes (TipoDeCliente, NomeOuRazaoSocial, LimiteDeCredito, VIP, DataEHoraDaInclusao, "
              "DataDaUltimaCompra, Observacao) VALUES ('PF', 'Zé D''Ávila', 1234.5678, True, '05/12/2026 19:16:50', "
              "#03/15/1931#, 'linha 1' & Null)",
              "INSERT INTO Clientes (TipoDeCliente, NomeOuRazaoSocial, Credito) VALUES ('PJ', 'Some', -0.0001)",
              "INSERT INTO Clientes (TipoDeCliente, NomeOuRazaoSocial, VIP) VALUES ('PF', 'Ana', False)",
              "DELETE * FROM Clientes WHERE NomeOuRazaoSocial = 'Some'",
              "INSERT INTO Animais (CodigoDoCliente, Nome, Pedigree, DataDeNascimento) VALUES (3, 'Rex', True, '01/02/2020')",
              "INSERT INTO Vacinacoes (CodigoDoAnimal, Descricao) VALUES (1, 'V10')",
              "INSERT INTO OSParaBD (Numero) VALUES (304)"})
            e->execute(sql, n);
    }
    ServerDatabase server;
    const auto there = jet::copyRegister(file, server.uri(), nullptr);
    jet::copyRegister(server.uri(), back, nullptr);

    for (const jet::TableDef& t : jet::catalogue()) {
        const auto a = rowsOf(file, t), b = rowsOf(server.uri(), t), c = rowsOf(back, t);
        ASSERT_EQ(b->get_RecordCount(), a->get_RecordCount()) << t.name;
        ASSERT_EQ(c->get_RecordCount(), a->get_RecordCount()) << t.name;
        for (int r = 0; r < a->get_RecordCount(); ++r)
            for (int f = 0; f < a->fieldCount(); ++f) {
                EXPECT_EQ(b->valueAt(r, f), a->valueAt(r, f)) << t.name << " " << a->fieldDef(f).name;
                EXPECT_EQ(c->valueAt(r, f), a->valueAt(r, f)) << t.name << " " << a->fieldDef(f).name;
            }
    }
    EXPECT_EQ(there.size(), jet::catalogue().size());
    // The counters go on after the highest code, the deleted one's included.
    EXPECT_EQ(nextClient(server.uri()), 4);
    EXPECT_EQ(nextClient(back), 4);
    try {
        jet::copyRegister(file, server.uri(), nullptr);
        FAIL() << "a target with clients was written";
    } catch (const RuntimeError& e) {
        EXPECT_NE(e.description().find("já tem clientes"), std::string::npos);
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace zelt
