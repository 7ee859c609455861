#pragma once
// Prepares translated text on an in-memory database with the engine's own schema, functions and
// collation, and checks that SQLite takes the whole text as one statement with no comment in it.
#include <sqlite3.h>

#include <string>

#include "jet/engine/database.hpp"
#include "jet/engine/schema.hpp"

class SqliteCheck {
public:
    SqliteCheck() : db_(":memory:", zelt::jet::engine::Database::Opening::Scratch) { db_.exec(zelt::jet::engine::schemaDdl().c_str()); }

    // Empty when SQLite takes the text whole, else what is wrong with it.
    std::string prepare(const std::string& sql) const {
        sqlite3_stmt* s = nullptr;
        const char* tail = nullptr;
        const int rc = sqlite3_prepare_v2(db_.handle(), sql.c_str(), static_cast<int>(sql.size()), &s, &tail);
        const bool statement = s != nullptr;
        sqlite3_finalize(s);
        if (rc != SQLITE_OK) return sqlite3_errmsg(db_.handle());
        if (!statement) return "no statement";
        const std::string left(tail, sql.c_str() + sql.size());
        if (left.find_first_not_of(" \t\r\n") != std::string::npos) return "left after the statement: " + left;
        if (const size_t at = comment(sql); at != std::string::npos) return "comment at " + std::to_string(at);
        return {};
    }

    // Where a comment begins outside quoted literals and names; npos when none does.
    static size_t comment(const std::string& sql) {
        for (size_t i = 0; i < sql.size(); ++i) {
            const char c = sql[i];
            if (c == '\'' || c == '"' || c == '`' || c == '[') {
                const char close = c == '[' ? ']' : c;
                for (++i; i < sql.size(); ++i) {
                    if (sql[i] != close) continue;
                    if (close == ']' || i + 1 == sql.size() || sql[i + 1] != close) break;
                    ++i;  // a doubled quote
                }
            } else if ((c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') ||
                       (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*')) {
                return i;
            }
        }
        return std::string::npos;
    }

private:
    mutable zelt::jet::engine::Database db_;
};
