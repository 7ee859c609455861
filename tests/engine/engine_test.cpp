// LIKE's wildcards, the kinds values keep in their columns, the unique CPF/CNPJ, the writers' lock, and
// the schema and reference data a database starts with (what one statement gives is an example under
// dialect/).
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <tuple>

#include "engine_fixture.hpp"
#include "jet/engine/database.hpp"
#include "jet/engine/like_matching.hpp"
#include "jet/engine/schema.hpp"
#include "zelt/ado/json.hpp"
#include "zelt/jet/errors.hpp"

namespace zelt {
namespace {

using testing_support::EngineTest;
using testing_support::errorOf;

// Wildcards count characters, not bytes; a bracket list's range follows the Portuguese collation,
// case-insensitive, accents apart.
TEST(LikeMatching, WildcardsCountCharactersNotBytes) {
    using jet::engine::likeMatches;
    for (const auto& [pattern, value, matches] : std::vector<std::tuple<const char*, const char*, bool>>{
             {"%JOÃO%", "o joão da silva", true}, {"_ão", "Mão", true}, {"__ão", "Mão", false}, {"a%b%c", "aXXbYYc", true},
             {"a%b%c", "aXXbYY", false}, {"%", "", true}, {"_", "", false}, {"%rex", "REX", true}, {"[abc]x", "Bx", true},
             {"[abc]x", "dx", false}, {"[a-c]%", "Bruno", true}, {"[a-c]%", "Álvaro", true}, {"[a-c]%", "Davi", false},
             {"[!a-c]%", "Davi", true}, {"[!a-c]%", "Ana", false}, {"[é]", "É", true}, {"[é]", "e", false},
             {"100[%]", "100%", true}, {"100[%]", "1000", false}, {"a[_]b", "a_b", true}, {"a[_]b", "axb", false},
             {"[[]x]", "[x]", true}, {"a[]b", "ab", true}, {"a[b", "a[b", true}, {"%[0-9]", "casa 7", true},
             {"%[0-9]", "casa", false},
         })
        EXPECT_EQ(likeMatches(pattern, value), matches) << pattern << " ~ " << value;
}

// A column whose kind only its values tell takes the type of its first value that is not Null.
TEST_F(EngineTest, AColumnOfNoKnownKindIsTypedByItsFirstValue) {
    const auto first = addClient("A");
    addClient("B"), addClient("C");
    const std::string second = std::to_string(first + 1), third = std::to_string(first + 2);
    auto rs = select("SELECT Switch(Codigo = " + second + ", Codigo, Codigo = " + third + ", NomeOuRazaoSocial) AS Misto, Null AS Nada "
                     "FROM Clientes ORDER BY Codigo");
    EXPECT_EQ(std::pair(rs->fieldDef(0).type, rs->fieldDef(1).type), std::pair(ado::adInteger, ado::adVariant));
    EXPECT_EQ(ado::toJson(*rs)["rows"].dump(), "[[null,null],[" + second + ",null],[\"C\",null]]");
}

// Two workstations may both pass the lookup for a number before either writes it: the later
// writing is refused with the duplicate-key error. Blank and null numbers repeat freely.
TEST_F(EngineTest, ANonBlankCpfOrCnpjBelongsToOneClient) {
    const std::string add = "INSERT INTO Clientes (TipoDeCliente, CPFCNPJ) VALUES ('PF', ";
    for (const auto& [statement, refused] : std::vector<std::pair<std::string, bool>>{
             {add + "'11144477735')", false}, {add + "'11144477735')", true}, {add + "'52998224725')", false},
             {"UPDATE Clientes SET CPFCNPJ = '11144477735' WHERE CPFCNPJ = '52998224725'", true}, {add + "'')", false},
             {add + "'')", false}, {add + "'   ')", false}, {add + "'   ')", false}, {add + "Null)", false}, {add + "Null)", false}}) {
        if (!refused) {
            EXPECT_EQ(run(statement), 1) << statement;
            continue;
        }
        const auto e = errorOf([&] { run(statement); });
        EXPECT_EQ(std::pair(e.number(), e.helpContext()), std::pair(-2147467259, 5003022)) << statement;
    }
    EXPECT_EQ(scalar("SELECT Count(*) FROM Clientes WHERE CPFCNPJ = '11144477735'").toInt32(), 1);
}

// What a closing finds still open is rolled back, not handed on with the connection.
TEST_F(EngineTest, ClosingRollsBackAnOpenTransaction) {
    engine->begin();
    addClient("Esquecido");
    engine->close();
    engine = jet::openDatabase(databasePath);
    EXPECT_EQ(scalar("SELECT Count(*) FROM Clientes").toInt32(), 0);
}

TEST_F(EngineTest, AWriterWaitsForAnotherThenReportsBusy) {
    ZELT_SQLITE_ONLY("one writer at a time in a file; a server lets both write");
    auto other = jet::openDatabase(databasePath);
    other->begin();
    // The busy timeout makes this wait before giving up; it is what several workstations share.
    const auto e = errorOf([&] { engine->begin(); });
    EXPECT_EQ(std::pair(e.number(), e.helpContext()), std::pair(jet::err::ProviderFailure, jet::err::BusyHelpContext));
    other->rollback();
    engine->begin();
    engine->rollback();
}

// A file as the first version made it: no mark, its animals related to owner, species and breed,
// no unique CPF index nor municipality index. Animal 7 is left, 9 was the last one counted.
void makeVersionOneFile(const std::string& path, bool duplicateCpf) {
    jet::engine::Database db(path);
    db.exec(jet::engine::schemaDdl().c_str());
    db.exec("DROP INDEX ux_Clientes_CPFCNPJ; DROP INDEX ix_MunicipiosIBGE_CodigoIBGE; DROP TABLE Animais;"
            "CREATE TABLE Animais (Codigo INTEGER PRIMARY KEY AUTOINCREMENT, Nome TEXT COLLATE PTBR,"
            " CodigoDoCliente INTEGER REFERENCES Clientes (Codigo),"
            " CodigoDaEspecie INTEGER REFERENCES EspeciesDeAnimais (Codigo),"
            " CodigoDaRaca INTEGER REFERENCES RacasDeAnimais (Codigo), Pedigree INTEGER);"
            // Version 1 kept money as doubles and True as 1.
            "DROP TABLE ContasAReceber; CREATE TABLE ContasAReceber (Codigo INTEGER PRIMARY KEY AUTOINCREMENT,"
            " CodigoDoCliente INTEGER, ValorDoDocumento REAL, DataDaBaixa REAL);"
            "INSERT INTO ContasAReceber (CodigoDoCliente, ValorDoDocumento) VALUES (1, 0.1), (1, 1234.5678);"
            "INSERT INTO Clientes (Codigo, CPFCNPJ) VALUES (1, '11144477735');"
            "INSERT INTO EspeciesDeAnimais (Codigo) VALUES (1);"
            "INSERT INTO RacasDeAnimais (Codigo, CodigoDaEspecieDeAnimal) VALUES (1, 1);"
            "INSERT INTO Animais VALUES (7, 'Rex', 1, 1, 1, 1), (9, 'Tom', 1, 1, 1, 0);"
            "DELETE FROM Animais WHERE Codigo = 9; PRAGMA user_version=1");
    if (duplicateCpf) db.exec("INSERT INTO Clientes (Codigo, CPFCNPJ) VALUES (2, '11144477735')");
}

// Several processes meeting a new or an older file at once: exactly one creates or upgrades it,
// none fails.
TEST(SchemaCreation, ConcurrentFirstOpeningsCreateOneSchema) {
    for (const bool older : {false, true}) {
        SCOPED_TRACE(older ? "version 1 file" : "new file");
        testing_support::TempDirectory dir;
        const std::string path = (dir.path() / "novo.db").string();
        if (older) makeVersionOneFile(path, false);
        constexpr int processes = 4;
        pid_t children[processes];
        for (pid_t& child : children) {
            child = fork();
            if (child == 0) {
                try {
                    auto e = jet::openDatabase(path);
                    _exit(0);
                } catch (const std::exception& error) {
                    std::fputs(error.what(), stderr);
                    _exit(1);
                }
            }
        }
        for (pid_t child : children) {
            int status = 0;
            waitpid(child, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        auto e = jet::openDatabase(path);
        int64_t n = 0;
        EXPECT_EQ(e->execute("SELECT Count(*) FROM Animais", n)->valueAt(0, 0).toInt32(), older ? 1 : 0);
        if (older) continue;
        EXPECT_EQ(e->execute("SELECT Count(*) FROM Empresa", n)->valueAt(0, 0).toInt32(), 1);
        EXPECT_EQ(e->execute("SELECT Count(*) FROM RacasDeAnimais WHERE Nome = 'Poodle'", n)->valueAt(0, 0).toInt32(), 1);
    }
}

// A file made before the mark is recognised by its version and tables, upgraded in place and
// marked; its rows and its counter stay. A unique index that its rows already break is left out
// rather than failing the opening.
TEST(SchemaUpgrade, AVersionOneFileIsUpgradedAndMarkedKeepingItsRows) {
    for (const bool duplicateCpf : {false, true}) {
        SCOPED_TRACE(duplicateCpf ? "with a duplicate CPF" : "");
        testing_support::TempDirectory dir;
        const std::string path = (dir.path() / "v1.db").string();
        makeVersionOneFile(path, duplicateCpf);
        {
            auto e = jet::openDatabase(path);
            int64_t n = 0;
            e->execute("INSERT INTO Animais (CodigoDoCliente, CodigoDaEspecie, CodigoDaRaca) VALUES (0, -1, -1)", n);
            EXPECT_EQ(e->execute("SELECT @@Identity", n)->valueAt(0, 0).toInt32(), 10);
        }
        jet::engine::Database db(path, jet::engine::Database::Opening::ExistingOnly);
        const std::vector<std::pair<const char*, int64_t>> expected{
            {"PRAGMA application_id", 0x5A454C54},  // "ZELT"
            {"PRAGMA user_version", 2},
            {"SELECT count(*) FROM pragma_foreign_key_list('Animais')", 0},
            {"SELECT count(*) FROM pragma_foreign_key_list('Exames')", 1},
            {"SELECT count(*) FROM Animais WHERE Codigo = 7 AND Nome = 'Rex' AND Pedigree = -1", 1},
            {"SELECT sum(ValorDoDocumento) FROM ContasAReceber", 12346678},
            {"SELECT count(*) FROM pragma_table_info('ContasAReceber') WHERE type = 'REAL'", 1},  // DataDaBaixa
            {"SELECT count(*) FROM sqlite_master WHERE name = 'ix_MunicipiosIBGE_CodigoIBGE'", 1},
            {"SELECT count(*) FROM sqlite_master WHERE name = 'ix_Animais_Microchip'", 1},
            {"SELECT count(*) FROM sqlite_master WHERE name = 'ux_Clientes_CPFCNPJ'", duplicateCpf ? 0 : 1},
        };
        for (const auto& [sql, value] : expected) EXPECT_EQ(db.queryInt(sql), value) << sql;
        EXPECT_EQ(jet::checkIntegrity(path), std::vector<std::string>{"ok"});
    }
}

TEST_F(EngineTest, ImportingMunicipalitiesReplacesByCode) {
    const auto csv = dir.path() / "municipios.csv";
    std::ofstream(csv) << "CodigoIBGE;Nome;UF\n3550308;São Paulo (capital);SP\n9999999;Município de Teste;ZZ\n";
    EXPECT_EQ(jet::importMunicipios(databasePath, csv.string()), 2);
    EXPECT_EQ(scalar("SELECT Count(*) FROM MunicipiosIBGE").toInt32(), 5571);
    EXPECT_EQ(scalar("SELECT Count(*) FROM MunicipiosIBGE WHERE CodigoIBGE = '3550308'").toInt32(), 1);

    std::ofstream(csv) << "CodigoIBGE;Nome;UF\n12345;Curto;SP\n";
    EXPECT_THROW(jet::importMunicipios(databasePath, csv.string()), RuntimeError);
    EXPECT_THROW(jet::importMunicipios(databasePath, (dir.path() / "nenhum.csv").string()), RuntimeError);
}

}  // namespace
}  // namespace zelt
