// Translation of the component's longest statements from Jet SQL to SQLite. Each iteration
// searches another value, as the component does, so no translation comes from the cache.
#include <benchmark/benchmark.h>

#include "../tests/jet_translate/statements.hpp"
#include "zelt/jet/translator.hpp"

namespace {

template <typename Build>
void translateEach(benchmark::State& state, Build build) {
    int64_t n = 0;
    for (auto _ : state) {
        zelt::jet::Translation t = zelt::jet::translate(build(std::to_string(1000000 + n++)));
        benchmark::DoNotOptimize(t);
    }
    state.SetItemsProcessed(state.iterations());
}

void ClientSelection64Columns(benchmark::State& state) {
    translateEach(state, [](const std::string& value) {
        statements::ClientSearch c;
        c.valor = value;
        return statements::clientSelection(c);
    });
}

void AnimalSelection37Columns(benchmark::State& state) {
    translateEach(state, [](const std::string& value) {
        statements::AnimalSearch a;
        a.valor = value;
        return statements::animalSelection(a);
    });
}

void ClientAndAnimalListing(benchmark::State& state) {
    translateEach(state, [](const std::string& value) {
        statements::ClientSearch c;
        c.animal = value;
        return statements::listing(c);
    });
}

void BuildingTheTextAlone(benchmark::State& state) {
    int64_t n = 0;
    for (auto _ : state) {
        statements::ClientSearch c;
        c.valor = std::to_string(1000000 + n++);
        benchmark::DoNotOptimize(statements::clientSelection(c));
    }
}

void RepeatedServerClock(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(zelt::jet::translate(" SELECT NOW AS DataHoraDoServidor "));
}

}  // namespace

BENCHMARK(ClientSelection64Columns);
BENCHMARK(AnimalSelection37Columns);
BENCHMARK(ClientAndAnimalListing);
BENCHMARK(BuildingTheTextAlone);
BENCHMARK(RepeatedServerClock);
BENCHMARK_MAIN();
