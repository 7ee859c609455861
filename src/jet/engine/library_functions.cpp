#include "jet/engine/library_functions.hpp"

#include <array>
#include <cctype>
#include <limits>
#include <stdexcept>
#include <utility>
#include <vector>

#include "jet/engine/sqlite_function.hpp"
#include "jet/library/library.hpp"

namespace zelt::jet::engine {
namespace {

constexpr size_t MaxFunctions = 96;

// A value as the library sees it: marked numbers are dates, Booleans or amounts (ten-thousandths).
Variant variantOf(sqlite3_value* v) {
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL: return Variant::null();
    case SQLITE_TEXT: return Variant(textOf(v));
    default: break;
    }
    switch (sqlite3_value_subtype(v)) {
    case DateMark: return Variant(Date(sqlite3_value_double(v)));
    case BooleanMark: return Variant(sqlite3_value_double(v) != 0);
    case MoneyMark: return Variant(Currency::fromRaw(sqlite3_value_int64(v)));
    default: break;
    }
    const sqlite3_int64 i = sqlite3_value_int64(v);
    if (sqlite3_value_type(v) == SQLITE_INTEGER && i >= std::numeric_limits<int32_t>::min() &&
        i <= std::numeric_limits<int32_t>::max())
        return Variant(static_cast<int32_t>(i));
    return Variant(sqlite3_value_double(v));
}

void result(sqlite3_context* ctx, const Variant& v) {
    switch (v.type()) {
    case VarType::Null:
    case VarType::Empty: return sqlite3_result_null(ctx);
    case VarType::String: return resultText(ctx, *v.get<std::string>());
    case VarType::I2:
    case VarType::I4:
    case VarType::UI1: return sqlite3_result_int64(ctx, v.toInt32());
    case VarType::Currency:
        sqlite3_result_int64(ctx, v.get<Currency>()->raw());
        return sqlite3_result_subtype(ctx, MoneyMark);
    case VarType::Date:
        sqlite3_result_double(ctx, v.get<Date>()->serial());
        return sqlite3_result_subtype(ctx, DateMark);
    case VarType::Bool:
        sqlite3_result_int(ctx, *v.get<bool>() ? -1 : 0);
        return sqlite3_result_subtype(ctx, BooleanMark);
    default: return sqlite3_result_double(ctx, v.toDouble());
    }
}

template <size_t I>
void callFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    const library::Function& f = library::all()[I];
    std::vector<Variant> args;
    args.reserve(static_cast<size_t>(argc));
    for (int i = 0; i < argc; ++i) args.push_back(variantOf(argv[i]));
    result(ctx, library::call(f, args));
}

void typed(sqlite3_context* ctx, int, sqlite3_value** argv) {
    sqlite3_result_value(ctx, argv[0]);
    if (!isNull(argv[0])) sqlite3_result_subtype(ctx, static_cast<unsigned>(sqlite3_value_int(argv[1])));
}

template <size_t... I>
constexpr std::array<Body, sizeof...(I)> bodies(std::index_sequence<I...>) {
    return {guarded<callFunction<I>>...};
}

}  // namespace

std::string librarySqlName(std::string_view jetName) {
    std::string name = "jet_fn_";
    for (char c : jetName) name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

void registerLibraryFunctions(sqlite3* db, FunctionErrors* errors) {
    static constexpr auto calls = bodies(std::make_index_sequence<MaxFunctions>());
    const auto functions = library::all();
    if (functions.size() > MaxFunctions) throw std::logic_error("the library outgrew MaxFunctions");
    for (size_t i = 0; i < functions.size(); ++i) {
        const library::Function& f = functions[i];
        const int flags = SQLITE_UTF8 | (f.volatileValue ? 0 : SQLITE_DETERMINISTIC);
        sqlite3_create_function_v2(db, librarySqlName(f.name).c_str(), -1, flags, errors, calls[i], nullptr, nullptr,
                                   nullptr);
    }
    // Not deterministic, so that SQLite never computes it once ahead of the rows, which would lose the mark.
    sqlite3_create_function_v2(db, "jet_typed", 2, SQLITE_UTF8, errors, guarded<typed>,
                               nullptr, nullptr, nullptr);
}

}  // namespace zelt::jet::engine
