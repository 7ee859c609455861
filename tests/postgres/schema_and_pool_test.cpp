// The schema created once on a new database, also when several workstations start together; the
// reference data complete; kept connections handed back clean, and dropped ones replaced.
#include <exception>
#include <thread>
#include <vector>

#include "jet/engine/reference_data.hpp"
#include "jet/engine/species_and_breeds.hpp"
#include "jet/postgres/schema.hpp"
#include "jet/postgres/session_pool.hpp"
#include "test_database.hpp"
#include "zelt/jet/engine.hpp"

namespace zelt::jet::postgres {
namespace {

using testing_support::ServerDatabase;

int64_t count(Session& s, const std::string& sql) { return std::stoll(PQgetvalue(s.exec(sql).get(), 0, 0)); }

TEST(PostgresSchema, CreatedOnceWhenSeveralOpenANewDatabaseAtOnce) {
    ZELT_REQUIRE_TEST_SERVER();
    ServerDatabase db;
    std::vector<std::string> failures(4);
    std::vector<std::thread> workstations;
    for (size_t i = 0; i < failures.size(); ++i)
        workstations.emplace_back([&, i] {
            try {
                Session s(db.uri());
                ensureSchema(s);
            } catch (const std::exception& e) {
                failures[i] = e.what();
            }
        });
    for (auto& t : workstations) t.join();
    for (const auto& f : failures) EXPECT_EQ(f, "");

    Session s(db.uri());
    s.run(schemaDdl());  // every statement may run again
    ensureSchema(s);
    // A database of the first version takes the & function the server can inline, and nothing else again.
    s.exec("UPDATE \"VersaoDoEsquema\" SET \"Versao\" = 1; ALTER FUNCTION jet_concat(text[]) IMMUTABLE");
    ensureSchema(s);
    size_t breeds = 0;
    for (const auto& species : engine::speciesSeeds()) breeds += species.racas.size();
    const size_t municipios = engine::parseMunicipiosCsv(engine::embeddedMunicipiosCsv()).size();
    const std::pair<const char*, size_t> expected[] = {
        {"SELECT count(*) FROM \"VersaoDoEsquema\"", 2},
        {"SELECT count(*) FROM pg_proc WHERE proname = 'jet_concat' AND provolatile = 's'", 1},
        {"SELECT count(*) FROM \"EspeciesDeAnimais\"", engine::speciesSeeds().size()},
        {"SELECT count(*) FROM \"RacasDeAnimais\"", breeds},
        {"SELECT count(*) FROM \"MunicipiosIBGE\"", municipios},
        {"SELECT count(*) FROM \"Empresa\"", 1},
        // The counters continue after the codes the reference rows were written with.
        {"INSERT INTO \"EspeciesDeAnimais\" (\"Nome\") VALUES ('Nova') RETURNING \"Codigo\"",
         engine::speciesSeeds().size() + 1},
    };
    for (const auto& [sql, n] : expected) EXPECT_EQ(count(s, sql), static_cast<int64_t>(n)) << sql;

    // zelt verificar: everything in place, then what is missing named.
    EXPECT_EQ(jet::checkIntegrity(db.uri()), std::vector<std::string>{"ok"});
    s.exec("DROP INDEX \"ix_Animais_Microchip\"; ALTER TABLE \"Clientes\" DROP COLUMN \"UF\"");
    EXPECT_EQ(jet::checkIntegrity(db.uri()),
              (std::vector<std::string>{"falta o índice ix_Animais_Microchip", "falta a coluna Clientes.UF"}));
}

TEST(PostgresSessionPool, HandsBackCleanSessionsAndReplacesDroppedOnes) {
    ZELT_REQUIRE_TEST_SERVER();
    ServerDatabase db;
    auto first = openSession(db.uri());
    const int backend = PQbackendPID(first->handle());
    first->exec("BEGIN");
    first->exec("INSERT INTO \"Empresa\" DEFAULT VALUES");
    first->exec("SET search_path = nenhum");
    first->lastIdentity = 5;
    returnSession(std::move(first));

    auto again = openSession(db.uri());
    EXPECT_EQ(PQbackendPID(again->handle()), backend);  // the same connection, reset
    EXPECT_FALSE(again->inTransaction());
    EXPECT_EQ(again->lastIdentity, 0);
    EXPECT_EQ(count(*again, "SELECT count(*) FROM \"Empresa\""), 1);  // the open transaction undone
    returnSession(std::move(again));

    // The server ends the idle connection (an administrator, a restart): the next opening gets
    // another without an error.
    Session admin(db.uri());
    admin.exec("SELECT pg_terminate_backend(" + std::to_string(backend) + ", 60000)");
    auto replaced = openSession(db.uri());
    EXPECT_NE(PQbackendPID(replaced->handle()), backend);
    EXPECT_EQ(count(*replaced, "SELECT count(*) FROM \"Empresa\""), 1);
}

}  // namespace
}  // namespace zelt::jet::postgres
