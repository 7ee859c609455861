#include "jet/engine/jet_functions.hpp"

#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "jet/engine/format_value.hpp"
#include "jet/engine/jet_operators.hpp"
#include "jet/engine/jet_aggregates.hpp"
#include "jet/engine/library_functions.hpp"
#include "jet/engine/like_matching.hpp"
#include "jet/engine/sqlite_function.hpp"
#include "jet/library/library.hpp"
#include "zelt/automation/date.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/automation/regional.hpp"
#include "zelt/automation/variant.hpp"
#include "zelt/jet/errors.hpp"

namespace zelt::jet::engine {
namespace {

// The VB text of a number: whole numbers without decimals, "." as the decimal point.
std::string numberText(sqlite3_value* v) {
    if (sqlite3_value_type(v) == SQLITE_INTEGER) {
        const sqlite3_int64 i = sqlite3_value_int64(v);
        if (i >= std::numeric_limits<int32_t>::min() && i <= std::numeric_limits<int32_t>::max())
            return Variant(static_cast<int32_t>(i)).toText();
    }
    return Variant(sqlite3_value_double(v)).toText();
}

Date dateOf(sqlite3_value* v) {
    return isNumber(v) ? Date(sqlite3_value_double(v)) : library::dateOfText(textOf(v));
}

// Format(x, pattern[, 1]): the third argument says that x is an amount in ten-thousandths, which
// is formatted exactly.
void format(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    sqlite3_value* x = argv[0];
    if (isNull(x)) return sqlite3_result_null(ctx);
    Variant value;
    if (argc > 2 && isNumber(x)) value = Variant(amountOf(x));
    else if (sqlite3_value_type(x) == SQLITE_INTEGER) value = Variant(static_cast<double>(sqlite3_value_int64(x)));
    else if (isNumber(x)) value = Variant(sqlite3_value_double(x));
    else value = Variant(textOf(x));
    if (const auto text = formatValue(value, textOf(argv[1]))) return resultText(ctx, *text);
    sqlite3_result_value(ctx, x);
}

void trim(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    if (isNumber(argv[0])) return resultText(ctx, numberText(argv[0]));
    resultText(ctx, regional::trim(textOf(argv[0])));
}

void val(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    if (isNumber(argv[0])) return sqlite3_result_double(ctx, sqlite3_value_double(argv[0]));
    sqlite3_result_double(ctx, regional::val(textOf(argv[0])));
}

template <int (Date::*Part)() const>
void datePart(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    sqlite3_result_int(ctx, (dateOf(argv[0]).*Part)());
}

void now(sqlite3_context* ctx, int, sqlite3_value**) { sqlite3_result_double(ctx, Date::now().serial()); }

// A value written into a date column: a number is already a date; a text must read as one.
void cdate(sqlite3_context* ctx, int, sqlite3_value** argv) {
    sqlite3_value* x = argv[0];
    if (isNull(x)) return sqlite3_result_null(ctx);
    if (isNumber(x)) return sqlite3_result_double(ctx, sqlite3_value_double(x));
    const std::string_view text = textOf(x);
    if (auto d = Date::parseRegional(text)) return sqlite3_result_double(ctx, d->serial());
    throw RuntimeError(jet::err::TypeMismatch,
                       "Tipo de dados incompatível na expressão: '" + std::string(text) + "' não é uma data.");
}

// A value written into a money column, or met by money: its amount in ten-thousandths, as CCur
// rounds it (half to even); a text is read with the regional settings, without a double between.
void ccur(sqlite3_context* ctx, int, sqlite3_value** argv) {
    sqlite3_value* x = argv[0];
    switch (sqlite3_value_type(x)) {
    case SQLITE_NULL: return sqlite3_result_null(ctx);
    case SQLITE_INTEGER: return sqlite3_result_int64(ctx, Currency::fromInt(sqlite3_value_int64(x)).raw());
    case SQLITE_FLOAT: return sqlite3_result_int64(ctx, Currency::fromDouble(sqlite3_value_double(x)).raw());
    default: break;
    }
    const std::string_view text = textOf(x);
    if (auto c = regional::parseCurrency(text)) return sqlite3_result_int64(ctx, c->raw());
    throw RuntimeError(jet::err::TypeMismatch,
                       "Tipo de dados incompatível na expressão: '" + std::string(text) + "' não é um número.");
}

// An amount on its way into a money column: ten-thousandths, kept as they are; SQLite turns an
// integer sum that overflows into a double, which is Jet's overflow.
void amount(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) != SQLITE_FLOAT) return sqlite3_result_value(ctx, argv[0]);
    sqlite3_result_int64(ctx, amountOf(argv[0]).raw());
}

// a / b as Jet divides: as doubles; by zero it is error 11, and 0 / 0 error 6, as in VBA.
void divide(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (isNull(argv[0]) || isNull(argv[1])) return sqlite3_result_null(ctx);
    const double a = sqlite3_value_double(argv[0]), b = sqlite3_value_double(argv[1]);
    if (b == 0) throwError(a == 0 ? zelt::err::Overflow : zelt::err::DivisionByZero);
    sqlite3_result_double(ctx, a / b);
}

// like(pattern, value), as SQLite calls it for "value LIKE pattern".
void like(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (isNull(argv[0]) || isNull(argv[1])) return sqlite3_result_null(ctx);
    const std::string value = isNumber(argv[1]) ? numberText(argv[1]) : std::string(textOf(argv[1]));
    sqlite3_result_int(ctx, likeMatches(textOf(argv[0]), value) ? 1 : 0);
}

int compareCollated(void*, int na, const void* a, int nb, const void* b) {
    return regional::compareText(std::string_view(static_cast<const char*>(a), static_cast<size_t>(na)),
                                 std::string_view(static_cast<const char*>(b), static_cast<size_t>(nb)));
}

struct Function {
    const char* name;
    int args;
    Body body;
    bool deterministic = true;
};

}  // namespace

Currency amountOf(sqlite3_value* v) {
    if (sqlite3_value_type(v) == SQLITE_INTEGER) return Currency::fromRaw(sqlite3_value_int64(v));
    const double raw = std::nearbyint(sqlite3_value_double(v));
    if (!(std::fabs(raw) < 9223372036854775808.0)) throwError(zelt::err::Overflow);
    return Currency::fromRaw(static_cast<int64_t>(raw));
}

void registerJetFunctions(sqlite3* db, FunctionErrors* errors) {
    static const Function functions[] = {
        {"jet_format", 2, guarded<format>},
        {"jet_format", 3, guarded<format>},
        {"jet_trim", 1, guarded<trim>},
        {"jet_val", 1, guarded<val>},
        {"jet_day", 1, guarded<datePart<&Date::day>>},
        {"jet_month", 1, guarded<datePart<&Date::month>>},
        {"jet_year", 1, guarded<datePart<&Date::year>>},
        {"jet_now", 0, guarded<now>, false},
        {"jet_cdate", 1, guarded<cdate>},
        {"jet_ccur", 1, guarded<ccur>},
        {"jet_amount", 1, guarded<amount>},
        {"jet_divide", 2, guarded<divide>},
        {"like", 2, guarded<like>},
    };
    for (const Function& f : functions) {
        const int flags = SQLITE_UTF8 | (f.deterministic ? SQLITE_DETERMINISTIC : 0);
        sqlite3_create_function_v2(db, f.name, f.args, flags, errors, f.body, nullptr, nullptr, nullptr);
    }
    sqlite3_create_collation_v2(db, "PTBR", SQLITE_UTF8, nullptr, compareCollated, nullptr);
    registerJetOperators(db, errors);
    registerLibraryFunctions(db, errors);
    registerJetAggregates(db);
}

}  // namespace zelt::jet::engine
