// ZELT_I_ADO.clsObjetosDeDados as the component reaches it: by ProgID and by name.
#include <sqlite3.h>
#include <sys/stat.h>

#include <fstream>
#include <functional>
#include <map>

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

// Each object opens a connection of its own: its recordsets, its @@Identity, and its transaction,
// rolled back when the object is released with it open (the component's error path).
TEST_F(DataAccessTest, EachObjectHasAConnectionOfItsOwn) {
    auto a = create(), b = create();
    ASSERT_EQ(callByName(*a, "AbrirConexao").toInt16(), 0);
    ASSERT_EQ(callByName(*b, "AbrirConexao").toInt16(), 0);
    auto ca = connectionOf(*a), cb = connectionOf(*b);
    ASSERT_TRUE(ca && cb);
    EXPECT_EQ(ca->get_State(), ado::adStateOpen);
    EXPECT_EQ(count(*ca, "Empresa"), 1);
    ca->Execute("INSERT INTO Clientes (TipoDeCliente, NomeOuRazaoSocial) VALUES ('PF', 'A')");
    cb->Execute("INSERT INTO Clientes (TipoDeCliente, NomeOuRazaoSocial) VALUES ('PF', 'B')");
    EXPECT_EQ(std::pair(ca->Execute("SELECT @@Identity")->valueAt(0, 0).toInt32(), cb->Execute("SELECT @@Identity")->valueAt(0, 0).toInt32()),
              std::pair(1, 2));

    auto rs1 = refCast<ado::Recordset>(getProperty(*a, "ReferenciaDeRecordset").toObject());
    auto rs2 = refCast<ado::Recordset>(getProperty(*a, "ReferenciaDeRecordset").toObject());
    ASSERT_TRUE(rs1 && rs2);
    EXPECT_NE(rs1.get(), rs2.get());
    EXPECT_EQ(rs1->get_State(), ado::adStateClosed);
    rs1->put_Source("SELECT Nome FROM EspeciesDeAnimais ORDER BY Nome");
    rs1->putref_ActiveConnection(ca);
    rs1->Open();
    rs1->putref_ActiveConnection(nullptr);
    EXPECT_EQ(callByName(*a, "FecharConexao").toInt16(), 0);
    EXPECT_GE(rs1->get_RecordCount(), 8);

    cb->BeginTrans();
    cb->Execute("INSERT INTO OSParaBD (Numero) VALUES (304)");
    b.reset();
    EXPECT_NE(cb->get_State(), ado::adStateOpen);
    ASSERT_EQ(callByName(*a, "AbrirConexao").toInt16(), 0);
    EXPECT_EQ(count(*connectionOf(*a), "OSParaBD"), 0);
}

// Every file under dir with its bytes: what an opening left behind.
std::map<std::string, std::string> contents(const std::filesystem::path& dir) {
    std::map<std::string, std::string> out;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        out[entry.path().string()] = std::string(std::istreambuf_iterator<char>(in), {});
    }
    return out;
}

void sqliteFile(const std::filesystem::path& path, const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

// A database that cannot be the register's is refused with result 3 and a text for the person,
// and the opening leaves every file as it was and creates none.
TEST_F(DataAccessTest, ADatabaseThatCannotBeTheRegistersIsRefusedUntouched) {
    struct Case {
        const char* name;
        std::function<std::string(const std::filesystem::path&)> arrange;  // the ZELT_DATABASE it sets
        const char* reason;
    };
    const std::vector<Case> cases{
        {"text", [](const auto& d) { std::ofstream(d / "t.db") << std::string(4096, 'x'); return (d / "t.db").string(); },
         "o arquivo não é um banco de dados."},
        {"another program's tables",
         [](const auto& d) { sqliteFile(d / "o.db", "CREATE TABLE Pacientes (Nome TEXT)"); return (d / "o.db").string(); },
         "o arquivo não é um banco de dados do cadastro de clientes e animais."},
        {"another program's mark",
         [](const auto& d) { sqliteFile(d / "m.db", "PRAGMA application_id=1"); return (d / "m.db").string(); },
         "o arquivo não é um banco de dados do cadastro de clientes e animais."},
        {"memory", [](const auto&) { return std::string(":memory:"); }, "informe o caminho de um arquivo"},
        {"memory uri", [](const auto&) { return std::string("file::memory:"); }, "informe o caminho de um arquivo"},
        {"memory mode", [](const auto&) { return std::string("file:zelt.db?mode=memory"); }, "informe o caminho de um arquivo"},
        {"folder blocked by a file",
         [](const auto& d) { std::ofstream(d / "arquivo") << "x"; return (d / "arquivo" / "sub" / "zelt.db").string(); },
         "não foi possível criar a pasta"},
        {"no home", [](const auto&) { unsetenv("HOME"); unsetenv("XDG_DATA_HOME"); return std::string(); },
         "defina ZELT_DATABASE com o caminho do arquivo, ou HOME."},
    };
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing_support::TempDirectory d;
        auto dados = create();
        const std::string path = c.arrange(d.path());
        if (path.empty()) unsetenv("ZELT_DATABASE");
        else use(path);
        const auto before = contents(d.path());
        EXPECT_EQ(callByName(*dados, "AbrirConexao").toInt16(), 3);
        const std::string falha = getProperty(*dados, "DescricaoDaFalha").toText();
        EXPECT_NE(falha.find(c.reason), std::string::npos) << falha;
        EXPECT_FALSE(connectionOf(*dados));
        EXPECT_EQ(contents(d.path()), before);
        setenv("HOME", home.c_str(), 1);
    }
}

// The register holds personal data: the folders made for it and the file with its journal are
// for the owner only; a folder that was there keeps its permissions.
TEST_F(DataAccessTest, WhatIsCreatedForTheDatabaseIsTheOwnersOnly) {
    const mode_t umaskBefore = umask(022);
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
    // Without ZELT_DATABASE the file is the user's, in the data directory.
    const auto folder = dir.path() / "a" / "zelt";
    unsetenv("ZELT_DATABASE");
    setenv("XDG_DATA_HOME", (dir.path() / "a").c_str(), 1);
    auto dados = create();
    ASSERT_EQ(callByName(*dados, "AbrirConexao").toInt16(), 0);
    connectionOf(*dados)->Execute("INSERT INTO OSParaBD (Numero) VALUES (1)");
    umask(umaskBefore);
    unsetenv("XDG_DATA_HOME");
    const std::vector<std::pair<std::filesystem::path, mode_t>> expected{
        {dir.path(), 0755}, {dir.path() / "a", 0700}, {folder, 0700},
        {folder / "zelt.db", 0600}, {folder / "zelt.db-wal", 0600}, {folder / "zelt.db-shm", 0600}};
    for (const auto& [path, mode] : expected) {
        struct stat st {};
        ASSERT_EQ(stat(path.c_str(), &st), 0) << path;
        EXPECT_EQ(st.st_mode & 0777, mode) << path;
    }
}

TEST_F(DataAccessTest, AnErrorWhileOpeningFillsTheErrorFields) {
    // Another process holds the write lock while a new file's schema is to be created.
    const auto path = (dir.path() / "ocupado.db").string();
    sqliteFile(path, "PRAGMA journal_mode=WAL");
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

}  // namespace
}  // namespace zelt
