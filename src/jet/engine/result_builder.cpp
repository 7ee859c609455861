#include "jet/engine/result_builder.hpp"

#include <cstdint>
#include <iterator>

namespace zelt::jet::engine {
namespace {

// The number of rows is known only at the end. Growing one store by doubling would touch fresh
// pages worth twice the result; small blocks come from memory the allocator keeps between
// selections, so the one store of the exact size is the only fresh memory a selection touches.
constexpr size_t BlockValues = 512;  // 20 KB: freeing blocks this small never gives memory back

}  // namespace

ado::FieldDef fieldOf(std::string name, ValueKind kind) {
    ado::FieldDef f;
    f.name = std::move(name);
    switch (kind) {
    case ValueKind::Integer: f.type = ado::adInteger; f.definedSize = 4; break;
    case ValueKind::SmallInt: f.type = ado::adSmallInt; f.definedSize = 2; break;
    case ValueKind::Byte: f.type = ado::adUnsignedTinyInt; f.definedSize = 1; break;
    case ValueKind::Double: f.type = ado::adDouble; f.definedSize = 8; break;
    case ValueKind::Money: f.type = ado::adCurrency; f.definedSize = 8; break;
    case ValueKind::Text: f.type = ado::adVarWChar; f.definedSize = 255; break;
    case ValueKind::Boolean: f.type = ado::adBoolean; f.definedSize = 2; break;
    case ValueKind::Date: f.type = ado::adDate; f.definedSize = 8; break;
    case ValueKind::Unknown: f.type = ado::adVariant; f.definedSize = 16; break;
    }
    return f;
}

ado::FieldDef fieldOfValue(std::string name, const Variant& v) {
    switch (v.type()) {
    case VarType::I4: return fieldOf(std::move(name), ValueKind::Integer);
    case VarType::I2: return fieldOf(std::move(name), ValueKind::SmallInt);
    case VarType::UI1: return fieldOf(std::move(name), ValueKind::Byte);
    case VarType::R8: return fieldOf(std::move(name), ValueKind::Double);
    case VarType::String: return fieldOf(std::move(name), ValueKind::Text);
    case VarType::Bool: return fieldOf(std::move(name), ValueKind::Boolean);
    case VarType::Date: return fieldOf(std::move(name), ValueKind::Date);
    case VarType::Currency: return fieldOf(std::move(name), ValueKind::Money);
    default: return fieldOf(std::move(name), ValueKind::Unknown);
    }
}

Ref<ado::Recordset> identityResult(const Query& query, int64_t counter) {
    ado::FieldDef field = fieldOf(query.columns.empty() ? "Expr1000" : query.columns.front().name, ValueKind::Integer);
    std::vector<Variant> values;
    if (counter <= INT32_MAX) values.emplace_back(static_cast<int32_t>(counter));
    else values.emplace_back(static_cast<double>(counter));
    return ado::Recordset::fromValues({field}, std::move(values));
}

ResultBuilder::ResultBuilder(std::vector<std::string> names, std::vector<ValueKind> kinds)
    : names_(std::move(names)), kinds_(std::move(kinds)) {}

void ResultBuilder::add(Variant value) {
    if (blocks_.empty() || blocks_.back().size() == BlockValues) blocks_.emplace_back().reserve(BlockValues);
    blocks_.back().push_back(std::move(value));
    ++total_;
}

Ref<ado::Recordset> ResultBuilder::finish() {
    std::vector<Variant> values;
    values.reserve(total_);
    for (auto& block : blocks_) {
        std::move(block.begin(), block.end(), std::back_inserter(values));
        std::vector<Variant>().swap(block);
    }
    const size_t count = names_.size();
    std::vector<ado::FieldDef> fields;
    fields.reserve(count);
    for (size_t c = 0; c < count; ++c) {
        if (kinds_[c] != ValueKind::Unknown) {
            fields.push_back(fieldOf(std::move(names_[c]), kinds_[c]));
            continue;
        }
        const Variant* first = nullptr;
        for (size_t i = c; i < values.size(); i += count)
            if (!values[i].isNull()) { first = &values[i]; break; }
        fields.push_back(first ? fieldOfValue(std::move(names_[c]), *first) : fieldOf(std::move(names_[c]), ValueKind::Unknown));
    }
    return ado::Recordset::fromValues(std::move(fields), std::move(values));
}

}  // namespace zelt::jet::engine
