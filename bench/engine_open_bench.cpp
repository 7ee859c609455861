// Opening and releasing a connection on an existing database: what every operation of the
// component pays once, at the engine and through the data-access object the operations create.
#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>

#include "registered_libraries.hpp"
#include "seeded_database.hpp"
#include "zelt/automation/dispatch.hpp"
#include "zelt/automation/registry.hpp"
#include "zelt/jet/engine.hpp"

namespace {

const std::string& databasePath() {
    static const std::string path = [] {
        std::string p = (zelt::bench::scratchFolder("zelt-open") / "open.db").string();
        zelt::jet::openDatabase(p);
        return p;
    }();
    return path;
}

void OpenAndRelease(benchmark::State& state) {
    const std::string& path = databasePath();
    for (auto _ : state) {
        auto engine = zelt::jet::openDatabase(path);
        benchmark::DoNotOptimize(engine.get());
    }
}

void OpenQueryAndRelease(benchmark::State& state) {
    const std::string& path = databasePath();
    int64_t n = 0;
    for (auto _ : state) {
        auto engine = zelt::jet::openDatabase(path);
        benchmark::DoNotOptimize(engine->execute("SELECT NOW AS DataHoraDoServidor FROM Empresa", n));
    }
}

// As an operation does it: CreateObject, AbrirConexao, FecharConexao, and the object released.
void DataAccessObjectOpenAndRelease(benchmark::State& state) {
    static const bool registered = [] {
        zelt::bench::registerLibraries(std::filesystem::path(databasePath()).parent_path(), databasePath());
        return true;
    }();
    benchmark::DoNotOptimize(registered);
    for (auto _ : state) {
        zelt::Ref<zelt::Object> dados = zelt::CreateObject(zelt::dataaccess::ProgId);
        if (zelt::callByName(*dados, "AbrirConexao").toInt16() != 0) state.SkipWithError("AbrirConexao failed");
        zelt::callByName(*dados, "FecharConexao");
    }
}

}  // namespace

BENCHMARK(OpenAndRelease)->Unit(benchmark::kMicrosecond);
BENCHMARK(OpenQueryAndRelease)->Unit(benchmark::kMicrosecond);
BENCHMARK(DataAccessObjectOpenAndRelease)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
