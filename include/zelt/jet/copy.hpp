#pragma once
// Moving a whole register between databases: a SQLite file to a PostgreSQL server or back.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zelt::jet {

struct CopiedTable {
    std::string table;
    int64_t rows = 0;
};

// (table, rows copied so far, rows of the table)
using CopyProgress = std::function<void(const std::string&, int64_t, int64_t)>;

// Copies every table of the register at `from` (rows, codes and counters) into `to`, replacing the
// reference rows a new database starts with, in one transaction on the target: on any error the
// target is as it was. Refuses a target that already holds clients, or the source itself.
std::vector<CopiedTable> copyRegister(const std::string& from, const std::string& to, const CopyProgress& progress);

}  // namespace zelt::jet
