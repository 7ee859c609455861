#include "jet/engine/row_reader.hpp"

#include <cmath>
#include <limits>

#include "jet/engine/jet_functions.hpp"
#include "jet/engine/result_builder.hpp"
#include "zelt/automation/regional.hpp"

namespace zelt::jet::engine {
namespace {

using ado::DataType;

Variant integerOrDouble(sqlite3_int64 i) {
    if (i >= std::numeric_limits<int32_t>::min() && i <= std::numeric_limits<int32_t>::max())
        return Variant(static_cast<int32_t>(i));
    return Variant(static_cast<double>(i));
}

std::string_view columnText(sqlite3_stmt* s, int c) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(s, c));
    return p ? std::string_view(p, static_cast<size_t>(sqlite3_column_bytes(s, c))) : std::string_view();
}

// The value as SQLite holds it, for columns of no known kind.
Variant stored(sqlite3_stmt* s, int c, int type) {
    switch (type) {
    case SQLITE_INTEGER: return integerOrDouble(sqlite3_column_int64(s, c));
    case SQLITE_FLOAT: return Variant(sqlite3_column_double(s, c));
    case SQLITE_NULL: return Variant::null();
    default: return Variant(columnText(s, c));
    }
}

Variant typed(sqlite3_stmt* s, int c, ValueKind kind) {
    const int type = sqlite3_column_type(s, c);
    if (type == SQLITE_NULL) return Variant::null();
    const bool number = type == SQLITE_INTEGER || type == SQLITE_FLOAT;
    switch (kind) {
    case ValueKind::Integer:
        if (type == SQLITE_FLOAT) {
            const double d = sqlite3_column_double(s, c);
            if (d == std::trunc(d) && std::abs(d) <= std::numeric_limits<int32_t>::max())
                return Variant(static_cast<int32_t>(d));
            return Variant(d);
        }
        break;
    case ValueKind::SmallInt:
        if (type == SQLITE_INTEGER) return Variant(static_cast<int16_t>(sqlite3_column_int(s, c)));
        break;
    case ValueKind::Byte:
        if (type == SQLITE_INTEGER) return Variant(static_cast<uint8_t>(sqlite3_column_int(s, c)));
        break;
    case ValueKind::Double:
        if (number) return Variant(sqlite3_column_double(s, c));
        break;
    case ValueKind::Money:
        if (number) return Variant(amountOf(sqlite3_column_value(s, c)));
        if (auto n = regional::parseCurrency(columnText(s, c))) return Variant(*n);
        break;
    case ValueKind::Text:
        if (number) return Variant(stored(s, c, type).toText());
        break;
    case ValueKind::Boolean:
        if (number) return Variant(sqlite3_column_double(s, c) != 0.0);
        break;
    case ValueKind::Date:
        if (number) return Variant(Date(sqlite3_column_double(s, c)));
        if (auto d = Date::parseRegional(columnText(s, c))) return Variant(*d);
        break;
    case ValueKind::Unknown:
        break;
    }
    return stored(s, c, type);
}

}  // namespace

Ref<ado::Recordset> readRows(Database& db, const Query& query) {
    StatementUse use(db.prepared(query.sql));
    sqlite3_stmt* s = use.get();
    const int count = sqlite3_column_count(s);
    std::vector<ValueKind> kinds(static_cast<size_t>(count), ValueKind::Unknown);
    std::vector<std::string> names(static_cast<size_t>(count));
    const bool described = query.columns.size() == static_cast<size_t>(count);
    for (int c = 0; c < count; ++c) {
        if (described) {
            kinds[c] = query.columns[c].kind;
            names[c] = query.columns[c].name;
        } else {
            names[c] = sqlite3_column_name(s, c);
        }
    }
    ResultBuilder result(std::move(names), std::move(kinds));
    for (;;) {
        const int rc = sqlite3_step(s);
        if (rc == SQLITE_DONE) break;
        if (rc != SQLITE_ROW) db.fail(rc, query.sql);
        for (int c = 0; c < count; ++c) result.add(typed(s, c, result.kind(static_cast<size_t>(c))));
    }
    return result.finish();
}

}  // namespace zelt::jet::engine
