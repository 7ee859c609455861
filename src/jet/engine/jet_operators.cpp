#include "jet/engine/jet_operators.hpp"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "jet/engine/jet_addition.hpp"
#include "jet/engine/sqlite_function.hpp"
#include "zelt/automation/date.hpp"
#include "zelt/automation/regional.hpp"
#include "zelt/automation/variant.hpp"
#include "zelt/jet/errors.hpp"

namespace zelt::jet::engine {
namespace {

// A number as CStr writes it under the regional settings: "1,5", whole numbers without decimals.
std::string regionalText(sqlite3_value* v) {
    const sqlite3_int64 i = sqlite3_value_int64(v);
    const bool whole = sqlite3_value_type(v) == SQLITE_INTEGER && i >= std::numeric_limits<int32_t>::min() &&
                       i <= std::numeric_limits<int32_t>::max();
    std::string text = whole ? Variant(static_cast<int32_t>(i)).toText() : Variant(sqlite3_value_double(v)).toText();
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

// a & b & ...: Null reads as empty text, but Null & Null is Null.
void concat(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    std::string out;
    bool any = false;
    for (int i = 0; i < argc; ++i) {
        if (isNull(argv[i])) continue;
        any = true;
        if (isNumber(argv[i])) out += regionalText(argv[i]);
        else out += textOf(argv[i]);
    }
    if (!any) return sqlite3_result_null(ctx);
    resultText(ctx, out);
}

// A date operand of &, which SQLite holds as its serial: its regional text.
void dateText(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (!isNumber(argv[0])) return sqlite3_result_value(ctx, argv[0]);
    resultText(ctx, Date(sqlite3_value_double(argv[0])).toRegionalText());
}

// a + b + ...: as addValues reads them; SQLite's integers beyond a Long are doubles there, as
// they are when read into a recordset.
void add(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    std::vector<Variant> operands;
    operands.reserve(static_cast<size_t>(argc));
    for (int i = 0; i < argc; ++i) {
        sqlite3_value* x = argv[i];
        const sqlite3_int64 n = sqlite3_value_int64(x);
        if (isNull(x)) operands.push_back(Variant::null());
        else if (!isNumber(x)) operands.emplace_back(textOf(x));
        else if (sqlite3_value_type(x) == SQLITE_INTEGER && n >= INT32_MIN && n <= INT32_MAX)
            operands.emplace_back(static_cast<int32_t>(n));
        else operands.emplace_back(sqlite3_value_double(x));
    }
    const Variant sum = addValues(operands);
    if (sum.isNull()) return sqlite3_result_null(ctx);
    if (sum.isText()) return resultText(ctx, *sum.get<std::string>());
    if (sum.type() == VarType::I4) return sqlite3_result_int64(ctx, *sum.get<int32_t>());
    sqlite3_result_double(ctx, sum.toDouble());
}

// Numbers as numbers, texts as the PTBR collation orders them, numbers before texts as SQLite
// orders values of both kinds.
int compareValues(sqlite3_value* a, sqlite3_value* b) {
    const bool numberA = isNumber(a), numberB = isNumber(b);
    if (numberA != numberB) return numberA ? -1 : 1;
    if (!numberA) return regional::compareText(textOf(a), textOf(b));
    const double x = sqlite3_value_double(a), y = sqlite3_value_double(b);
    return (x > y) - (x < y);
}

// value Between low And high, with the bounds in either order; Null when any is Null.
void between(sqlite3_context* ctx, int, sqlite3_value** argv) {
    for (int i = 0; i < 3; ++i)
        if (isNull(argv[i])) return sqlite3_result_null(ctx);
    sqlite3_value *low = argv[1], *high = argv[2];
    if (compareValues(low, high) > 0) std::swap(low, high);
    sqlite3_result_int(ctx, compareValues(argv[0], low) >= 0 && compareValues(argv[0], high) <= 0);
}

}  // namespace

void registerJetOperators(sqlite3* db, FunctionErrors* errors) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function_v2(db, "jet_concat", -1, flags, errors, guarded<concat>, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "jet_date_text", 1, flags, errors, guarded<dateText>, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "jet_add", -1, flags, errors, guarded<add>, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "jet_between", 3, flags, errors, guarded<between>, nullptr, nullptr, nullptr);
}

}  // namespace zelt::jet::engine
