#include "jet/engine/computed_columns.hpp"

#include <algorithm>
#include <numeric>
#include <span>

#include "jet/engine/format_value.hpp"
#include "jet/engine/jet_addition.hpp"
#include "jet/library/library.hpp"
#include "zelt/automation/regional.hpp"

namespace zelt::jet::engine {
namespace {

bool truth(const Variant& v) {
    if (v.isNull() || v.isEmpty()) return false;
    if (v.isText()) return regional::parseNumber(*v.get<std::string>()).value_or(0) != 0;
    return v.toDouble() != 0;
}

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
        const library::Function* f = library::find(v.text);
        return library::call(f ? *f : library::operatorFunction(v.text), operandsOf(v, row));
    }
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

int rank(const Variant& v) { return v.isNull() || v.isEmpty() ? 0 : v.isText() ? 2 : 1; }

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

void ComputedRows::add(Variant value) {
    fetched_.push_back(std::move(value));
    const size_t batch = BatchRows * query_.fetched.size();
    if (!query_.order.empty() || fetched_.size() < batch) return;
    if (!pipeline_) pipeline_ = std::make_unique<BatchPipeline>([this](std::vector<Variant>& b) { computeAll(b); });
    pipeline_->push(std::move(fetched_));
    fetched_ = {};
    fetched_.reserve(batch);
}

Ref<ado::Recordset> ComputedRows::finish() {
    if (query_.order.empty()) {
        if (pipeline_) {
            pipeline_->push(std::move(fetched_));
            pipeline_->finish();
        } else {
            computeAll(fetched_);
        }
        return result_.finish();
    }
    const size_t width = query_.fetched.size();
    const size_t rows = width ? fetched_.size() / width : 0;
    auto row = [&](size_t r) { return std::span<Variant>(fetched_).subspan(r * width, width); };

    std::vector<Variant> keys;
    keys.reserve(rows * query_.order.size());
    for (size_t r = 0; r < rows; ++r)
        for (const LocalTerm& t : query_.order) keys.push_back(evaluate(t.value, row(r)));
    const size_t terms = query_.order.size();
    auto compareRows = [&](size_t a, size_t b) {
        for (size_t t = 0; t < terms; ++t) {
            const int c = compareInJetOrder(keys[a * terms + t], keys[b * terms + t]);
            if (c != 0) return query_.order[t].descending ? -c : c;
        }
        return 0;
    };
    std::vector<size_t> order(rows);
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return compareRows(a, b) < 0; });
    // TOP n keeps the rows tied with the n-th.
    if (query_.top && static_cast<size_t>(std::max<int64_t>(*query_.top, 0)) < order.size()) {
        size_t keep = static_cast<size_t>(std::max<int64_t>(*query_.top, 0));
        while (keep > 0 && keep < order.size() && compareRows(order[keep - 1], order[keep]) == 0) ++keep;
        order.resize(keep);
    }
    for (size_t r : order) addComputed(result_, query_, row(r));
    return result_.finish();
}

}  // namespace zelt::jet::engine
