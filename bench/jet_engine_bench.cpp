// The engine against SQLite alone, on the same rows in the same run: the 64-column client
// selection over the seeded clients and the combined listing of the clients with their animals.
// The engine's figure over the raw one is the overhead of translation, the Jet functions and the
// typed recordset.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <string>

#include "clientanim/clientanim/comando_de_listagem.hpp"
#include "clientanim/clients/selecao_instrucao.hpp"
#include "clientanim/frame/texto_seguro.hpp"
#include "raw_statements.hpp"
#include "seeded_database.hpp"
#include "zelt/ado/recordset.hpp"
#include "zelt/jet/engine.hpp"
#include "zelt/jet/translator.hpp"

using namespace zelt;

namespace {

// The component's own statements: the full client list, every status, and the register as a tree.
const std::string clientSelection =
    clientanim::clientes::montarSelecaoDeClientes({}, true, clientanim::textoSeguro);
const std::string shapeListing = [] {
    clientanim::ArgumentosDaListagem todas;
    todas.administrador = true;
    return clientanim::montarComandoDeListagem(todas);
}();

void ClientSelectionEngine(benchmark::State& state) {
    auto engine = jet::openDatabase(bench::seededDatabase());
    int64_t n = 0;
    for (auto _ : state) {
        auto rs = engine->execute(clientSelection, n);
        benchmark::DoNotOptimize(rs->get_RecordCount());
    }
}

void ClientSelectionRawSqlite(benchmark::State& state) {
    sqlite3* db = bench::openRaw(bench::seededDatabase());
    const std::string sql = bench::rawClientSelection(bench::SQLiteSql);
    for (auto _ : state) benchmark::DoNotOptimize(bench::materialize(db, sql).size());
    sqlite3_close(db);
}

void ShapeListingEngine(benchmark::State& state) {
    auto engine = jet::openDatabase(bench::seededDatabase());
    int64_t n = 0;
    for (auto _ : state) {
        auto rs = engine->execute(shapeListing, n);
        benchmark::DoNotOptimize(rs->get_RecordCount());
    }
}

void ShapeListingRawSqlite(benchmark::State& state) {
    sqlite3* db = bench::openRaw(bench::seededDatabase());
    auto read = [db](const std::string& sql) { return bench::materialize(db, sql); };
    for (auto _ : state) benchmark::DoNotOptimize(bench::rawRelatedListing(bench::SQLiteSql, read));
    sqlite3_close(db);
}

void TranslateClientSelection(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(jet::translate(clientSelection).query.sql.size());
}

}  // namespace

BENCHMARK(ClientSelectionEngine)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ClientSelectionRawSqlite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ShapeListingEngine)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ShapeListingRawSqlite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(TranslateClientSelection)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
