#include "jet/engine/computed_columns.hpp"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <span>

#include "jet/engine/result_builder.hpp"
#include "zelt/automation/date.hpp"
#include "zelt/automation/regional.hpp"

namespace zelt::jet::engine {
namespace {

// A pattern with any of the date letters (outside escapes and quotes) formats a date.
bool isDatePattern(std::string_view pattern) {
    bool quoted = false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '"') quoted = !quoted;
        else if (quoted) continue;
        else if (c == '\\') ++i;
        else if (c != '\0' && std::strchr("dDmMyYhHnNsS", c)) return true;
    }
    return false;
}

bool isNumber(const Variant& v) { return v.isNumber() || v.type() == VarType::Bool; }

bool truth(const Variant& v) {
    if (v.isNull() || v.isEmpty()) return false;
    if (v.isText()) return regional::parseNumber(*v.get<std::string>()).value_or(0) != 0;
    return v.toDouble() != 0;
}

Variant evaluate(const LocalValue& v, std::span<const Variant> row) {
    switch (v.kind) {
    case LocalValue::Kind::Fetched: return row[v.column];
    case LocalValue::Kind::Text: return Variant(v.text);
    case LocalValue::Kind::Format: {
        const Variant pattern = evaluate(v.operands[1], row);
        return formatValue(evaluate(v.operands[0], row), pattern.isNull() ? std::string() : pattern.toText());
    }
    case LocalValue::Kind::IIf: return evaluate(v.operands[truth(evaluate(v.operands[0], row)) ? 1 : 2], row);
    case LocalValue::Kind::Switch:
        for (size_t i = 0; i + 1 < v.operands.size(); i += 2)
            if (truth(evaluate(v.operands[i], row))) return evaluate(v.operands[i + 1], row);
        return Variant::null();
    case LocalValue::Kind::Concat: {
        std::string text;
        for (const LocalValue& o : v.operands) {
            const Variant part = evaluate(o, row);
            if (!part.isNull()) text += part.toText();  // Null reads as empty text
        }
        return Variant(std::move(text));
    }
    }
    return Variant::null();
}

// Jet's order: Null first, then numbers (dates and Yes/No among them), then text in the
// Portuguese order.
int rank(const Variant& v) { return v.isNull() || v.isEmpty() ? 0 : v.isText() ? 2 : 1; }

int compare(const Variant& a, const Variant& b) {
    const int ra = rank(a), rb = rank(b);
    if (ra != rb || ra == 0) return ra - rb;
    if (ra == 2) return regional::compareText(*a.get<std::string>(), *b.get<std::string>());
    const double x = a.toDouble(), y = b.toDouble();
    return x < y ? -1 : x > y ? 1 : 0;
}

}  // namespace

Variant formatValue(const Variant& value, std::string_view pattern) {
    if (value.isNull()) return value;
    if (pattern.empty()) return isNumber(value) || value.type() == VarType::Date ? Variant(value.toText()) : value;
    if (isDatePattern(pattern)) {
        if (value.type() == VarType::Date) return Variant(value.get<Date>()->format(pattern));
        if (isNumber(value)) return Variant(Date(value.toDouble()).format(pattern));
        if (value.isText())
            if (auto d = Date::parseRegional(*value.get<std::string>())) return Variant(d->format(pattern));
        return value;
    }
    if (isNumber(value) || value.type() == VarType::Date) return Variant(regional::formatNumber(value.toDouble(), pattern));
    if (value.isText())
        if (auto n = regional::parseNumber(*value.get<std::string>())) return Variant(regional::formatNumber(*n, pattern));
    return value;
}

Ref<ado::Recordset> computeRows(const Query& query, std::vector<Variant> fetched) {
    const size_t width = query.fetched.size();
    const size_t rows = width ? fetched.size() / width : 0;
    auto row = [&](size_t r) { return std::span<const Variant>(fetched).subspan(r * width, width); };

    std::vector<size_t> order(rows);
    std::iota(order.begin(), order.end(), size_t{0});
    if (!query.order.empty()) {
        std::vector<Variant> keys;
        keys.reserve(rows * query.order.size());
        for (size_t r = 0; r < rows; ++r)
            for (const LocalTerm& t : query.order) keys.push_back(evaluate(t.value, row(r)));
        const size_t terms = query.order.size();
        auto compareRows = [&](size_t a, size_t b) {
            for (size_t t = 0; t < terms; ++t) {
                const int c = compare(keys[a * terms + t], keys[b * terms + t]);
                if (c != 0) return query.order[t].descending ? -c : c;
            }
            return 0;
        };
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return compareRows(a, b) < 0; });
        // TOP n keeps the rows tied with the n-th.
        if (query.top && static_cast<size_t>(std::max<int64_t>(*query.top, 0)) < order.size()) {
            size_t keep = static_cast<size_t>(std::max<int64_t>(*query.top, 0));
            while (keep > 0 && keep < order.size() && compareRows(order[keep - 1], order[keep]) == 0) ++keep;
            order.resize(keep);
        }
    }

    std::vector<std::string> names;
    std::vector<ValueKind> kinds;
    for (const ResultColumn& c : query.columns) {
        names.push_back(c.name);
        kinds.push_back(c.kind);
    }
    ResultBuilder result(std::move(names), std::move(kinds));
    for (size_t r : order) {
        size_t sent = 0;
        for (const ResultColumn& c : query.columns)
            result.add(c.local ? evaluate(*c.local, row(r)) : std::move(fetched[r * width + sent++]));
    }
    return result.finish();
}

}  // namespace zelt::jet::engine
