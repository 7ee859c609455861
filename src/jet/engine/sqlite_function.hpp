#pragma once
// What the engine's SQLite functions share: reading arguments, giving results, and turning a
// run-time error into the statement's failure.
#include <sqlite3.h>

#include <exception>
#include <new>
#include <string_view>

#include "jet/engine/database.hpp"
#include "zelt/automation/error.hpp"

namespace zelt::jet::engine {

inline std::string_view textOf(sqlite3_value* v) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? std::string_view(p, static_cast<size_t>(sqlite3_value_bytes(v))) : std::string_view();
}

inline bool isNull(sqlite3_value* v) { return sqlite3_value_type(v) == SQLITE_NULL; }
inline bool isNumber(sqlite3_value* v) {
    const int t = sqlite3_value_type(v);
    return t == SQLITE_INTEGER || t == SQLITE_FLOAT;
}

inline void resultText(sqlite3_context* ctx, std::string_view s) {
    sqlite3_result_text64(ctx, s.data(), s.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

using Body = void (*)(sqlite3_context*, int, sqlite3_value**);

// Runs a function body, turning a run-time error into SQLite's error and leaving the error itself
// (registered as the function's user data) where the engine will find it.
template <Body F>
void guarded(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    try {
        F(ctx, argc, argv);
    } catch (const RuntimeError& e) {
        if (auto* errors = static_cast<FunctionErrors*>(sqlite3_user_data(ctx))) errors->pending = e;
        sqlite3_result_error(ctx, e.description().c_str(), -1);
    } catch (const std::bad_alloc&) {
        sqlite3_result_error_nomem(ctx);
    } catch (const std::exception& e) {
        sqlite3_result_error(ctx, e.what(), -1);
    }
}

}  // namespace zelt::jet::engine
