#include "jet/engine/chapter_aggregates.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "jet/engine/computed_columns.hpp"
#include "jet/engine/jet_addition.hpp"
#include "jet/parser/syntax_error.hpp"

namespace zelt::jet::engine {

using Kind = ShapeLevel::Column::Kind;

Variant aggregateOf(Kind kind, std::span<const Variant> values, size_t rows) {
    std::vector<Variant> given;
    for (const Variant& v : values)
        if (!v.isNull() && !v.isEmpty()) given.push_back(v);
    if (kind == Kind::Count) return Variant(static_cast<int32_t>(values.empty() ? rows : given.size()));
    if (given.empty()) return Variant::null();
    switch (kind) {
    case Kind::Min:
    case Kind::Max: {
        const Variant* best = &given.front();
        for (const Variant& v : given) {
            const int c = compareInJetOrder(v, *best);
            if (kind == Kind::Min ? c < 0 : c > 0) best = &v;
        }
        return *best;
    }
    case Kind::Any: return given.front();
    default: break;
    }
    // Sum, Avg and StDev take numbers only (dates and Yes/No are numbers to Jet; text is not).
    for (const Variant& v : given)
        if (v.isText()) typeMismatch();
    const double n = static_cast<double>(given.size());
    if (kind == Kind::Sum) {
        // Money adds up exactly, as Jet's Currency; anything else as Jet's +.
        if (std::all_of(given.begin(), given.end(), [](const Variant& v) { return v.type() == VarType::Currency; })) {
            Currency total;
            for (const Variant& v : given) total += *v.get<Currency>();
            return Variant(total);
        }
        return addValues(given);
    }
    const Variant sum = addValues(given);
    const double mean = sum.toDouble() / n;
    if (kind == Kind::Avg) return Variant(mean);
    if (given.size() < 2) return Variant::null();  // StDev of a sample needs two values
    double squares = 0;
    for (const Variant& v : given) squares += (v.toDouble() - mean) * (v.toDouble() - mean);
    return Variant(std::sqrt(squares / (n - 1)));
}

}  // namespace zelt::jet::engine
