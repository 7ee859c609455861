// The schema and reference data a new database file starts with.
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "engine_fixture.hpp"
#include "zelt/automation/error.hpp"

namespace zelt {
namespace {

using testing_support::EngineTest;

TEST_F(EngineTest, ReferenceDataIsCreatedOnceWhateverTheNumberOfOpenings) {
    engine.reset();
    engine = jet::openDatabase(databasePath);
    engine = jet::openDatabase(databasePath);
    EXPECT_EQ(scalar("SELECT Count(*) FROM Empresa").toInt32(), 1);
    EXPECT_TRUE(scalar("SELECT DataDeAtualizacaoDaCategoriaDaCurvaABC FROM Empresa").isNull());
    EXPECT_EQ(scalar("SELECT Count(*) FROM OSParaBD").toInt32(), 0);
    EXPECT_EQ(scalar("SELECT Count(*) FROM MunicipiosIBGE").toInt32(), 5570);
    EXPECT_EQ(scalar("SELECT Count(*) FROM MunicipiosIBGE WHERE CodigoIBGE = '3550308'").toInt32(), 1);  // São Paulo
    EXPECT_EQ(scalar("SELECT Count(*) FROM MunicipiosIBGE WHERE CodigoIBGE = '1100015'").toInt32(), 1);
}

TEST_F(EngineTest, EverySpeciesHasBreedsStartingWithSemRacaDefinida) {
    auto especies = select("SELECT Codigo, Nome FROM EspeciesDeAnimais ORDER BY Codigo");
    ASSERT_GE(especies->get_RecordCount(), 8);
    EXPECT_EQ(especies->valueAt(0, 1).toText(), "Canina");
    for (int i = 0; i < especies->get_RecordCount(); ++i) {
        const std::string codigo = especies->valueAt(i, 0).toText();
        EXPECT_EQ(scalar("SELECT Count(*) FROM RacasDeAnimais WHERE CodigoDaEspecieDeAnimal = " + codigo +
                         " AND Nome = 'Sem Raça Definida'").toInt32(), 1)
            << especies->valueAt(i, 1).toText();
    }
    EXPECT_EQ(scalar("SELECT Count(*) FROM RacasDeAnimais INNER JOIN EspeciesDeAnimais ON "
                     "RacasDeAnimais.CodigoDaEspecieDeAnimal = EspeciesDeAnimais.Codigo "
                     "WHERE EspeciesDeAnimais.Nome = 'Felina' AND RacasDeAnimais.Nome = 'Siamês'").toInt32(), 1);
    EXPECT_EQ(scalar("SELECT Count(*) FROM RacasDeAnimais WHERE Nome = 'Shih Tzu'").toInt32(), 1);
}

// Several processes meeting a new file at once: exactly one creates it, none fails.
TEST(SchemaCreation, ConcurrentFirstOpeningsCreateOneSchema) {
    testing_support::TempDirectory dir;
    const std::string path = (dir.path() / "novo.db").string();
    constexpr int processes = 4;
    pid_t children[processes];
    for (pid_t& child : children) {
        child = fork();
        if (child == 0) {
            try {
                auto e = jet::openDatabase(path);
                _exit(0);
            } catch (...) {
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
    EXPECT_EQ(e->execute("SELECT Count(*) FROM Empresa", n)->valueAt(0, 0).toInt32(), 1);
    EXPECT_EQ(e->execute("SELECT Count(*) FROM RacasDeAnimais WHERE Nome = 'Poodle'", n)->valueAt(0, 0).toInt32(), 1);
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

TEST(DatabasePath, ZeltDatabaseNamesTheFileElseTheUsersDataDirectory) {
    testing_support::TempDirectory dir;
    setenv("ZELT_DATABASE", "/tmp/x/zelt-test.db", 1);
    EXPECT_EQ(jet::defaultDatabasePath(), "/tmp/x/zelt-test.db");
    unsetenv("ZELT_DATABASE");
    setenv("XDG_DATA_HOME", dir.path().c_str(), 1);
    EXPECT_EQ(jet::defaultDatabasePath(), (dir.path() / "zelt" / "zelt.db").string());
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "zelt"));
    unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace zelt
