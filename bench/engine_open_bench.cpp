// Opening and releasing a connection on an existing database: what every operation of the
// component pays once.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "zelt/jet/engine.hpp"

namespace {

const std::string& databasePath() {
    static const std::string path = [] {
        std::string dir = (std::filesystem::temp_directory_path() / "zelt-open-XXXXXX").string();
        std::string p = std::string(mkdtemp(dir.data())) + "/open.db";
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

}  // namespace

BENCHMARK(OpenAndRelease)->Unit(benchmark::kMicrosecond);
BENCHMARK(OpenQueryAndRelease)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
