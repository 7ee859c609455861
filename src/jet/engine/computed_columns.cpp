#include "jet/engine/computed_columns.hpp"

#include <algorithm>
#include <functional>
#include <numeric>
#include <span>

#include "jet/engine/chapter_aggregates.hpp"
#include "jet/engine/format_value.hpp"
#include "jet/engine/jet_addition.hpp"
#include "jet/engine/like_matching.hpp"
#include "jet/engine/result_builder.hpp"
#include "jet/library/library.hpp"
#include "zelt/automation/regional.hpp"

namespace zelt::jet::engine {
namespace {

bool truth(const Variant& v) {
    if (v.isNull() || v.isEmpty()) return false;
    if (v.isText()) return regional::parseNumber(*v.get<std::string>()).value_or(0) != 0;
    return v.toDouble() != 0;
}

// Jet's three-valued And and Or: the deciding value (False for And, True for Or) wins over Null.
Variant logical(const LocalValue& v, std::span<const Variant> row);
Variant evaluate(const LocalValue& v, std::span<const Variant> row);

// A fetched value where it lies, anything else computed into scratch: most operands are columns
// of the row, and copying their texts would cost more than the function they are given to.
const Variant& operand(const LocalValue& v, std::span<const Variant> row, Variant& scratch) {
    if (v.kind == LocalValue::Kind::Fetched) return row[v.column];
    scratch = evaluate(v, row);
    return scratch;
}

std::vector<Variant> operandsOf(const LocalValue& v, std::span<const Variant> row) {
    std::vector<Variant> operands;
    operands.reserve(v.operands.size());
    for (const LocalValue& o : v.operands) operands.push_back(evaluate(o, row));
    return operands;
}

Variant evaluate(const LocalValue& v, std::span<const Variant> row) {
    Variant scratch;
    switch (v.kind) {
    case LocalValue::Kind::Fetched: return row[v.column];
    case LocalValue::Kind::Text: return Variant(v.text);
    case LocalValue::Kind::Format: {
        const Variant& value = operand(v.operands[0], row, scratch);
        std::optional<std::string> text;
        if (v.operands[1].kind == LocalValue::Kind::Text) {
            text = formatValue(value, v.operands[1].text);
        } else {
            const Variant pattern = evaluate(v.operands[1], row);
            text = formatValue(value, pattern.isNull() ? std::string() : pattern.toText());
        }
        return text ? Variant(std::move(*text)) : value;
    }
    case LocalValue::Kind::IIf:
        return evaluate(v.operands[truth(operand(v.operands[0], row, scratch)) ? 1 : 2], row);
    case LocalValue::Kind::Switch:
        for (size_t i = 0; i + 1 < v.operands.size(); i += 2)
            if (truth(operand(v.operands[i], row, scratch))) return evaluate(v.operands[i + 1], row);
        return Variant::null();
    case LocalValue::Kind::Add: return addValues(operandsOf(v, row));
    case LocalValue::Kind::Call: {
        const library::Function* f = library::findComputed(v.text);
        return library::call(f ? *f : library::operatorFunction(v.text), operandsOf(v, row));
    }
    case LocalValue::Kind::Compare: {
        const Variant a = evaluate(v.operands[0], row), b = evaluate(v.operands[1], row);
        if (a.isNull() || b.isNull()) return Variant::null();
        const int c = compareInJetOrder(a, b);
        const std::string_view op = v.text;
        return Variant(op == "=" ? c == 0 : op == "<>" ? c != 0 : op == "<" ? c < 0 : op == ">" ? c > 0
                                                             : op == "<=" ? c <= 0 : c >= 0);
    }
    case LocalValue::Kind::And:
    case LocalValue::Kind::Or: return logical(v, row);
    case LocalValue::Kind::Not: {
        const Variant a = evaluate(v.operands[0], row);
        return a.isNull() ? a : Variant(!truth(a));
    }
    case LocalValue::Kind::IsNull: return Variant(evaluate(v.operands[0], row).isNull());
    case LocalValue::Kind::Like: {
        const Variant a = evaluate(v.operands[0], row), pattern = evaluate(v.operands[1], row);
        if (a.isNull() || pattern.isNull()) return Variant::null();
        return Variant(likeMatches(pattern.toText(), a.toText()));
    }
    case LocalValue::Kind::Aggregate: break;  // placed as a value of the group's row
    case LocalValue::Kind::Concat: {
        std::string text;
        bool any = false;
        for (const LocalValue& o : v.operands) {
            if (o.kind == LocalValue::Kind::Text) {
                text += o.text;
                any = true;
                continue;
            }
            const Variant& part = operand(o, row, scratch);
            if (part.isNull()) continue;  // Null reads as empty text
            any = true;
            if (const std::string* piece = part.get<std::string>()) {
                text += *piece;
                continue;
            }
            std::string piece = part.toText();
            // Numbers as CStr writes them under the regional settings, as SQLite's jet_concat.
            if (part.isNumber()) std::replace(piece.begin(), piece.end(), '.', ',');
            text += piece;
        }
        return any ? Variant(std::move(text)) : Variant::null();  // all Null is Null
    }
    }
    return Variant::null();
}

Variant logical(const LocalValue& v, std::span<const Variant> row) {
    const bool deciding = v.kind == LocalValue::Kind::Or;
    bool unknown = false;
    for (const LocalValue& o : v.operands) {
        const Variant a = evaluate(o, row);
        if (a.isNull()) unknown = true;
        else if (truth(a) == deciding) return Variant(deciding);
    }
    return unknown ? Variant::null() : Variant(!deciding);
}

int rank(const Variant& v) { return v.isNull() || v.isEmpty() ? 0 : v.isText() ? 2 : 1; }

// A table of keys, `width` a row, and the rows' positions sorted by them in Jet's order (ties
// keep their order).
struct SortedKeys {
    std::vector<Variant> keys;
    size_t width;
    std::vector<size_t> order;

    int compare(size_t a, size_t b) const {
        for (size_t c = 0; c < width; ++c)
            if (const int d = compareInJetOrder(keys[a * width + c], keys[b * width + c])) return d;
        return 0;
    }
    SortedKeys(std::vector<Variant> k, size_t w, size_t rows) : keys(std::move(k)), width(w), order(rows) {
        std::iota(order.begin(), order.end(), size_t{0});
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return compare(a, b) < 0; });
    }
};

// The rows of kept (in order) whose result columns repeat none of an earlier row's.
void dropRepeated(const Query& query, std::vector<size_t>& kept, const std::function<Variant(size_t, size_t)>& value) {
    const size_t width = query.columns.size();
    std::vector<Variant> values;
    values.reserve(kept.size() * width);
    for (const size_t r : kept)
        for (size_t c = 0; c < width; ++c) values.push_back(value(r, c));
    const SortedKeys sorted(std::move(values), width, kept.size());
    std::vector<bool> repeated(kept.size(), false);
    for (size_t i = 1; i < sorted.order.size(); ++i)
        if (sorted.compare(sorted.order[i - 1], sorted.order[i]) == 0) repeated[sorted.order[i]] = true;
    size_t out = 0;
    for (size_t i = 0; i < kept.size(); ++i)
        if (!repeated[i]) kept[out++] = kept[i];
    kept.resize(out);
}

using Row = std::function<std::span<const Variant>(size_t)>;

Variant aggregateOver(const LocalAggregate& a, const std::vector<size_t>& rows, const Row& row) {
    std::vector<Variant> values;
    if (a.argument)
        for (const size_t r : rows) values.push_back(evaluate(*a.argument, row(r)));
    // First and Last: the value of the first or last row, Null included.
    if (a.function == "First" || a.function == "Last")
        return values.empty() ? Variant::null() : a.function == "First" ? values.front() : values.back();
    using Kind = ShapeLevel::Column::Kind;
    const Kind kind = a.function == "Count" ? Kind::Count
                      : a.function == "Sum" ? Kind::Sum
                      : a.function == "Avg" ? Kind::Avg
                      : a.function == "Min" ? Kind::Min
                      : a.function == "Max" ? Kind::Max
                                            : Kind::StDev;
    return aggregateOf(kind, values, rows.size());
}

// The kept rows grouped by the values of the grouping terms (without terms, all of them are one
// group, even none): each group a row of its first row's values, then its aggregates.
std::vector<Variant> groupRows(const Query& query, const std::vector<size_t>& kept, const Row& row, size_t width) {
    const size_t terms = query.groups.size();
    std::vector<Variant> keys;
    keys.reserve(kept.size() * terms);
    for (const size_t r : kept)
        for (const LocalValue& g : query.groups) keys.push_back(evaluate(g, row(r)));
    const SortedKeys sorted(std::move(keys), terms, kept.size());
    std::vector<std::vector<size_t>> groups;
    for (size_t i = 0; i < sorted.order.size(); ++i) {
        if (i == 0 || sorted.compare(sorted.order[i - 1], sorted.order[i]) != 0) groups.emplace_back();
        groups.back().push_back(kept[sorted.order[i]]);
    }
    if (terms == 0 && groups.empty()) groups.emplace_back();
    std::vector<Variant> out;
    out.reserve(groups.size() * (width + query.aggregates.size()));
    for (const std::vector<size_t>& g : groups) {
        for (size_t c = 0; c < width; ++c) out.push_back(g.empty() ? Variant::null() : row(g.front())[c]);
        for (const LocalAggregate& a : query.aggregates) out.push_back(aggregateOver(a, g, row));
    }
    return out;
}
// Enough rows that handing them over costs little beside computing them.
constexpr size_t BatchRows = 256;

}  // namespace

int compareInJetOrder(const Variant& a, const Variant& b) {
    const int ra = rank(a), rb = rank(b);
    if (ra != rb || ra == 0) return ra - rb;
    if (ra == 2) return regional::compareText(*a.get<std::string>(), *b.get<std::string>());
    const double x = a.toDouble(), y = b.toDouble();
    return x < y ? -1 : x > y ? 1 : 0;
}

namespace {

ResultBuilder builderFor(const Query& query) {
    std::vector<std::string> names;
    std::vector<ValueKind> kinds;
    for (const ResultColumn& c : query.columns) {
        names.push_back(c.name);
        kinds.push_back(c.kind);
    }
    return ResultBuilder(std::move(names), std::move(kinds));
}

void addComputed(ResultBuilder& result, const Query& query, std::span<Variant> row) {
    size_t sent = 0;
    for (const ResultColumn& c : query.columns)
        result.add(c.local ? evaluate(*c.local, row) : std::move(row[sent++]));
}

}  // namespace

ComputedRows::ComputedRows(const Query& query) : query_(query), result_(builderFor(query)) {}

void ComputedRows::computeAll(std::vector<Variant>& rows) {
    const size_t width = query_.fetched.size();
    for (size_t at = 0; width && at + width <= rows.size(); at += width)
        addComputed(result_, query_, std::span<Variant>(rows).subspan(at, width));
}

// Rows the engine need not see all of before the first is final: no condition, grouping,
// DISTINCT, ORDER BY or TOP of its own.
bool ComputedRows::streams() const {
    return query_.order.empty() && !query_.filter && !query_.grouped && !query_.distinct && !query_.top;
}

void ComputedRows::add(Variant value) {
    fetched_.push_back(std::move(value));
    const size_t batch = BatchRows * query_.fetched.size();
    if (!streams() || fetched_.size() < batch) return;
    if (!pipeline_) pipeline_ = std::make_unique<BatchPipeline>([this](std::vector<Variant>& b) { computeAll(b); });
    pipeline_->push(std::move(fetched_));
    fetched_ = {};
    fetched_.reserve(batch);
}

Ref<ado::Recordset> ComputedRows::finish() {
    if (streams()) {
        if (pipeline_) {
            pipeline_->push(std::move(fetched_));
            pipeline_->finish();
        } else {
            computeAll(fetched_);
        }
        return result_.finish();
    }
    size_t width = query_.fetched.size();
    size_t rows = width ? fetched_.size() / width : 0;
    auto row = [&](size_t r) { return std::span<Variant>(fetched_).subspan(r * width, width); };

    std::vector<size_t> order;
    order.reserve(rows);
    for (size_t r = 0; r < rows; ++r) {
        if (!query_.filter) {
            order.push_back(r);
            continue;
        }
        const Variant met = evaluate(*query_.filter, row(r));
        if (!met.isNull() && truth(met)) order.push_back(r);
    }
    if (query_.grouped) {
        std::vector<Variant> groups = groupRows(query_, order, row, width);
        fetched_ = std::move(groups);
        width += query_.aggregates.size();
        rows = width ? fetched_.size() / width : 0;
        order.clear();
        for (size_t r = 0; r < rows; ++r) {
            const Variant met = query_.having ? evaluate(*query_.having, row(r)) : Variant(true);
            if (!met.isNull() && truth(met)) order.push_back(r);
        }
    }
    if (query_.distinct) {
        // The position in the server's row of each result column it sends.
        std::vector<size_t> sentAt;
        for (size_t c = 0, sent = 0; c < query_.columns.size(); ++c) sentAt.push_back(query_.columns[c].local ? 0 : sent++);
        dropRepeated(query_, order, [&](size_t r, size_t c) {
            const ResultColumn& column = query_.columns[c];
            return column.local ? evaluate(*column.local, row(r)) : row(r)[sentAt[c]];
        });
    }
    // TOP n PERCENT keeps n% of the rows, rounded up.
    const std::optional<int64_t> top =
        query_.top && query_.percent ? std::optional<int64_t>((static_cast<int64_t>(order.size()) * *query_.top + 99) / 100)
                                     : query_.top;
    if (!query_.order.empty()) {
        const size_t terms = query_.order.size();
        std::vector<Variant> keys(rows * terms);
        for (const size_t r : order)  // the rows kept only: a row the condition left out raises nothing
            for (size_t t = 0; t < terms; ++t) keys[r * terms + t] = evaluate(query_.order[t].value, row(r));
        auto compareRows = [&](size_t a, size_t b) {
            for (size_t t = 0; t < terms; ++t) {
                const int c = compareInJetOrder(keys[a * terms + t], keys[b * terms + t]);
                if (c != 0) return query_.order[t].descending ? -c : c;
            }
            return 0;
        };
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return compareRows(a, b) < 0; });
        // TOP n keeps the rows tied with the n-th.
        if (top && static_cast<size_t>(std::max<int64_t>(*top, 0)) < order.size()) {
            size_t keep = static_cast<size_t>(std::max<int64_t>(*top, 0));
            while (keep > 0 && keep < order.size() && compareRows(order[keep - 1], order[keep]) == 0) ++keep;
            order.resize(keep);
        }
    } else if (top && static_cast<size_t>(std::max<int64_t>(*top, 0)) < order.size()) {
        order.resize(static_cast<size_t>(std::max<int64_t>(*top, 0)));
    }
    for (const size_t r : order) addComputed(result_, query_, row(r));
    return result_.finish();
}

}  // namespace zelt::jet::engine
