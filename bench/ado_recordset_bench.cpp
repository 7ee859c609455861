// A 100,000-row, 64-column recordset built, sorted and paged, against the floor: a plain
// std::vector of the same values, sorted through an index with the same keys and read page by page.
// Each iteration times both; the counters give time and memory per row and their ratios to the
// floor (targets: time under 2x, memory under 1.5x). ZELT_BENCH_SHORT=1 runs 1,000 rows once.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <ctime>
#include <cstdlib>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "zelt/ado/recordset.hpp"
#include "zelt/automation/regional.hpp"

// Every allocation of the process is counted, the libraries' included.
namespace {
std::atomic<int64_t> liveBytes{0};
}

// Not inlined, so that the compiler never pairs a caller's new with this free.
[[gnu::noinline]] void* operator new(std::size_t n) {
    void* p = std::malloc(n ? n : 1);
    if (!p) throw std::bad_alloc();
    liveBytes.fetch_add(static_cast<int64_t>(malloc_usable_size(p)), std::memory_order_relaxed);
    return p;
}
[[gnu::noinline]] void operator delete(void* p) noexcept {
    if (!p) return;
    liveBytes.fetch_sub(static_cast<int64_t>(malloc_usable_size(p)), std::memory_order_relaxed);
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

using namespace zelt;

namespace {

constexpr int Columns = 64;
constexpr int PageSize = 10;
const char* const SortSpec = "Coluna1, Coluna2 DESC";  // a text column, then a number column

int rowCount() {
    regional::sortKey("a");  // the collator is made once, outside any timing
    const char* s = std::getenv("ZELT_BENCH_SHORT");
    return s && std::string(s) == "1" ? 1000 : 100000;
}

const char* const Nomes[] = {"Álvaro", "Alberto", "ana", "Ana", "João", "José", "Érica", "Zé", "Conceição", "Luís",
                             "luiz", "Thiago", "Tiago", "Sousa", "Souza", "Felipe"};

// The columns cycle through the kinds a selection returns.
ado::DataType kindOf(int c) {
    static const ado::DataType kinds[] = {ado::adInteger, ado::adVarWChar, ado::adDouble, ado::adCurrency,
                                          ado::adDate,    ado::adBoolean,  ado::adVarWChar, ado::adVarWChar};
    return kinds[c % 8];
}

Variant valueOf(int row, int c) {
    const uint32_t h = static_cast<uint32_t>(row) * 2654435761u ^ static_cast<uint32_t>(c) * 40503u;
    switch (c % 8) {
        case 0: return Variant(static_cast<int32_t>(h % 100000));
        case 1: return Variant(std::string(Nomes[h % 16]) + " " + std::to_string(h % 97));
        case 2: return Variant(static_cast<double>(h % 1000) / 8);
        case 3: return Variant(Currency::fromRaw(static_cast<int64_t>(h % 10000000)));
        case 4: return Variant(Date(40000.0 + h % 3000));
        case 5: return Variant((h & 1) != 0);
        case 6: return Variant(std::string("Rua das Acácias, ") + std::to_string(h % 5000));
        default: return h % 4 == 0 ? Variant::null() : Variant(std::string(Nomes[h % 16]));
    }
}

std::vector<ado::FieldDef> fieldDefs() {
    std::vector<ado::FieldDef> defs;
    for (int c = 0; c < Columns; ++c) defs.push_back({"Coluna" + std::to_string(c), kindOf(c), 50});
    return defs;
}

// The floor.
struct Plain {
    std::vector<Variant> values;  // row-major
    std::vector<int32_t> order;
    const Variant& at(int32_t row, int c) const { return values[static_cast<size_t>(row) * Columns + static_cast<size_t>(c)]; }
};

std::vector<Variant> rowMajorValues(int rows) {
    std::vector<Variant> values;
    values.reserve(static_cast<size_t>(rows) * Columns);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < Columns; ++c) values.push_back(valueOf(r, c));
    return values;
}

Plain buildPlain(int rows) {
    Plain p;
    p.values = rowMajorValues(rows);
    p.order.resize(static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r) p.order[static_cast<size_t>(r)] = r;
    return p;
}

// The recordset takes the values as they were made, as the engine's row reader hands them over.
Ref<ado::Recordset> buildRecordset(int rows) {
    auto rs = ado::Recordset::fromValues(fieldDefs(), rowMajorValues(rows));
    rs->put_PageSize(PageSize);
    return rs;
}

void sortPlain(Plain& p) {
    struct Key { std::string text; double number; };
    std::vector<Key> keys(p.order.size());
    for (size_t r = 0; r < keys.size(); ++r) {
        keys[r].text = regional::sortKey(*p.at(static_cast<int32_t>(r), 1).get<std::string>());
        keys[r].number = p.at(static_cast<int32_t>(r), 2).toDouble();
    }
    std::stable_sort(p.order.begin(), p.order.end(), [&](int32_t a, int32_t b) {
        const Key& x = keys[static_cast<size_t>(a)];
        const Key& y = keys[static_cast<size_t>(b)];
        if (const int c = x.text.compare(y.text)) return c < 0;
        return x.number > y.number;
    });
}

// Every page in turn, every value of its rows read.
int64_t pagePlain(const Plain& p) {
    int64_t seen = 0;
    const int32_t rows = static_cast<int32_t>(p.order.size());
    for (int32_t first = 0; first < rows; first += PageSize)
        for (int32_t r = first; r < std::min(rows, first + PageSize); ++r)
            for (int c = 0; c < Columns; ++c) seen += p.at(p.order[static_cast<size_t>(r)], c).isNull() ? 0 : 1;
    return seen;
}

int64_t pageRecordset(ado::Recordset& rs) {
    int64_t seen = 0;
    const int32_t pages = rs.get_PageCount();
    for (int32_t page = 1; page <= pages; ++page) {
        rs.put_AbsolutePage(page);
        for (int n = 0; n < PageSize && !rs.get_EOF(); ++n, rs.MoveNext())
            for (int c = 0; c < Columns; ++c) seen += rs(c).isNull() ? 0 : 1;
    }
    return seen;
}

// The thread's own processor time (user and system): on a shared machine the wall clock would
// count other processes' turns against whichever side happened to be running.
double seconds(const std::function<void()>& f) {
    const auto now = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    };
    const double start = now();
    f();
    return now() - start;
}

void reportTime(benchmark::State& state, int rows, double recordsetSeconds, double plainSeconds) {
    state.SetIterationTime(recordsetSeconds);
    state.counters["ns_per_row"] = recordsetSeconds * 1e9 / rows;
    state.counters["floor_ns_per_row"] = plainSeconds * 1e9 / rows;
    state.counters["time_ratio"] = recordsetSeconds / plainSeconds;
}

// Memory is what the built structure holds; sorting and paging keep nothing but the order.
void Build(benchmark::State& state) {
    const int rows = rowCount();
    for (auto _ : state) {
        Plain plain;
        Ref<ado::Recordset> rs;
        // Each side starts from a trimmed heap: memory one left mapped would spare the other its page faults.
        malloc_trim(0);
        int64_t before = liveBytes.load();
        const double plainSeconds = seconds([&] { plain = buildPlain(rows); });
        const int64_t plainBytes = liveBytes.load() - before;
        malloc_trim(0);
        before = liveBytes.load();
        const double recordsetSeconds = seconds([&] { rs = buildRecordset(rows); });
        const int64_t recordsetBytes = liveBytes.load() - before;
        reportTime(state, rows, recordsetSeconds, plainSeconds);
        state.counters["bytes_per_row"] = static_cast<double>(recordsetBytes) / rows;
        state.counters["floor_bytes_per_row"] = static_cast<double>(plainBytes) / rows;
        state.counters["memory_ratio"] = static_cast<double>(recordsetBytes) / static_cast<double>(plainBytes);
    }
}

void Sort(benchmark::State& state) {
    const int rows = rowCount();
    Plain plain = buildPlain(rows);
    auto rs = buildRecordset(rows);
    for (auto _ : state) {
        const double plainSeconds = seconds([&] { sortPlain(plain); });
        const double recordsetSeconds = seconds([&] { rs->put_Sort(SortSpec); });
        reportTime(state, rows, recordsetSeconds, plainSeconds);
    }
}

void Page(benchmark::State& state) {
    const int rows = rowCount();
    Plain plain = buildPlain(rows);
    sortPlain(plain);
    auto rs = buildRecordset(rows);
    rs->put_Sort(SortSpec);
    for (auto _ : state) {
        int64_t plainSeen = 0, recordsetSeen = 0;
        const double plainSeconds = seconds([&] { plainSeen = pagePlain(plain); });
        const double recordsetSeconds = seconds([&] { recordsetSeen = pageRecordset(*rs); });
        if (plainSeen != recordsetSeen) state.SkipWithError("the recordset and the floor read different values");
        reportTime(state, rows, recordsetSeconds, plainSeconds);
    }
}

void configure(benchmark::internal::Benchmark* b) {
    b->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(rowCount() < 100000 ? 1 : 3);
}

}  // namespace

BENCHMARK(Build)->Apply(configure);
BENCHMARK(Sort)->Apply(configure);
BENCHMARK(Page)->Apply(configure);
BENCHMARK_MAIN();
