#include "jet/engine/subquery_rows.hpp"

#include "jet/engine/refusals.hpp"
#include "jet/engine/sqlite_function.hpp"

namespace zelt::jet::engine {
namespace {

// jet_one_row(rows, value): the value of a selection's only row; a second row is Jet's error.
void oneRow(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_int64(argv[0]) > 1) throw moreThanOneRecord();
    sqlite3_result_value(ctx, argv[1]);
}

}  // namespace

void registerSubqueryFunctions(sqlite3* db, FunctionErrors* errors) {
    sqlite3_create_function_v2(db, "jet_one_row", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, errors, guarded<oneRow>,
                               nullptr, nullptr, nullptr);
}

}  // namespace zelt::jet::engine
