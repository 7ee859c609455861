#include "jet/engine/jet_aggregates.hpp"

#include <cmath>

#include "jet/engine/sqlite_function.hpp"

namespace zelt::jet::engine {
namespace {

// StDev, StDevP, Var, VarP over the values that are not Null (Welford's running mean, which
// loses nothing to cancellation); of the sample, fewer than two values give Null, of the whole
// population none does.
struct Spread {
    int64_t n;
    double mean, squares;
};

void spreadStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (isNull(argv[0])) return;
    auto* s = static_cast<Spread*>(sqlite3_aggregate_context(ctx, sizeof(Spread)));
    if (!s) return sqlite3_result_error_nomem(ctx);
    const double x = sqlite3_value_double(argv[0]);
    ++s->n;
    const double delta = x - s->mean;
    s->mean += delta / static_cast<double>(s->n);
    s->squares += delta * (x - s->mean);
}

template <bool Sample, bool Root>
void spreadFinal(sqlite3_context* ctx) {
    const auto* s = static_cast<Spread*>(sqlite3_aggregate_context(ctx, 0));
    const int64_t n = s ? s->n : 0;
    if (n < (Sample ? 2 : 1)) return sqlite3_result_null(ctx);
    const double variance = s->squares / static_cast<double>(Sample ? n - 1 : n);
    sqlite3_result_double(ctx, Root ? std::sqrt(variance) : variance);
}

// First and Last: the value of the first or last row, as the rows come, Null included.
struct Kept {
    sqlite3_value* value;
    bool seen;
};

template <bool Last>
void keepStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
    auto* k = static_cast<Kept*>(sqlite3_aggregate_context(ctx, sizeof(Kept)));
    if (!k) return sqlite3_result_error_nomem(ctx);
    if (k->seen && !Last) return;
    sqlite3_value_free(k->value);
    k->value = sqlite3_value_dup(argv[0]);
    k->seen = true;
    if (!k->value) sqlite3_result_error_nomem(ctx);
}

void keepFinal(sqlite3_context* ctx) {
    auto* k = static_cast<Kept*>(sqlite3_aggregate_context(ctx, 0));
    if (!k || !k->value) return sqlite3_result_null(ctx);
    sqlite3_result_value(ctx, k->value);
    sqlite3_value_free(k->value);
}

struct Aggregate {
    const char* name;
    void (*step)(sqlite3_context*, int, sqlite3_value**);
    void (*final)(sqlite3_context*);
};

}  // namespace

void registerJetAggregates(sqlite3* db) {
    static constexpr Aggregate aggregates[] = {
        {"jet_stdev", spreadStep, spreadFinal<true, true>},  {"jet_stdevp", spreadStep, spreadFinal<false, true>},
        {"jet_var", spreadStep, spreadFinal<true, false>},   {"jet_varp", spreadStep, spreadFinal<false, false>},
        {"jet_first", keepStep<false>, keepFinal},            {"jet_last", keepStep<true>, keepFinal},
    };
    for (const Aggregate& a : aggregates)
        sqlite3_create_function_v2(db, a.name, 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, nullptr, a.step, a.final,
                                   nullptr);
}

}  // namespace zelt::jet::engine
