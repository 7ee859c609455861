// ZELT_I_ADO.clsObjetosDeDados as the component reaches it: by ProgID and by name.
#include <sqlite3.h>

#include <fstream>

#include "engine_fixture.hpp"
#include "zelt/automation/dispatch.hpp"
#include "zelt/automation/registry.hpp"
#include "zelt/components/dataaccess.hpp"

namespace zelt {
namespace {

class DataAccessTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(dataaccess::DllRegisterServer(), 0);
        use((dir.path() / "zelt.db").string());
    }
    void use(const std::string& path) { setenv("ZELT_DATABASE", path.c_str(), 1); }
    Ref<Object> create() { return CreateObject("ZELT_I_ADO.clsObjetosDeDados"); }
    static Ref<ado::Connection> connectionOf(Object& dados) {
        return refCast<ado::Connection>(getProperty(dados, "ReferenciaDeConexao").toObject());
    }
    static int32_t count(ado::Connection& c, const std::string& table) {
        return c.Execute("SELECT Count(*) FROM " + table)->valueAt(0, 0).toInt32();
    }

    testing_support::TempDirectory dir;
};

TEST_F(DataAccessTest, OpensHandsOutObjectsAndCloses) {
    auto dados = create();
    ASSERT_EQ(callByName(*dados, "AbrirConexao").toInt16(), 0);
    auto conexao = connectionOf(*dados);
    ASSERT_TRUE(conexao);
    EXPECT_EQ(conexao->get_State(), ado::adStateOpen);
    EXPECT_EQ(count(*conexao, "Empresa"), 1);

    auto rs1 = refCast<ado::Recordset>(getProperty(*dados, "ReferenciaDeRecordset").toObject());
    auto rs2 = refCast<ado::Recordset>(getProperty(*dados, "ReferenciaDeRecordset").toObject());
    ASSERT_TRUE(rs1 && rs2);
    EXPECT_NE(rs1.get(), rs2.get());
    EXPECT_EQ(rs1->get_State(), ado::adStateClosed);

    rs1->put_Source("SELECT Nome FROM EspeciesDeAnimais ORDER BY Nome");
    rs1->putref_ActiveConnection(conexao);
    rs1->Open();
    rs1->putref_ActiveConnection(nullptr);
    EXPECT_EQ(callByName(*dados, "FecharConexao").toInt16(), 0);
    EXPECT_GE(rs1->get_RecordCount(), 8);
}

TEST_F(DataAccessTest, ReleasingTheObjectRollsBackItsTransaction) {
    {
        auto dados = create();
        ASSERT_EQ(callByName(*dados, "AbrirConexao").toInt16(), 0);
        auto conexao = connectionOf(*dados);
        conexao->BeginTrans();
        conexao->Execute("INSERT INTO OSParaBD (Numero) VALUES (304)");
        dados.reset();  // the component's operation ends on its error path with the connection held
        EXPECT_NE(conexao->get_State(), ado::adStateOpen);
    }
    auto dados = create();
    ASSERT_EQ(callByName(*dados, "AbrirConexao").toInt16(), 0);
    EXPECT_EQ(count(*connectionOf(*dados), "OSParaBD"), 0);
}

TEST_F(DataAccessTest, AFileThatIsNotADatabaseIsAFailureForThePerson) {
    const auto path = dir.path() / "texto.db";
    std::ofstream(path) << std::string(4096, 'x');
    use(path.string());
    auto dados = create();
    EXPECT_EQ(callByName(*dados, "AbrirConexao").toInt16(), 3);
    const std::string falha = getProperty(*dados, "DescricaoDaFalha").toText();
    EXPECT_NE(falha.find("Não foi possível abrir o banco de dados"), std::string::npos) << falha;
    EXPECT_NE(falha.find("não é um banco de dados"), std::string::npos) << falha;
    EXPECT_FALSE(connectionOf(*dados));
}

TEST_F(DataAccessTest, ADirectoryThatCannotBeCreatedIsAFailureForThePerson) {
    const auto blocker = dir.path() / "arquivo";
    std::ofstream(blocker) << "x";
    use((blocker / "sub" / "zelt.db").string());
    auto dados = create();
    EXPECT_EQ(callByName(*dados, "AbrirConexao").toInt16(), 3);
    EXPECT_NE(getProperty(*dados, "DescricaoDaFalha").toText().find("pasta"), std::string::npos);
}

TEST_F(DataAccessTest, AnErrorWhileOpeningFillsTheErrorFields) {
    // Another process holds the write lock while a new file's schema is to be created.
    const auto path = (dir.path() / "ocupado.db").string();
    {
        sqlite3* db = nullptr;
        sqlite3_open(path.c_str(), &db);
        sqlite3_exec(db, "PRAGMA journal_mode=WAL; CREATE TABLE x(a)", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    sqlite3* holder = nullptr;
    sqlite3_open(path.c_str(), &holder);
    sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    use(path);
    auto dados = create();
    EXPECT_EQ(callByName(*dados, "AbrirConexao").toInt16(), 1);
    EXPECT_EQ(getProperty(*dados, "NumeroDoErro").toInt32(), -2147467259);
    EXPECT_NE(getProperty(*dados, "DescricaoDoErro").toText().find("ocupado"), std::string::npos);
    EXPECT_EQ(getProperty(*dados, "LocalDoErro").toText(), "ZELT_I_ADO, clsObjetosDeDados, AbrirConexao");
    sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    EXPECT_EQ(callByName(*dados, "AbrirConexao").toInt16(), 0);
}

TEST_F(DataAccessTest, IdentityIsThisConnectionsOwn) {
    auto a = create();
    auto b = create();
    ASSERT_EQ(callByName(*a, "AbrirConexao").toInt16(), 0);
    ASSERT_EQ(callByName(*b, "AbrirConexao").toInt16(), 0);
    auto ca = connectionOf(*a), cb = connectionOf(*b);
    ca->Execute("INSERT INTO Clientes (TipoDeCliente, NomeOuRazaoSocial) VALUES ('PF', 'A')");
    cb->Execute("INSERT INTO Clientes (TipoDeCliente, NomeOuRazaoSocial) VALUES ('PF', 'B')");
    EXPECT_EQ(ca->Execute("SELECT @@Identity")->valueAt(0, 0).toInt32(), 1);
    EXPECT_EQ(cb->Execute("SELECT @@Identity")->valueAt(0, 0).toInt32(), 2);
}

}  // namespace
}  // namespace zelt
