#pragma once
// Prepares translated text on an empty SQLite database that has the catalogue's tables, the
// functions the engine registers (as stubs of the same names and arities) and the PTBR
// collation, so that a test learns whether SQLite accepts the text.
#include <sqlite3.h>

#include <string>

#include "zelt/jet/catalogue.hpp"

class SqliteCheck {
public:
    SqliteCheck() {
        sqlite3_open(":memory:", &db_);
        std::string ddl;
        for (const zelt::jet::TableDef& t : zelt::jet::catalogue()) {
            ddl += "CREATE TABLE \"" + t.name + "\" (";
            for (size_t i = 0; i < t.columns.size(); ++i) ddl += (i ? ", \"" : "\"") + t.columns[i].name + "\"";
            ddl += ");";
        }
        sqlite3_exec(db_, ddl.c_str(), nullptr, nullptr, nullptr);
        const struct {
            const char* name;
            int args;
        } functions[] = {{"jet_concat", -1}, {"jet_format", 2}, {"jet_trim", 1}, {"jet_val", 1}, {"jet_mid", 2},
                         {"jet_mid", 3},     {"jet_day", 1},    {"jet_month", 1}, {"jet_year", 1}, {"jet_now", 0},
                         {"jet_cdate", 1},   {"like", 2},       {"jet_format", 3}, {"jet_ccur", 1},  {"jet_divide", 2}, {"jet_amount", 1}};
        for (const auto& f : functions)
            sqlite3_create_function_v2(db_, f.name, f.args, SQLITE_UTF8, nullptr, stub, nullptr, nullptr, nullptr);
        sqlite3_create_collation_v2(db_, "PTBR", SQLITE_UTF8, nullptr, compare, nullptr);
    }
    ~SqliteCheck() { sqlite3_close(db_); }
    SqliteCheck(const SqliteCheck&) = delete;
    SqliteCheck& operator=(const SqliteCheck&) = delete;

    // Empty when SQLite accepts the text, else its message.
    std::string prepare(const std::string& sql) const {
        sqlite3_stmt* s = nullptr;
        const int rc = sqlite3_prepare_v2(db_, sql.c_str(), -1, &s, nullptr);
        sqlite3_finalize(s);
        return rc == SQLITE_OK ? std::string() : std::string(sqlite3_errmsg(db_));
    }

private:
    static void stub(sqlite3_context* ctx, int, sqlite3_value**) { sqlite3_result_null(ctx); }
    static int compare(void*, int na, const void* a, int nb, const void* b) {
        const std::string x(static_cast<const char*>(a), static_cast<size_t>(na));
        const std::string y(static_cast<const char*>(b), static_cast<size_t>(nb));
        return x.compare(y);
    }
    sqlite3* db_ = nullptr;
};
