// Any text given to the translator either translates or raises the run-time error; nothing else
// escapes, and nothing crashes. What it writes SQLite takes whole, as one statement with no comment.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "jet_translate/sqlite_check.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/jet/translator.hpp"

namespace {

void check(const std::string& sql) {
    static const SqliteCheck sqlite;
    if (const std::string problem = sqlite.prepare(sql); !problem.empty()) {
        std::fprintf(stderr, "SQLite does not take the written text whole (%s):\n%s\n", problem.c_str(), sql.c_str());
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zelt::jet::Translation t;
    try {
        t = zelt::jet::translate(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const zelt::RuntimeError&) {
        return 0;
    }
    for (const zelt::jet::Query* q : t.queries()) check(q->sql);
    return 0;
}
